#pragma once
// Repairs the half-created nodes of a partition (half_created.h) in one transaction, so that
// each ends as a whole creation would have left it:
// - a node row without its general row is completed: the template's detail rows that the cut
//   creation had not copied yet (for a detail table where the node has none) and the general
//   row, by the creation's own statements, from the type's template node 0;
// - a general row without its node row is removed, with any detail rows left under its number:
//   the saving check then sees the node as missing and offers to create it whole.
// A node whose template has no general row cannot be completed (there is nothing to copy) and
// is left as it is, with the reason.

#include <cstdint>
#include <string>
#include <vector>

#include "data/database.h"
#include "partition/half_created.h"

namespace xfer::partition {

enum class RepairKind { Completed, Removed, Left };

struct RepairAction {
    HalfCreatedNode node;
    RepairKind kind = RepairKind::Left;
    std::string detail;  // what was written or removed, or why it was left
};

struct PartitionRepair {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    bool dryRun = false;
    std::vector<RepairAction> actions;
};

// With dryRun, everything runs in the transaction and is rolled back at the end. Database
// errors propagate, and the transaction then leaves the database as it was.
PartitionRepair RepairPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                                bool dryRun);

}  // namespace xfer::partition
