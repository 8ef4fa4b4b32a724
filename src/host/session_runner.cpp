#include "host/session_runner.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <memory>
#include <ostream>
#include <string>

#include "data/database.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "host/session_window_system.h"
#include "host/stored_nodes.h"
#include "runtime/error.h"

namespace xfer::host {

using namespace editor;

// Running ---------------------------------------------------------------------------------------

namespace {

// What the script's boxes, prompts and actions share while the run goes on.
struct RunState {
    explicit RunState(std::ostream& o) : out(o) {}
    std::ostream& out;
    std::deque<long> answers;
    std::deque<long> confirms;
    const ScriptStep* current = nullptr;
    std::string failure;

    bool failed() const { return !failure.empty(); }
    void fail(const std::string& why) {
        if (failed())
            return;
        failure = (current != nullptr ? "line " + std::to_string(current->line) + ": " : "") + why;
        out << "FAILED: " << failure << "\n";
    }
};

std::string Quoted(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            continue;
        shown += c == '\n' ? std::string(" / ") : std::string(1, c);
    }
    return "\"" + shown + "\"";
}

struct ButtonSet {
    int buttons;
    std::vector<long> codes;
    const char* names;
};

const ButtonSet& ButtonsOf(int buttons) {
    static const ButtonSet kSets[] = {
        {platform::mb::kOKOnly, {platform::answer::kOK}, "OK"},
        {platform::mb::kOKCancel, {platform::answer::kOK, platform::answer::kCancel}, "OK/Cancel"},
        {platform::mb::kYesNoCancel,
         {platform::answer::kYes, platform::answer::kNo, platform::answer::kCancel},
         "Yes/No/Cancel"},
        {platform::mb::kYesNo, {platform::answer::kYes, platform::answer::kNo}, "Yes/No"},
    };
    for (const ButtonSet& set : kSets) {
        if (set.buttons == (buttons & platform::mb::kButtonsMask))
            return set;
    }
    return kSets[0];
}

std::string AnswerName(long code) {
    std::string name(AnswerWord(code));
    name[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
    return name;
}

// Once the run has failed nothing more may be saved: the answer that discards.
long Discarding(const ButtonSet& set) {
    for (long code : {platform::answer::kNo, platform::answer::kCancel}) {
        for (long c : set.codes) {
            if (c == code)
                return code;
        }
    }
    return set.codes.front();
}

class ScriptBoxes final : public platform::MessageBoxes {
  public:
    explicit ScriptBoxes(std::shared_ptr<RunState> state) : state_(std::move(state)) {}

    int Show(const platform::MessageBoxRequest& request) override {
        RunState& s = *state_;
        const ButtonSet& set = ButtonsOf(request.buttons);
        long code = set.codes.front();
        std::string why;
        if (set.codes.size() == 1) {
            if (!s.answers.empty() && s.answers.front() == code)
                s.answers.pop_front();
        } else if (s.failed()) {
            code = Discarding(set);
        } else if (s.answers.empty()) {
            why = "the box " + Quoted(request.text) + " asks " + set.names +
                  " and the script gives no answer";
            code = Discarding(set);
        } else {
            code = s.answers.front();
            s.answers.pop_front();
            if (std::find(set.codes.begin(), set.codes.end(), code) == set.codes.end()) {
                why =
                    "the script answers " + AnswerName(code) + " to a box that offers " + set.names;
                code = Discarding(set);
            }
        }
        s.out << "  [" << request.title << "] " << Quoted(request.text) << " (" << set.names
              << ") -> " << AnswerName(code) << "\n";
        if (!why.empty())
            s.fail(why);
        return static_cast<int>(code);
    }

  private:
    std::shared_ptr<RunState> state_;
};

class ScriptConfirmation final : public platform::ConfirmationDialog {
  public:
    explicit ScriptConfirmation(std::shared_ptr<RunState> state) : state_(std::move(state)) {}

    long Show(short, const std::string& prompt, long, long, const std::string& title) override {
        RunState& s = *state_;
        long code = platform::confirm::kStop;
        const bool unanswered = !s.failed() && s.confirms.empty();
        if (!s.failed() && !unanswered) {
            code = s.confirms.front();
            s.confirms.pop_front();
        }
        s.out << "  [" << title << " prompt] " << Quoted(prompt) << " -> " << ConfirmWord(code)
              << "\n";
        if (unanswered)
            s.fail("the prompt " + Quoted(prompt) + " gets no answer from the script");
        return code;
    }

  private:
    std::shared_ptr<RunState> state_;
};

// Why a user could not reach the control, or "" when they can.
std::string Unreachable(const GUI& form, const Control& control) {
    if (!form.IsLoaded())
        return "the form is closed";
    if (!control.Visible())
        return control.Name() + " is hidden";
    if (!control.Enabled())
        return control.Name() + " is disabled";
    for (const Frame* f = control.Container(); f != nullptr; f = f->Container()) {
        if (!f->Visible())
            return control.Name() + " is inside " + f->Name() + ", which is hidden";
        if (!f->Enabled())
            return control.Name() + " is inside " + f->Name() + ", which is disabled";
    }
    return {};
}

ListView* TheListView(const GUI& form) {
    for (Control* c : form.controls()) {
        if (auto* list = dynamic_cast<ListView*>(c))
            return list;
    }
    return nullptr;
}

// Carries out one action; returns "" or why it could not be done.
std::string Perform(const ScriptStep& step, GUI& form, UserActions& user, RunState& state) {
    if (step.verb == ScriptVerb::Answer) {
        state.answers.push_back(step.number);
        return {};
    }
    if (step.verb == ScriptVerb::Confirm) {
        state.confirms.push_back(step.number);
        return {};
    }
    if (step.verb == ScriptVerb::Close) {
        if (!form.IsLoaded())
            return "the form is closed";
        if (!user.closeBox())
            state.out << "  the form stays open\n";
        return {};
    }

    Control* control = nullptr;
    if (step.verb == ScriptVerb::Row || step.verb == ScriptVerb::Scroll ||
        step.verb == ScriptVerb::Header) {
        control = TheListView(form);
        if (control == nullptr)
            return "the form has no list";
    } else {
        control = form.FindControl(step.control);
        if (control == nullptr)
            return "the form has no control named " + step.control;
    }
    if (std::string why = Unreachable(form, *control); !why.empty())
        return why;

    const std::string& name = control->Name();
    auto* button = dynamic_cast<CommandButton*>(control);
    auto* box = dynamic_cast<TextBox*>(control);
    auto* combo = dynamic_cast<ComboBox*>(control);
    auto* list = dynamic_cast<ListView*>(control);
    bool done = false;
    switch (step.verb) {
        case ScriptVerb::Click:
            if (button == nullptr)
                return name + " is not a button";
            done = user.click(*button);
            break;
        case ScriptVerb::Type:
        case ScriptVerb::Replace: {
            const bool replace = step.verb == ScriptVerb::Replace;
            if (box != nullptr) {
                if (box->Locked())
                    return name + " is locked";
                done = user.type(*box, step.text, replace);
            } else if (combo != nullptr && combo->Style() == ComboStyle::DropDownCombo) {
                done = user.type(*combo, step.text, replace);
            } else {
                return name + " does not take typing";
            }
            break;
        }
        case ScriptVerb::Choose: {
            if (combo == nullptr)
                return name + " is not a combo box";
            if (combo->FindExact(step.text) < 0)
                return name + " has no entry " + Quoted(step.text);
            done = user.choose(*combo, step.text);
            break;
        }
        case ScriptVerb::Row:
            if (step.number > list->ItemCount()) {
                return "the list has " + std::to_string(list->ItemCount()) + " rows";
            }
            done = user.clickRow(*list, step.number);
            break;
        case ScriptVerb::Scroll:
            done = user.scroll(*list, static_cast<int>(step.number));
            break;
        case ScriptVerb::Header:
            if (step.number > list->ColumnCount()) {
                return "the list has " + std::to_string(list->ColumnCount()) + " columns";
            }
            done = user.pressHeader(*list, static_cast<int>(step.number));
            break;
        case ScriptVerb::Focus:
            done = user.focus(*control);
            break;
        default:
            break;
    }
    return done ? std::string() : name + " refused the action";
}

void WriteStoredNode(data::DataBase& db, std::int16_t config, std::int16_t partition,
                     std::int16_t node, std::ostream& out) {
    const auto stored = ReadXferNode(db, config, partition, node);
    out << "Node_XFER " << config << "/" << partition << " node " << node;
    if (!stored) {
        out << ": not stored\n";
        return;
    }
    out << " as stored:\n";
    out << "  Label: " << Quoted(stored->label) << "\n";
    out << "  Dial: " << Quoted(stored->dial) << "\n";
    out << "  Style: STYLE " << stored->style << "\n";
    for (const auto& e : kExceptions) {
        const StoredTarget& t = stored->targets[static_cast<std::size_t>(e.id)];
        out << "  " << e.label << ": " << t.type << " " << t.number << "\n";
    }
}

}  // namespace

bool RunSessionScript(const std::vector<ScriptStep>& steps, const SessionTarget& target,
                      platform::PlatformParts machine, std::ostream& out) {
    auto state = std::make_shared<RunState>(out);
    auto session = std::make_unique<SessionWindowSystem>();
    SessionWindowSystem& windows = *session;
    machine.messageBoxes = std::make_unique<ScriptBoxes>(state);
    machine.windows = std::move(session);
    machine.components = platform::DefaultComponents();
    machine.components->Register(platform::kConfirmationProgId,
                                 [state] { return std::make_shared<ScriptConfirmation>(state); });
    windows.setSession([&](GUI& form, UserActions& user) {
        // What the status bar says while saving belongs in the transcript too.
        form.StatusBar1.setObserver([&out](Control& bar, Prop what) {
            const auto& status = static_cast<StatusBar&>(bar);
            if (what == Prop::Panels && status.PanelCount() > 0 && !status.Panels(1).Text.empty()) {
                out << "  [status] " << status.Panels(1).Text << "\n";
            }
        });
        for (const ScriptStep& step : steps) {
            state->current = &step;
            out << "> " << step.source << "\n";
            if (std::string why = Perform(step, form, user, *state); !why.empty()) {
                state->fail(why);
            }
            if (state->failed())
                break;
        }
        state->current = nullptr;
        if (form.IsLoaded()) {
            out << "> (end of script: the close box)\n";
            user.closeBox();
        }
        form.StatusBar1.setObserver(nullptr);
    });

    out << "open config " << target.config << ", partition " << target.partition << ", node "
        << target.node << "\n";
    try {
        EditorHost host(platform::PlatformServices(std::move(machine)));
        host.Open(target.config, target.partition, target.node);
        if (windows.shownCount() == 0) {
            state->fail("the editor did not open node " + std::to_string(target.node));
        } else if (windows.leftOpen()) {
            state->fail("the form would not close");
        }
        if (!state->answers.empty() || !state->confirms.empty()) {
            out << "note: " << state->answers.size() + state->confirms.size()
                << " scripted answers were not asked for\n";
        }
        data::DataBase db(host.platform());
        WriteStoredNode(db, target.config, target.partition, host.form().nodeNumber(), out);
    } catch (const runtime::Error& error) {
        state->fail(error.source() + ": " + error.description());
    }
    return !state->failed();
}

}  // namespace xfer::host
