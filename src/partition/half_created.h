#pragma once
// Nodes whose creation stopped half-way: a creation writes the node's own row (and its detail
// rows) first and its row in Node_General_Pool last, each statement committing on its own, so
// a kill or a lost server in between leaves a node row that the saving check does not see (it
// looks at the general row) and that the next creation then collides with. The reverse, a
// general row of a type with a table of its own without its node row, makes the check take a
// node for existing that has nothing behind it.

#include <cstdint>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/partition_rows.h"
#include "partition/partition_references.h"

namespace xfer::partition {

// An XFER node whose style or exceptions point at a half-created node.
struct HalfCreatedReferrer {
    std::int16_t node = 0;
    std::string label;
    std::vector<std::string> sources;  // "Style", "Hold" .. "Answer"
};

struct HalfCreatedNode {
    data::NodeKey key;
    std::string name;         // "MSG 12", as the check names it
    std::string table;        // its own table: "Node_MSG"
    bool generalRow = false;  // true: the general row is there and the own row is not
    std::vector<HalfCreatedReferrer> referrers;
};

// In type and number order; database errors propagate.
std::vector<HalfCreatedNode> FindHalfCreated(data::DataBase& db, std::int16_t config,
                                             std::int16_t partition,
                                             const PartitionReferences& read);

// "a Node_MSG row without its Node_General_Pool row", or the reverse.
std::string DescribeHalf(const HalfCreatedNode& node);

}  // namespace xfer::partition
