#pragma once
// A partition's XFER nodes as a document, read in one read transaction so that the export document
// describes one state of the partition.

#include <cstdint>
#include <optional>
#include <vector>

#include "data/database.h"
#include "partition/partition_document.h"

namespace xfer::partition {

// Every XFER node but the template node 0, or exactly the nodes listed (0 included when it is
// listed; a listed node that does not exist is left out), in node number order. Database
// errors propagate.
PartitionDocument ExportPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                                  const std::optional<std::vector<std::int16_t>>& nodes = {});

// The same, for a caller already inside a transaction.
PartitionDocument ReadPartitionDocument(data::DataBase& db, std::int16_t config,
                                        std::int16_t partition,
                                        const std::optional<std::vector<std::int16_t>>& nodes);

}  // namespace xfer::partition
