#pragma once
// The transcript of scripted sessions: everything a user would have seen and every check the
// script made, written as text for people or as JSON lines (one object per event) for tools.
//
// JSON events, each with "event" and "line", the script line that caused it (null for none):
//   open {config, partition, node}         action {source}
//   box {title, text, buttons, answer}     prompt {title, text, answer}
//   status {text}                          observation {subject, kind, properties, entries,
//                                                       range, rows}
//   expectation {subject, property, expected, actual, passed, why}
//   failure {message}                      note {text}
//   stored {config, partition, node, found, label, dial, style, targets}
//   result {passed, carriedOut, expectations, mismatches, errorBoxes}
// and for a run over several nodes:
//   node {config, partition, node, index, count}
//   summary {nodes, passed, failed, notRun}

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "business_rules/stored_nodes.h"
#include "host/session_observation.h"
#include "host/session_script.h"

namespace xfer::host {

struct SessionTarget {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    std::int16_t node = 0;
};

// How one session went.
struct SessionOutcome {
    bool carriedOut = true;       // every step done, every question answered, opened and closed
    std::string failure;          // why not, naming the line
    int expectations = 0;         // expect lines checked
    int mismatches = 0;           // of them, not met
    std::vector<int> errorBoxes;  // lines at which a box titled "Error" was shown (0: none)

    bool passed() const noexcept { return carriedOut && mismatches == 0 && errorBoxes.empty(); }
};

struct BulkSummary {
    std::size_t nodes = 0;  // asked for
    std::vector<std::int16_t> passed;
    std::vector<std::int16_t> failed;
    std::size_t notRun = 0;  // after a failed node, without --keep-going
    // Of the failed nodes, those whose session stored the node all the same (a save that
    // went on after a question the script left unanswered, then a later failure).
    std::vector<std::int16_t> storedFailed;
};

enum class TranscriptFormat { Text, Json };

class Transcript {
  public:
    virtual ~Transcript() = default;

    virtual void open(const SessionTarget& target) = 0;
    // A line of the script reached (line 0: the close box pressed when the script ends).
    virtual void action(const ScriptStep& step) = 0;
    virtual void box(int line, const std::string& title, const std::string& text,
                     const std::string& buttons, const std::string& answer) = 0;
    virtual void prompt(int line, const std::string& title, const std::string& text,
                        const std::string& answer) = 0;
    virtual void status(int line, const std::string& text) = 0;
    // What show saw; nothing, with the reason, when there was nothing to see.
    virtual void observation(const ScriptStep& step, const std::optional<Observation>& seen,
                             const std::string& why) = 0;
    // An expect line: `actual` is nothing when the value could not be read (`why` says why).
    virtual void expectation(const ScriptStep& step, const std::optional<std::string>& actual,
                             bool passed, const std::string& why) = 0;
    virtual void failure(int line, const std::string& message) = 0;
    virtual void note(const std::string& text) = 0;
    virtual void stored(const SessionTarget& target,
                        const std::optional<business_rules::StoredXferNode>& node) = 0;
    virtual void result(const SessionOutcome& outcome) = 0;
    virtual void node(const SessionTarget& target, std::size_t index, std::size_t count) = 0;
    virtual void summary(const BulkSummary& summary) = 0;

    // The XFER nodes whose stored text was shown with U+FFFD because it was not UTF-8.
    const std::vector<std::int16_t>& nodesWithInvalidText() const noexcept { return invalid_; }

  protected:
    // The node whose session the next events belong to.
    void enter(std::int16_t node) noexcept { current_ = node; }
    // The text made valid UTF-8, noting the node when it was not.
    std::string shown(std::string_view text);
    // An event's text could not be written as it is: the current node's stored text.
    void noteInvalidText();

  private:
    std::int16_t current_ = 0;
    std::vector<std::int16_t> invalid_;
};

// A text on one line, in double quotes, as the text transcript shows box texts and values:
// line breaks become " / ", other control characters escapes (\x01), text that is not UTF-8
// U+FFFD.
std::string QuotedOnOneLine(const std::string& text);

std::unique_ptr<Transcript> MakeTranscript(TranscriptFormat format, std::ostream& out);

}  // namespace xfer::host
