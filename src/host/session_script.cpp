#include "host/session_script.h"

#include <fmt/format.h>
#include <cctype>
#include <string>

#include "platform/components.h"
#include "platform/message_box.h"
#include "runtime/decimal.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace xfer::host {

ScriptError::ScriptError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line) {}

// Parsing ---------------------------------------------------------------------------------------

namespace {

struct VerbRule {
    std::string_view word;
    ScriptVerb verb;
    bool control;  // takes a control name (or show's subject) first
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
    {"show", ScriptVerb::Show, true, false, false},
    {"expect", ScriptVerb::Expect, false, false, false},  // arguments of its own (ParseExpect)
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

// A number within [low, high], written as every typed number is (runtime/decimal.h).
long Number(const std::string& word, long low, long high, const std::string& what, int line) {
    const runtime::DecimalNumber n = runtime::ParseDecimal(word, low, high);
    if (!n.ok())
        throw ScriptError(line, what + ": " + n.problem);
    return static_cast<long>(n.value);
}

template <std::size_t N>
long CodeOf(const Word (&words)[N], const std::string& word, int line) {
    for (const Word& w : words) {
        if (runtime::EqualsNoCase(w.name, word))
            return w.code;
    }
    std::vector<std::string_view> names;
    for (const Word& w : words)
        names.push_back(w.name);
    throw ScriptError(line, fmt::format("\"{}\" is not one of {}", word, fmt::join(names, ", ")));
}

// The word as it is spelt in `known` (letter case ignored), or a ScriptError listing them.
std::string_view OneOf(const std::vector<std::string_view>& known, const std::string& word,
                       const std::string& what, int line) {
    for (std::string_view k : known) {
        if (runtime::EqualsNoCase(k, word))
            return k;
    }
    throw ScriptError(line,
                      fmt::format("\"{}\" is not {} ({})", word, what, fmt::join(known, ", ")));
}

// expect SUBJECT PROPERTY "value"  |  expect row N CELL "value"
void ParseExpect(const std::vector<std::string>& words, ScriptStep& step) {
    const bool row = words.size() > 1 && runtime::EqualsNoCase(words[1], kRowSubject);
    const std::size_t wanted = row ? 5 : 4;
    if (words.size() != wanted) {
        throw ScriptError(step.line, row ? "expect row takes a row, a cell and a value"
                                         : "expect takes a control, a property and a value");
    }
    step.text = words.back();
    if (row) {
        step.control = std::string(kRowSubject);
        step.number = Number(words[2], 1, kMaxRow, "row", step.line);
        const std::string& cell = words[3];
        const bool numbered = !cell.empty() && std::isdigit(static_cast<unsigned char>(cell[0]));
        step.property = numbered
                            ? std::string(RowCells().at(static_cast<std::size_t>(
                                  Number(cell, 1, kMaxColumn, "column", step.line) - 1)))
                            : std::string(OneOf(RowCells(), cell, "a cell of a row", step.line));
        return;
    }
    step.control = words[1];
    step.property = std::string(OneOf(ExpectProperties(), words[2], "a property", step.line));
}

ScriptStep ParseLine(const std::vector<std::string>& words, int line, std::string_view source) {
    const VerbRule* rule = nullptr;
    for (const VerbRule& v : kVerbs) {
        if (runtime::EqualsNoCase(v.word, words[0]))
            rule = &v;
    }
    if (rule == nullptr)
        throw ScriptError(line, "unknown action \"" + words[0] + "\"");
    ScriptStep step;
    step.line = line;
    step.verb = rule->verb;
    step.source = std::string(source);
    if (step.verb == ScriptVerb::Expect) {
        ParseExpect(words, step);
        return step;
    }
    const std::size_t wanted = 1 + (rule->control ? 1 : 0) + (rule->text || rule->number ? 1 : 0);
    if (words.size() != wanted) {
        throw ScriptError(line, std::string(rule->word) + " takes " + std::to_string(wanted - 1) +
                                    " argument" + (wanted == 2 ? "" : "s"));
    }
    std::size_t next = 1;
    if (rule->control)
        step.control = words[next++];
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
            step.number = Number(words[next], 1, kMaxRow, "row", line);
            break;
        case ScriptVerb::Header:
            step.number = Number(words[next], 1, kMaxColumn, "column", line);
            break;
        case ScriptVerb::Scroll:
            step.number = Number(words[next], -kMaxScroll, kMaxScroll, "scroll", line);
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
        // Nothing a script types may become text that is not UTF-8.
        if (const std::size_t bad = runtime::utf8::FirstInvalid(line); bad != std::string::npos) {
            throw ScriptError(number, "the text is not valid UTF-8 (byte " +
                                          std::to_string(bad + 1) + " of the line)");
        }
        std::size_t wordsEnd = 0;
        const auto words = Words(line, number, wordsEnd);
        if (!words.empty()) {
            steps.push_back(ParseLine(words, number, Trimmed(line.substr(0, wordsEnd))));
        }
    }
    return steps;
}

std::string_view AnswerWord(long code) {
    return NameOf(kAnswers, code);
}

std::string_view ConfirmWord(long code) {
    return NameOf(kConfirms, code);
}

const std::vector<std::string_view>& ExpectProperties() {
    static const std::vector<std::string_view> kProperties{
        "Text",     "Caption", "Enabled",  "Visible",  "Focus",     "ListIndex", "ListCount",
        "Selected", "Entries", "ItemData", "SelStart", "SelLength", "MaxLength", "Locked",
        "Left",     "Top",     "Width",    "Height",   "TopIndex",  "Loaded"};
    return kProperties;
}

const std::vector<std::string_view>& RowCells() {
    static const std::vector<std::string_view> kCells{"#",          "Exception", "Command/Node",
                                                      "Label",      "NodeName",  "NodeTypeID",
                                                      "NodeNumber", "Key",       "Selected"};
    return kCells;
}

}  // namespace xfer::host
