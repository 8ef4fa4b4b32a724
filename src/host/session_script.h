#pragma once
// The language of scripted editing sessions: one user action, one answer to give to a
// message box or confirmation prompt, or one look at the form, a line. session_runner.h
// carries a script out.
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
//   show cmbHoldNode | show rows | show form      writes what a user sees into the transcript
//   expect cmdApply Enabled "true"      checks one property; a mismatch is reported and the
//   expect row 3 Command/Node "MSG 12"  run goes on (it fails at the end)
//   expect form Loaded "false"
//
// A box with only an OK button needs no answer. An action the user could not do (an unknown,
// hidden or disabled control, an entry that is not in the list) or a box or prompt that asks
// for an answer the script does not give ends the run as failed, with a line saying which.
//
// Every number is plain decimal (runtime/decimal.h) and checked against its range here;
// text that is not valid UTF-8 is refused. Errors name the line.

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
    Confirm,
    Show,
    Expect
};

// What show and expect look at besides a control.
inline constexpr std::string_view kRowsSubject = "rows";  // show: the six exception rows
inline constexpr std::string_view kRowSubject = "row";    // expect: one cell of one row
inline constexpr std::string_view kFormSubject = "form";  // the form itself

// The ranges the numbers of a script must lie in: the exceptions list has six rows and
// seven columns; a scroll moves at most this many rows at once.
inline constexpr long kMaxRow = 6;
inline constexpr long kMaxColumn = 7;
inline constexpr long kMaxScroll = 99;

struct ScriptStep {
    int line = 0;
    ScriptVerb verb = ScriptVerb::Click;
    std::string control;   // click, type, replace, choose, focus; show and expect: the subject
    std::string property;  // expect: the property (as spelt in the table), or a row's cell
    std::string text;      // type, replace, choose; expect: the expected value
    long number = 0;       // row, scroll, header, expect row; the answer code of answer/confirm
    std::string source;    // the line as written, for the transcript
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

// The properties expect knows, and the cells of a row ("#", "Exception", "Command/Node",
// "Label", "NodeName", "NodeTypeID", "NodeNumber", then "Key" and "Selected").
const std::vector<std::string_view>& ExpectProperties();
const std::vector<std::string_view>& RowCells();

}  // namespace xfer::host
