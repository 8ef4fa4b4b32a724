#include "host/session_transcript.h"

#include <fmt/format.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <ostream>

#include "editor/exception_table.h"
#include "runtime/shown_text.h"

namespace xfer::host {

namespace {

std::string Numbers(const std::vector<std::int16_t>& nodes) {
    return fmt::format("{}", fmt::join(nodes, ", "));
}

// A stored number as a JSON number, or null when the column holds none.
nlohmann::ordered_json NumberOrNull(const std::string& text) {
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    return nullptr;
}

std::string Subject(const ScriptStep& step) {
    return step.control == kRowSubject ? "row " + std::to_string(step.number) : step.control;
}

class TextTranscript final : public Transcript {
  public:
    explicit TextTranscript(std::ostream& out) : out_(out) {}

    void open(const SessionTarget& t) override {
        enter(t.node);
        out_ << "open config " << t.config << ", partition " << t.partition << ", node " << t.node
             << "\n";
    }
    void action(const ScriptStep& step) override { out_ << "> " << shown(step.source) << "\n"; }
    void box(int, const std::string& title, const std::string& text, const std::string& buttons,
             const std::string& answer) override {
        out_ << "  [" << title << "] " << quoted(text) << " (" << buttons << ") -> " << answer
             << "\n";
    }
    void prompt(int, const std::string& title, const std::string& text,
                const std::string& answer) override {
        out_ << "  [" << title << " prompt] " << quoted(text) << " -> " << answer << "\n";
    }
    void status(int, const std::string& text) override {
        out_ << "  [status] " << runtime::OneLineText(shown(text)) << "\n";
    }

    void observation(const ScriptStep& step, const std::optional<Observation>& seen,
                     const std::string& why) override {
        action(step);
        if (!seen) {
            out_ << "  " << why << "\n";
            return;
        }
        if (seen->subject != kRowsSubject) {
            out_ << "  " << seen->subject << " (" << seen->kind << "):";
            const char* separator = " ";
            for (const auto& [name, value] : seen->properties) {
                out_ << separator << name << " " << quoted(value);
                separator = ", ";
            }
            out_ << "\n";
        }
        if (seen->range) {
            out_ << "    entries \"" << seen->range->first << "\" to \"" << seen->range->second
                 << "\" (item data the number)\n";
        } else if (seen->hasEntries) {
            out_ << "    entries:";
            if (seen->entries.empty())
                out_ << " none";
            const char* separator = " ";
            for (const ObservedEntry& e : seen->entries) {
                out_ << separator << quoted(e.text);
                if (e.itemData)
                    out_ << " (" << *e.itemData << ")";
                separator = ", ";
            }
            out_ << "\n";
        }
        for (std::size_t i = 0; i < seen->rows.size(); ++i) {
            const ObservedRow& row = seen->rows[i];
            out_ << "    row " << i + 1 << " [" << row.key << "]" << (row.selected ? " *" : "")
                 << ":";
            const char* separator = " ";
            for (const std::string& cell : row.cells) {
                out_ << separator << quoted(cell);
                separator = " | ";
            }
            out_ << "\n";
        }
    }

    void expectation(const ScriptStep& step, const std::optional<std::string>& actual, bool passed,
                     const std::string& why) override {
        action(step);
        if (passed) {
            out_ << "  as expected\n";
            return;
        }
        out_ << "  MISMATCH line " << step.line << ": " << Subject(step) << " " << step.property
             << ": expected " << quoted(step.text) << ", actual "
             << (actual ? quoted(*actual) : "(" + why + ")") << "\n";
    }

    void failure(int, const std::string& message) override {
        out_ << "FAILED: " << runtime::OneLineText(shown(message)) << "\n";
    }
    void note(const std::string& text) override {
        out_ << "note: " << runtime::OneLineText(shown(text)) << "\n";
    }

    void stored(const SessionTarget& t,
                const std::optional<business_rules::StoredXferNode>& node) override {
        out_ << "Node_XFER " << t.config << "/" << t.partition << " node " << t.node;
        if (!node) {
            out_ << ": not stored\n";
            return;
        }
        out_ << " as stored:\n";
        out_ << "  Label: \"" << line(node->label) << "\"\n";
        out_ << "  Dial: \"" << line(node->dial) << "\"\n";
        out_ << "  Style: STYLE " << line(node->style) << "\n";
        for (const auto& e : editor::kExceptions) {
            const business_rules::StoredTarget& target =
                node->targets[static_cast<std::size_t>(e.id)];
            out_ << "  " << e.label << ": " << line(target.type) << " " << line(target.number)
                 << "\n";
        }
    }

