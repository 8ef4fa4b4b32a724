#include "editor/session_script.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <memory>
#include <ostream>
#include <string>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "data/database.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "editor/session_window_system.h"
#include "platform/platform.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::editor {

ScriptError::ScriptError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

// Parsing ---------------------------------------------------------------------------------------

namespace {

struct VerbRule {
    std::string_view word;
    ScriptVerb verb;
    bool control;  // takes a control name first
    bool text;     // then a text
    bool number;   // or a number
};

constexpr VerbRule kVerbs[] = {
    {"click", ScriptVerb::Click, true, false, false},
    {"type", ScriptVerb::Type, true, true, false},
    {"replace", ScriptVerb::Replace, true, true, false},
    {"choose", ScriptVerb::Choose, true, true, false},
    {"row", ScriptVerb::Row, false, false, true},
    {"scroll", ScriptVerb::Scroll, false, false, true},
    {"header", ScriptVerb::Header, false, false, true},
    {"focus", ScriptVerb::Focus, true, false, false},
    {"close", ScriptVerb::Close, false, false, false},
    {"answer", ScriptVerb::Answer, false, true, false},
    {"confirm", ScriptVerb::Confirm, false, true, false},
};

struct Word {
    std::string_view name;
    long code;
};

constexpr Word kAnswers[] = {{"ok", platform::answer::kOK},
                             {"cancel", platform::answer::kCancel},
                             {"yes", platform::answer::kYes},
                             {"no", platform::answer::kNo}};
constexpr Word kConfirms[] = {{"create", platform::confirm::kCreate},
                              {"create-all", platform::confirm::kCreateAll},
                              {"skip", platform::confirm::kSkip},
                              {"stop", platform::confirm::kStop},
                              {"closed", platform::confirm::kClosed}};

template <std::size_t N>
std::string_view NameOf(const Word (&words)[N], long code) {
    for (const Word& w : words) {
        if (w.code == code)
            return w.name;
    }
    return "?";
}

// Splits a line into words; a double-quoted word may hold blanks and the escapes \" \\ \b.
// A word starting with # outside quotes begins a comment.
// `end` is where the words end: the comment's start or the line's end.
std::vector<std::string> Words(std::string_view line, int number, std::size_t& end) {
    std::vector<std::string> words;
    std::size_t i = 0;
    end = line.size();
    while (i < line.size()) {
        if (std::isspace(static_cast<unsigned char>(line[i]))) {
            ++i;
            continue;
        }
        if (line[i] == '#') {
            end = i;
            break;
        }
        std::string word;
        if (line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                const char c = line[i++];
                if (c == '"') {
                    closed = true;
                    break;
                }
                if (c != '\\' || i >= line.size()) {
                    word += c;
                    continue;
                }
                const char escaped = line[i++];
                if (escaped == 'b') {
                    word += '\b';
                } else if (escaped == '"' || escaped == '\\') {
                    word += escaped;
                } else {
                    throw ScriptError(number, std::string("unknown escape \\") + escaped);
                }
            }
            if (!closed)
                throw ScriptError(number, "a quoted text is not closed");
        } else {
            while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) {
                word += line[i++];
            }
        }
        words.push_back(std::move(word));
    }
    return words;
}

