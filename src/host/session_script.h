#pragma once
// The language of scripted editing sessions: one user action, or one answer to give to a
// message box or confirmation prompt, a line. session_runner.h carries a script out.
//
//   # a comment
//   type txtDescription "New label"     appends keys; "\b" is backspace
//   replace txtDial "12,34"             selects the whole text, then types
//   choose cmbXStyle "STYLE 2"          an entry by its text
//   click cmdOK
//   row 3 | scroll 1 | header 2         the form's list view: click a row, scroll, press a header
//   focus txtDial
//   close                               the window's close box
//   answer yes|no|cancel|ok             queued for the next message box that offers a choice
//   confirm create|create-all|skip|stop|closed   queued for the next confirmation prompt
//
// A box with only an OK button needs no answer. An action the user could not do (an unknown,
// hidden or disabled control, an entry that is not in the list) or a box or prompt that asks
// for an answer the script does not give ends the run as failed, with a line saying which.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace xfer::host {

enum class ScriptVerb {
    Click,
    Type,
    Replace,
    Choose,
    Row,
    Scroll,
    Header,
    Focus,
    Close,
    Answer,
    Confirm
};

struct ScriptStep {
    int line = 0;
    ScriptVerb verb = ScriptVerb::Click;
    std::string control;  // click, type, replace, choose, focus
    std::string text;     // type, replace, choose
    long number = 0;      // row, scroll, header; the answer code of answer and confirm
    std::string source;   // the line as written, for the transcript
};

class ScriptError : public std::runtime_error {
  public:
    ScriptError(int line, const std::string& message);
    int line() const noexcept { return line_; }

  private:
    int line_;
};

// Raises ScriptError naming the first line it cannot read.
std::vector<ScriptStep> ParseSessionScript(std::string_view text);

// The words of the answers and prompts' answers, by code ("yes", "create-all"); "?" if unknown.
std::string_view AnswerWord(long code);
std::string_view ConfirmWord(long code);

}  // namespace xfer::host
