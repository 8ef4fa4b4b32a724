#pragma once
// The saving check over a whole partition, read-only: for every XFER node, the referenced
// nodes that saving it would offer to create, by exactly the rules the saving check applies
// (required_nodes.h). Nothing is created or written.

#include <cstdint>
#include <string>
#include <vector>

#include "data/database.h"
#include "partition/half_created.h"

namespace xfer::partition {

struct DanglingReference {
    std::int16_t node = 0;  // the XFER node
    std::string label;      // its label
    // Where it is referenced: "Style", "Hold" .. "Answer", in the order the check lists them;
    // the check asks about the node once, for the first of them.
    std::vector<std::string> sources;
    std::string target;  // the display name the check would ask about: "MSG 12"
    std::string targetTypeId;
    std::string targetNumber;
};

// A node that the saving check cannot run on: the editor would not load it, or saving stops
// before the check has listed anything.
struct UncheckedNode {
    std::int16_t node = 0;
    std::string label;
    std::string reason;
};

struct PartitionCheck {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    int nodes = 0;  // XFER nodes in the partition, the template node 0 included
    std::vector<DanglingReference> dangling;
    std::vector<UncheckedNode> unchecked;
    // Nodes whose creation stopped half-way: `repair` completes or removes them.
    std::vector<HalfCreatedNode> halfCreated;

    bool clean() const noexcept {
        return dangling.empty() && unchecked.empty() && halfCreated.empty();
    }
};

// Reads the partition through the command catalogue; database errors propagate.
PartitionCheck CheckPartition(data::DataBase& db, std::int16_t config, std::int16_t partition);

}  // namespace xfer::partition