    void result(const SessionOutcome& o) override {
        std::vector<std::string> why;
        if (!o.carriedOut)
            why.push_back(o.failure);
        if (o.mismatches > 0) {
            why.push_back(std::to_string(o.mismatches) + " of " + std::to_string(o.expectations) +
                          " expectations not met");
        }
        if (!o.errorBoxes.empty()) {
            std::string lines;
            for (const int line : o.errorBoxes) {
                lines += (lines.empty() ? "" : ", ") +
                         (line > 0 ? "line " + std::to_string(line) : "opening or closing");
            }
            why.push_back(std::to_string(o.errorBoxes.size()) + " error box" +
                          (o.errorBoxes.size() == 1 ? "" : "es") + " (" + lines + ")");
        }
        if (why.empty()) {
            out_ << "result: passed";
            if (o.expectations > 0)
                out_ << " (" << o.expectations << " expectations met)";
            out_ << "\n";
            return;
        }
        out_ << "result: failed:";
        const char* separator = " ";
        for (const std::string& w : why) {
            out_ << separator << w;
            separator = "; ";
        }
        out_ << "\n";
    }

    void node(const SessionTarget& t, std::size_t index, std::size_t count) override {
        enter(t.node);
        out_ << "=== XFER " << t.node << " (" << index + 1 << " of " << count << ") ===\n";
    }
    void summary(const BulkSummary& s) override {
        out_ << "=== " << s.nodes << (s.nodes == 1 ? " node: " : " nodes: ") << s.passed.size()
             << " passed";
        if (!s.failed.empty())
            out_ << ", " << s.failed.size() << " failed (XFER " << Numbers(s.failed) << ")";
        if (s.notRun > 0)
            out_ << ", " << s.notRun << " not run";
        if (!s.storedFailed.empty())
            out_ << "; stored although their session did not pass: XFER "
                 << Numbers(s.storedFailed);
        out_ << " ===\n";
    }

  private:
    std::string quoted(const std::string& text) { return QuotedOnOneLine(shown(text)); }
    // A stored value on its line: every control character an escape.
    std::string line(const std::string& text) { return runtime::OneLineText(shown(text)); }

    std::ostream& out_;
};

using Json = nlohmann::ordered_json;

class JsonTranscript final : public Transcript {
  public:
    explicit JsonTranscript(std::ostream& out) : out_(out) {}

    void open(const SessionTarget& t) override {
        enter(t.node);
        write({{"event", "open"},
               {"line", nullptr},
               {"config", t.config},
               {"partition", t.partition},
               {"node", t.node}});
    }
    void action(const ScriptStep& step) override {
        write({{"event", "action"}, {"line", Line(step.line)}, {"source", step.source}});
    }
    void box(int line, const std::string& title, const std::string& text,
             const std::string& buttons, const std::string& answer) override {
        write({{"event", "box"},
               {"line", Line(line)},
               {"title", title},
               {"text", text},
               {"buttons", buttons},
               {"answer", answer}});
    }
    void prompt(int line, const std::string& title, const std::string& text,
                const std::string& answer) override {
        write({{"event", "prompt"},
               {"line", Line(line)},
               {"title", title},
               {"text", text},
               {"answer", answer}});
    }
    void status(int line, const std::string& text) override {
        write({{"event", "status"}, {"line", Line(line)}, {"text", text}});
    }

    void observation(const ScriptStep& step, const std::optional<Observation>& seen,
                     const std::string& why) override {
        Json event{{"event", "observation"},
                   {"line", Line(step.line)},
                   {"source", step.source},
                   {"subject", step.control}};
        if (!seen) {
            event["why"] = why;
            write(event);
            return;
        }
        event["subject"] = seen->subject;
        event["kind"] = seen->kind;
        Json properties = Json::object();
        for (const auto& [name, value] : seen->properties)
            properties[name] = value;
        event["properties"] = properties;
        if (seen->range) {
            event["range"] = {{"first", seen->range->first}, {"last", seen->range->second}};
        } else if (seen->hasEntries) {
            Json entries = Json::array();
            for (const ObservedEntry& e : seen->entries) {
                Json entry{{"text", e.text}};
                if (e.itemData)
                    entry["itemData"] = *e.itemData;
                entries.push_back(entry);
            }
            event["entries"] = entries;
        }
        if (!seen->rows.empty()) {
            Json rows = Json::array();
            for (const ObservedRow& r : seen->rows)
                rows.push_back({{"key", r.key}, {"selected", r.selected}, {"cells", r.cells}});
            event["rows"] = rows;
        }
        write(event);
    }

