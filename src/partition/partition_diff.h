#pragma once
// What differs between two partition documents, node by node and field by field: the nodes
// only one side has, and for nodes on both sides each field whose value differs. The source
// configuration and partition are not compared: they say where a document came from.

#include <cstdint>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "partition/partition_document.h"

namespace xfer::partition {

struct FieldDifference {
    std::string field;  // "label", "style", "exceptions.hold.number"
    std::string
        before;  // the value on side A, as the export document writes it ("\"Reception\"", "3")
    std::string after;  // on side B
};

struct NodeDifference {
    std::int16_t node = 0;
    enum class Kind { OnlyInA, OnlyInB, Changed } kind = Kind::Changed;
    std::vector<FieldDifference> fields;  // for Changed
};

// In node number order.
std::vector<NodeDifference> DiffDocuments(const PartitionDocument& a, const PartitionDocument& b);

// The differences as text lines, one per field or one-sided node, each ending in a newline;
// `a` and `b` name the sides in the one-sided lines ("only in A").
std::string DifferenceText(const std::vector<NodeDifference>& differences, const std::string& a,
                           const std::string& b);
// {"nodes": [{"node": 5, "change": "changed", "fields": [{"field", "a", "b"}...]}...]}, the
// values as JSON values.
nlohmann::ordered_json DifferenceJson(const std::vector<NodeDifference>& differences);

}  // namespace xfer::partition
