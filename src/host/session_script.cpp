#include "host/session_script.h"

#include <cctype>
#include <string>

#include "platform/components.h"
#include "platform/message_box.h"
#include "runtime/text.h"

namespace xfer::host {

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

std::string_view AnswerWord(long code) {
    return NameOf(kAnswers, code);
}

std::string_view ConfirmWord(long code) {
    return NameOf(kConfirms, code);
}

}  // namespace xfer::host