    void expectation(const ScriptStep& step, const std::optional<std::string>& actual, bool passed,
                     const std::string& why) override {
        Json event{{"event", "expectation"},
                   {"line", Line(step.line)},
                   {"source", step.source},
                   {"subject", Subject(step)},
                   {"property", step.property},
                   {"expected", step.text},
                   {"actual", actual ? Json(*actual) : Json()},
                   {"passed", passed}};
        if (!actual)
            event["why"] = why;
        write(event);
    }

    void failure(int line, const std::string& message) override {
        write({{"event", "failure"}, {"line", Line(line)}, {"message", message}});
    }
    void note(const std::string& text) override {
        write({{"event", "note"}, {"line", nullptr}, {"text", text}});
    }

    void stored(const SessionTarget& t,
                const std::optional<business_rules::StoredXferNode>& node) override {
        Json event{{"event", "stored"},        {"line", nullptr}, {"config", t.config},
                   {"partition", t.partition}, {"node", t.node},  {"found", node.has_value()}};
        if (node) {
            event["label"] = node->label;
            event["dial"] = node->dial;
            event["style"] = NumberOrNull(node->style);
            Json targets = Json::object();
            for (const auto& e : editor::kExceptions) {
                const business_rules::StoredTarget& target =
                    node->targets[static_cast<std::size_t>(e.id)];
                targets[std::string(e.label)] = {{"type", target.type},
                                                 {"number", NumberOrNull(target.number)}};
            }
            event["targets"] = targets;
        }
        write(event);
    }

    void result(const SessionOutcome& o) override {
        Json event{{"event", "result"},
                   {"line", nullptr},
                   {"passed", o.passed()},
                   {"carriedOut", o.carriedOut},
                   {"expectations", o.expectations},
                   {"mismatches", o.mismatches},
                   {"errorBoxes", o.errorBoxes}};
        if (!o.carriedOut)
            event["failure"] = o.failure;
        write(event);
    }

    void node(const SessionTarget& t, std::size_t index, std::size_t count) override {
        enter(t.node);
        write({{"event", "node"},
               {"line", nullptr},
               {"config", t.config},
               {"partition", t.partition},
               {"node", t.node},
               {"index", index + 1},
               {"count", count}});
    }
    void summary(const BulkSummary& s) override {
        write({{"event", "summary"},
               {"line", nullptr},
               {"nodes", s.nodes},
               {"passed", s.passed},
               {"failed", s.failed},
               {"notRun", s.notRun},
               {"storedFailed", s.storedFailed}});
    }

  private:
    static Json Line(int line) { return line > 0 ? Json(line) : Json(); }

    void write(const Json& event) {
        // Text that is not UTF-8 (another tool's, in the database) is shown with replacement
        // characters rather than ending the transcript, and its node is named.
        std::string text;
        try {
            text = event.dump();
        } catch (const Json::type_error&) {
            noteInvalidText();
            text = event.dump(-1, ' ', false, Json::error_handler_t::replace);
        }
        out_ << text << "\n";
    }

    std::ostream& out_;
};

}  // namespace

std::string Transcript::shown(std::string_view text) {
    std::string valid = runtime::ValidText(text);
    if (valid != text)
        noteInvalidText();
    return valid;
}

void Transcript::noteInvalidText() {
    if (std::find(invalid_.begin(), invalid_.end(), current_) == invalid_.end())
        invalid_.push_back(current_);
}

std::string QuotedOnOneLine(const std::string& text) {
    const std::string valid = runtime::ValidText(text);
    std::string shown = "\"";
    for (std::size_t i = 0; i < valid.size(); ++i) {
        const auto c = static_cast<unsigned char>(valid[i]);
        const bool c1 =
            c == 0xC2 && i + 1 < valid.size() && static_cast<unsigned char>(valid[i + 1]) <= 0x9F;
        if (c == '\r')
            continue;
        if (c == '\n') {
            shown += " / ";
        } else if (c < 0x20 || c == 0x7F || c1) {
            // Any other control character is written as its escape: it cannot move the line.
            const std::size_t length = c1 ? 2 : 1;
            shown += runtime::OneLineText(std::string_view(valid).substr(i, length));
            i += length - 1;
        } else {
            shown += valid[i];
        }
    }
    return shown + "\"";
}

std::unique_ptr<Transcript> MakeTranscript(TranscriptFormat format, std::ostream& out) {
    if (format == TranscriptFormat::Json)
        return std::make_unique<JsonTranscript>(out);
    return std::make_unique<TextTranscript>(out);
}

}  // namespace xfer::host
