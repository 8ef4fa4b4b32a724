#include "host/session_runner.h"

#include <algorithm>
#include <cctype>
#include <deque>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "business_rules/stored_nodes.h"
#include "data/database.h"
#include "data/preview_sessions.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "host/session_observation.h"
#include "host/session_window_system.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::host {

using namespace editor;

namespace {

// What the script's boxes, prompts and steps share while one session goes on.
struct RunState {
    explicit RunState(Transcript& t) : transcript(t) {}
    Transcript& transcript;
    std::deque<long> answers;
    std::deque<long> confirms;
    const ScriptStep* current = nullptr;
    SessionOutcome outcome;

    void reset() {
        answers.clear();
        confirms.clear();
        current = nullptr;
        outcome = {};
    }
    int line() const { return current != nullptr ? current->line : 0; }
    bool failed() const { return !outcome.carriedOut; }
    void fail(const std::string& why) {
        if (failed())
            return;
        outcome.carriedOut = false;
        outcome.failure =
            (current != nullptr ? "line " + std::to_string(current->line) + ": " : "") + why;
        transcript.failure(line(), outcome.failure);
    }
};

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

// The title of the box in which the editor reports an error; a session that shows one fails.
constexpr std::string_view kErrorTitle = "Error";

class ScriptBoxes final : public platform::MessageBoxes {
  public:
    explicit ScriptBoxes(std::shared_ptr<RunState> state) : state_(std::move(state)) {}

    int show(const platform::MessageBoxRequest& request) override {
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
            why = "the box " + QuotedOnOneLine(request.text) + " asks " + set.names +
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
        s.transcript.box(s.line(), request.title, request.text, set.names, AnswerName(code));
        if (request.title == kErrorTitle)
            s.outcome.errorBoxes.push_back(s.line());
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

    long show(short, const std::string& prompt, long, long, const std::string& title) override {
        RunState& s = *state_;
        long code = platform::confirm::kStop;
        const bool unanswered = !s.failed() && s.confirms.empty();
        if (!s.failed() && !unanswered) {
            code = s.confirms.front();
            s.confirms.pop_front();
        }
        s.transcript.prompt(s.line(), title, prompt, std::string(ConfirmWord(code)));
        if (unanswered)
            s.fail("the prompt " + QuotedOnOneLine(prompt) + " gets no answer from the script");
        return code;
    }

  private:
    std::shared_ptr<RunState> state_;
};

// Why a user could not reach the control, or "" when they can.
std::string Unreachable(const GUI& form, const Control& control) {
    if (!form.isLoaded())
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
        if (!form.isLoaded())
            return "the form is closed";
        if (!user.closeBox())
            state.transcript.note("the form stays open");
        return {};
    }

    Control* control = nullptr;
    if (step.verb == ScriptVerb::Row || step.verb == ScriptVerb::Scroll ||
        step.verb == ScriptVerb::Header) {
        control = &form.LVExceptions;
    } else {
        control = form.findControl(step.control);
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
            if (combo->findExact(step.text) < 0)
                return name + " has no entry " + QuotedOnOneLine(step.text);
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

bool IsFormSubject(const std::string& subject) {
    return runtime::EqualsNoCase(subject, kFormSubject);
}

// show: what the subject looks like now. An unknown control fails the run, as acting on it
// would; a closed form has nothing to show but itself.
std::string Show(const ScriptStep& step, const GUI& form, RunState& state) {
    std::optional<Observation> seen = Observe(form, step.control);
    if (!seen)
        return "the form has no control named " + step.control;
    if (!form.isLoaded() && !IsFormSubject(step.control)) {
        state.transcript.observation(step, std::nullopt, "the form is closed");
        return {};
    }
    state.transcript.observation(step, seen, {});
    return {};
}

// Texts compare exactly; "true" and "false" without regard to letter case.
bool Matches(const std::string& actual, const std::string& expected) {
    if (actual == "true" || actual == "false")
        return runtime::EqualsNoCase(actual, expected);
    return actual == expected;
}

// expect: compares and reports; a mismatch is counted and the run goes on.
std::string Expect(const ScriptStep& step, const GUI& form, RunState& state) {
    std::optional<std::string> actual;
    std::string why;
    const bool row = step.control == kRowSubject;
    const std::optional<Observation> seen = row ? std::nullopt : Observe(form, step.control);
    if (!row && !seen)
        return "the form has no control named " + step.control;
    if (!form.isLoaded() && !(seen && IsFormSubject(step.control))) {
        why = "the form is closed";
    } else if (row) {
        actual = RowCell(form, step.number, step.property);
        if (!actual)
            why = "the list has " + std::to_string(form.LVExceptions.ItemCount()) + " rows";
    } else {
        actual = PropertyValue(*seen, step.property);
        if (!actual)
            why = seen->subject + " has no " + step.property;
    }
    const bool passed = actual && Matches(*actual, step.text);
    ++state.outcome.expectations;
    if (!passed)
        ++state.outcome.mismatches;
    state.transcript.expectation(step, actual, passed, why);
    return {};
}

}  // namespace

struct SessionRunner::Impl {
    Impl(platform::PlatformParts parts, Transcript& t, bool dry)
        : transcript(t),
          state(std::make_shared<RunState>(t)),
          machine(std::move(parts)),
          preview(dry) {}

