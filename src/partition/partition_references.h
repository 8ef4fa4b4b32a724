#pragma once
// The references of every XFER node of a partition as the editor would hold them once the
// node is loaded: the style as the style list shows it and the six rows as loading fills them
// (type names looked up in the catalogue, NOOP and BEEP recognised only in their rows). Read
// through the command catalogue, without a form and without writing anything.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "business_rules/required_nodes.h"
#include "business_rules/stored_nodes.h"
#include "data/database.h"
#include "runtime/collection.h"

namespace xfer::partition {

// Where a reference comes from: "Style", then the exceptions' labels "Hold" to "Answer".
inline constexpr std::size_t kReferenceCount = 7;
std::string_view ReferenceSource(std::size_t index);

struct ResolvedReference {
    // As the form holds it; nothing when loading cannot make a row of it (or no style is set).
    std::optional<business_rules::NodeReference> ref;
    std::string problem;  // why there is none
};

struct PartitionNode {
    business_rules::StoredXferNode stored;
    std::array<ResolvedReference, kReferenceCount> references;  // style, Hold .. Answer
    // Why the editor would not load the node ("" when it would): the first failure in the
    // order loading meets them.
    std::string loadProblem;
};

struct PartitionReferences {
    // The catalogue as the editor loads it: identifier text -> name, name -> identifier text.
    runtime::Collection typeNames;
    runtime::Collection typeIds;
    int styleListLength = 0;
    std::vector<PartitionNode> nodes;  // every XFER node, in node number order
};

PartitionReferences ReadPartitionReferences(data::DataBase& db, std::int16_t config,
                                            std::int16_t partition);

}  // namespace xfer::partition