long WholeNumber(const std::string& word, int line) {
    std::size_t used = 0;
    long value = 0;
    try {
        value = std::stol(word, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != word.size()) {
        throw ScriptError(line, "\"" + word + "\" is not a whole number");
    }
    return value;
}

template <std::size_t N>
long CodeOf(const Word (&words)[N], const std::string& word, int line) {
    for (const Word& w : words) {
        if (runtime::EqualsNoCase(w.name, word))
            return w.code;
    }
    std::string known;
    for (const Word& w : words)
        known += (known.empty() ? "" : ", ") + std::string(w.name);
    throw ScriptError(line, "\"" + word + "\" is not one of " + known);
}

ScriptStep ParseLine(const std::vector<std::string>& words, int line, std::string_view source) {
    const VerbRule* rule = nullptr;
    for (const VerbRule& v : kVerbs) {
        if (runtime::EqualsNoCase(v.word, words[0]))
            rule = &v;
    }
    if (rule == nullptr)
        throw ScriptError(line, "unknown action \"" + words[0] + "\"");
    const std::size_t wanted = 1 + (rule->control ? 1 : 0) + (rule->text || rule->number ? 1 : 0);
    if (words.size() != wanted) {
        throw ScriptError(line, std::string(rule->word) + " takes " + std::to_string(wanted - 1) +
                                    " argument" + (wanted == 2 ? "" : "s"));
    }
    ScriptStep step;
    step.line = line;
    step.verb = rule->verb;
    step.source = std::string(source);
    std::size_t next = 1;
    if (rule->control)
        step.control = words[next++];
    if (rule->number)
        step.number = WholeNumber(words[next], line);
    if (rule->text)
        step.text = words[next];
    switch (step.verb) {
        case ScriptVerb::Answer:
            step.number = CodeOf(kAnswers, step.text, line);
            break;
        case ScriptVerb::Confirm:
            step.number = CodeOf(kConfirms, step.text, line);
            break;
        case ScriptVerb::Row:
        case ScriptVerb::Header:
            if (step.number < 1)
                throw ScriptError(line, "rows and columns count from 1");
            break;
        default:
            break;
    }
    return step;
}

std::string Trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t\r");
    return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::vector<ScriptStep> ParseSessionScript(std::string_view text) {
    std::vector<ScriptStep> steps;
    int number = 0;
    while (!text.empty()) {
        const auto end = text.find('\n');
        const std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        ++number;
        std::size_t wordsEnd = 0;
        const auto words = Words(line, number, wordsEnd);
        if (!words.empty()) {
            steps.push_back(ParseLine(words, number, Trimmed(line.substr(0, wordsEnd))));
        }
    }
    return steps;
}

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
    std::string name(NameOf(kAnswers, code));
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
        s.out << "  [" << title << " prompt] " << Quoted(prompt) << " -> "
              << NameOf(kConfirms, code) << "\n";
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

void WriteStoredNode(platform::PlatformServices& services, std::int16_t config,
                     std::int16_t partition, std::int16_t node, std::ostream& out) {
    data::DataBase db(services.view());
    db.Get_XFER_Node(
        {std::to_string(config), std::to_string(partition), std::to_string(node), "4"});
    data::Recordset& rs = db.rsGet_XFER_Node();
    out << "Node_XFER " << config << "/" << partition << " node " << node;
    if (rs.eof()) {
        out << ": not stored\n";
        return;
    }
    out << " as stored:\n";
    const auto text = [&](std::string_view field) { return rs.field(field).textOrEmpty(); };
    out << "  Label: " << Quoted(text("NodeDescription")) << "\n";
    out << "  Dial: " << Quoted(text("Dial")) << "\n";
    out << "  Style: STYLE " << text("StyleNodeNumber") << "\n";
    for (const auto& e : kExceptions) {
        out << "  " << e.label << ": " << text(e.typeColumn) << " " << text(e.numberColumn) << "\n";
    }
    rs.close();
}

}  // namespace

bool RunSessionScript(const std::vector<ScriptStep>& steps, platform::PlatformServices& services,
                      std::int16_t config, std::int16_t partition, std::int16_t node,
                      std::ostream& out) {
    auto state = std::make_shared<RunState>(out);
    services.messageBoxes = std::make_unique<ScriptBoxes>(state);
    services.components->Register(platform::kConfirmationProgId,
                                  [state] { return std::make_shared<ScriptConfirmation>(state); });
    auto windows = std::make_unique<SessionWindowSystem>();
    SessionWindowSystem& session = *windows;
    services.windows = std::move(windows);
    session.setSession([&](GUI& form, UserActions& user) {
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

    out << "open config " << config << ", partition " << partition << ", node " << node << "\n";
    try {
        business_rules::Component component(services.view());
        {
            business_rules::Business_Rules host(component);
            host.ShowNodeEditor(config, partition, node);
        }
        if (session.shownCount() == 0) {
            state->fail("the editor did not open node " + std::to_string(node));
        } else if (session.leftOpen()) {
            state->fail("the form would not close");
        }
        if (!state->answers.empty() || !state->confirms.empty()) {
            out << "note: " << state->answers.size() + state->confirms.size()
                << " scripted answers were not asked for\n";
        }
        WriteStoredNode(services, config, partition, component.gui().nodeNumber(), out);
    } catch (const runtime::Error& error) {
        state->fail(error.source() + ": " + error.description());
    }
    return !state->failed();
}

}  // namespace xfer::editor
