#pragma once
// A partition's XFER nodes as a text document: what the export writes, the diff compares and
// the import applies. Writing is deterministic (fixed key order, two-space indentation, one
// final newline), so two exports of one state are the same bytes and a change to one field is
// a change to one line. Reading refuses anything that is not such a document, saying where.

#include <array>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace xfer::partition {

struct DocumentTarget {
    std::string type;            // the type name as stored
    std::optional<long> number;  // nothing when the stored number is not a number
    std::optional<long> typeId;  // the name's identifier in the catalogue, if it has one

    bool operator==(const DocumentTarget&) const = default;
};

struct DocumentNode {
    std::int16_t node = 0;
    std::string label;
    std::string dial;
    std::optional<long> style;                 // the STYLE node number; nothing when none is stored
    std::array<DocumentTarget, 6> exceptions;  // Hold, MOH, Busy 1, Busy 2, No Answer, Answer

    bool operator==(const DocumentNode&) const = default;
};

struct PartitionDocument {
    int version = 0;
    std::int16_t config = 0;  // where it came from
    std::int16_t partition = 0;
    std::vector<DocumentNode> nodes;  // in node number order
};

// A text that is not a partition document; the message says where and why.
class DocumentError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The export document's text: valid UTF-8 whatever the stored text held.
std::string DocumentText(const PartitionDocument& document);

// Raises DocumentError for malformed JSON (with its line and column), a wrong format or
// version, a missing, unknown or ill-typed field, or a node listed twice.
PartitionDocument ReadDocument(std::string_view text);

}  // namespace xfer::partition
