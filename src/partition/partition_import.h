#pragma once
// Makes a partition's XFER nodes say what a document says, by the editor's rules, in one
// transaction: one refused node and nothing changes. A node the export document has and the
// partition has not is created from the XFER template node 0 first, as saving creates a missing
// node; a referenced node that does not exist is created from its type's template when asked to,
// and is otherwise refused. Nodes the partition has and the export document has not are left alone.

#include <cstdint>
#include <string>
#include <vector>

#include "data/database.h"
#include "partition/import_rules.h"
#include "partition/partition_diff.h"
#include "partition/partition_document.h"

namespace xfer::partition {

struct ImportOptions {
    bool dryRun = false;         // check and tell what would change; write nothing
    bool createMissing = false;  // create missing referenced nodes from their templates
};

struct ImportReport {
    std::vector<Refusal> refused;         // nothing was written when there is one
    std::vector<NodeDifference> changes;  // the partition (A) against the export document (B)
    std::vector<std::string> created;     // referenced nodes created, "MSG 12", in order
    std::vector<std::int16_t> leftAlone;  // XFER nodes (but 0) that the export document lacks
    bool written = false;                 // the transaction was committed

    bool accepted() const noexcept { return refused.empty(); }
};

// Database errors propagate, and then nothing is written either.
ImportReport ImportPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                             const PartitionDocument& document, const ImportOptions& options);

}  // namespace xfer::partition
