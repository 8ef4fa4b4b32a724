#include "host/session_transcript.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>
#include <ostream>

#include "editor/exception_table.h"

namespace xfer::host {

namespace {

std::string Numbers(const std::vector<std::int16_t>& nodes) {
    return fmt::format("{}", fmt::join(nodes, ", "));
}

std::string Subject(const ScriptStep& step) {
    return step.control == kRowSubject ? "row " + std::to_string(step.number) : step.control;
}

class TextTranscript final : public Transcript {
  public:
    explicit TextTranscript(std::ostream& out) : out_(out) {}

    void open(const SessionTarget& t) override {
        out_ << "open config " << t.config << ", partition " << t.partition << ", node " << t.node
             << "\n";
    }
    void action(const ScriptStep& step) override { out_ << "> " << step.source << "\n"; }
    void box(int, const std::string& title, const std::string& text, const std::string& buttons,
             const std::string& answer) override {
        out_ << "  [" << title << "] " << QuotedOnOneLine(text) << " (" << buttons << ") -> "
             << answer << "\n";
    }
    void prompt(int, const std::string& title, const std::string& text,
                const std::string& answer) override {
        out_ << "  [" << title << " prompt] " << QuotedOnOneLine(text) << " -> " << answer << "\n";
    }
    void status(int, const std::string& text) override { out_ << "  [status] " << text << "\n"; }

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
                out_ << separator << name << " " << QuotedOnOneLine(value);
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
                out_ << separator << QuotedOnOneLine(e.text);
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
                out_ << separator << QuotedOnOneLine(cell);
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
             << ": expected " << QuotedOnOneLine(step.text) << ", actual "
             << (actual ? QuotedOnOneLine(*actual) : "(" + why + ")") << "\n";
    }

    void failure(int, const std::string& message) override {
        out_ << "FAILED: " << message << "\n";
    }
    void note(const std::string& text) override { out_ << "note: " << text << "\n"; }

    void stored(const SessionTarget& t,
                const std::optional<business_rules::StoredXferNode>& node) override {
        out_ << "Node_XFER " << t.config << "/" << t.partition << " node " << t.node;
        if (!node) {
            out_ << ": not stored\n";
            return;
        }
        out_ << " as stored:\n";
        out_ << "  Label: " << QuotedOnOneLine(node->label) << "\n";
        out_ << "  Dial: " << QuotedOnOneLine(node->dial) << "\n";
        out_ << "  Style: STYLE " << node->style << "\n";
        for (const auto& e : editor::kExceptions) {
            const business_rules::StoredTarget& target =
                node->targets[static_cast<std::size_t>(e.id)];
            out_ << "  " << e.label << ": " << target.type << " " << target.number << "\n";
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
    std::ostream& out_;
};

using Json = nlohmann::ordered_json;

class JsonTranscript final : public Transcript {
  public:
    explicit JsonTranscript(std::ostream& out) : out_(out) {}

    void open(const SessionTarget& t) override {
        write({{"event", "open"},
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
    void note(const std::string& text) override { write({{"event", "note"}, {"text", text}}); }

    void stored(const SessionTarget& t,
                const std::optional<business_rules::StoredXferNode>& node) override {
        Json event{{"event", "stored"},
                   {"config", t.config},
                   {"partition", t.partition},
                   {"node", t.node},
                   {"found", node.has_value()}};
        if (node) {
            event["label"] = node->label;
            event["dial"] = node->dial;
            event["style"] = node->style;
            Json targets = Json::object();
            for (const auto& e : editor::kExceptions) {
                const business_rules::StoredTarget& target =
                    node->targets[static_cast<std::size_t>(e.id)];
                targets[std::string(e.label)] = {{"type", target.type}, {"number", target.number}};
            }
            event["targets"] = targets;
        }
        write(event);
    }

    void result(const SessionOutcome& o) override {
        Json event{{"event", "result"},          {"passed", o.passed()},
                   {"carriedOut", o.carriedOut}, {"expectations", o.expectations},
                   {"mismatches", o.mismatches}, {"errorBoxes", o.errorBoxes}};
        if (!o.carriedOut)
            event["failure"] = o.failure;
        write(event);
    }

    void node(const SessionTarget& t, std::size_t index, std::size_t count) override {
        write({{"event", "node"},
               {"config", t.config},
               {"partition", t.partition},
               {"node", t.node},
               {"index", index + 1},
               {"count", count}});
    }
    void summary(const BulkSummary& s) override {
        write({{"event", "summary"},
               {"nodes", s.nodes},
               {"passed", s.passed},
               {"failed", s.failed},
               {"notRun", s.notRun},
               {"storedFailed", s.storedFailed}});
    }

  private:
    static Json Line(int line) { return line > 0 ? Json(line) : Json(); }

    void write(const Json& event) {
        // Text that is not UTF-8 (an old database's) is shown with replacement characters
        // rather than ending the transcript.
        out_ << event.dump(-1, ' ', false, Json::error_handler_t::replace) << "\n";
    }

    std::ostream& out_;
};

}  // namespace

std::string QuotedOnOneLine(const std::string& text) {
    std::string shown;
    for (char c : text) {
        if (c == '\r')
            continue;
        shown += c == '\n' ? std::string(" / ") : std::string(1, c);
    }
    return "\"" + shown + "\"";
}

std::unique_ptr<Transcript> MakeTranscript(TranscriptFormat format, std::ostream& out) {
    if (format == TranscriptFormat::Json)
        return std::make_unique<JsonTranscript>(out);
    return std::make_unique<TextTranscript>(out);
}

}  // namespace xfer::host