    // The host is made when the first session runs: making it may fail (an unusable registry
    // value), and that is the session's failure.
    void makeHost() {
        if (host)
            return;
        auto session = std::make_unique<SessionWindowSystem>();
        windows = session.get();
        machine.messageBoxes = std::make_unique<ScriptBoxes>(state);
        machine.windows = std::move(session);
        machine.components = platform::DefaultComponents();
        machine.components->registerComponent(platform::kConfirmationProgId, [s = state] {
            return std::make_shared<ScriptConfirmation>(s);
        });
        host = std::make_unique<EditorHost>(platform::PlatformServices(std::move(machine)),
                                            preview ? std::make_unique<data::PreviewSessions>()
                                                    : std::make_unique<data::SharedSessions>());
        db = std::make_unique<data::DataBase>(host->platform(), &host->sessions());
    }

    void session(const std::vector<ScriptStep>& steps, GUI& form, UserActions& user) {
        // What the status bar says while saving belongs in the transcript too.
        form.StatusBar1.setObserver([this](Control& bar, Prop what) {
            const auto& status = static_cast<StatusBar&>(bar);
            if (what == Prop::Panels && status.PanelCount() > 0 && !status.Panels(1).Text.empty())
                transcript.status(state->line(), status.Panels(1).Text);
        });
        for (const ScriptStep& step : steps) {
            state->current = &step;
            std::string why;
            if (step.verb == ScriptVerb::Show) {
                why = Show(step, form, *state);
            } else if (step.verb == ScriptVerb::Expect) {
                why = Expect(step, form, *state);
            } else {
                transcript.action(step);
                why = Perform(step, form, user, *state);
            }
            if (!why.empty())
                state->fail(why);
            if (state->failed())
                break;
        }
        state->current = nullptr;
        if (form.isLoaded()) {
            ScriptStep closing;
            closing.verb = ScriptVerb::Close;
            closing.source = "(end of script: the close box)";
            transcript.action(closing);
            user.closeBox();
        }
        form.StatusBar1.setObserver(nullptr);
    }

    Transcript& transcript;
    std::shared_ptr<RunState> state;
    platform::PlatformParts machine;
    bool preview = false;
    SessionWindowSystem* windows = nullptr;
    std::unique_ptr<EditorHost> host;
    std::unique_ptr<data::DataBase> db;
};

SessionRunner::SessionRunner(platform::PlatformParts machine, Transcript& transcript, bool preview)
    : impl_(std::make_unique<Impl>(std::move(machine), transcript, preview)) {}

SessionRunner::~SessionRunner() = default;

SessionOutcome SessionRunner::run(const std::vector<ScriptStep>& steps,
                                  const SessionTarget& target) {
    Impl& i = *impl_;
    RunState& state = *i.state;
    state.reset();
    i.transcript.open(target);
    try {
        i.makeHost();
        i.windows->setSession([&](GUI& form, UserActions& user) { i.session(steps, form, user); });
        const int shownBefore = i.windows->shownCount();
        i.host->open(target.config, target.partition, target.node);
        i.windows->setSession(nullptr);
        if (i.windows->shownCount() == shownBefore) {
            state.fail("the editor did not open node " + std::to_string(target.node));
        } else if (i.windows->leftOpen()) {
            state.fail("the form would not close");
        }
        if (!state.answers.empty() || !state.confirms.empty()) {
            i.transcript.note(std::to_string(state.answers.size() + state.confirms.size()) +
                              " scripted answers were not asked for");
        }
        SessionTarget shown = target;
        shown.node = i.host->form().nodeNumber();
        i.transcript.stored(
            shown, business_rules::ReadXferNode(*i.db, shown.config, shown.partition, shown.node));
    } catch (const runtime::Error& error) {
        if (i.windows != nullptr)
            i.windows->setSession(nullptr);  // it holds this call's steps
        state.current = nullptr;
        state.fail(error.source() + ": " + error.description());
    }
    i.transcript.result(state.outcome);
    return state.outcome;
}

data::DataBase& SessionRunner::database() {
    impl_->makeHost();
    return *impl_->db;
}

bool RunSessionScript(const std::vector<ScriptStep>& steps, const SessionTarget& target,
                      platform::PlatformParts machine, std::ostream& out) {
    const auto transcript = MakeTranscript(TranscriptFormat::Text, out);
    SessionRunner runner(std::move(machine), *transcript);
    return runner.run(steps, target).passed();
}

}  // namespace xfer::host
