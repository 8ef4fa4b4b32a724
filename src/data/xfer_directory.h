#pragma once
// What a person chooses an XFER node from: the partitions of the configuration database with
// how many XFER nodes each holds, and a partition's XFER nodes by number, label and number to
// dial. The host's own queries, on the connection of a DataBase; they only read.

#include <cstdint>
#include <string>
#include <vector>

#include "data/database.h"

namespace xfer::data {

struct PartitionEntry {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    long long xferNodes = 0;  // the nodes the editor lists: the template node 0 not counted
};

struct XferNodeEntry {
    std::int16_t number = 0;
    std::string label;  // as stored: it may be empty, or not UTF-8 at all
    std::string dial;
};

// Every partition that has limits, by configuration and partition.
std::vector<PartitionEntry> ReadPartitions(DataBase& db);

// The partition's XFER nodes above the template node, by number.
std::vector<XferNodeEntry> ReadXferNodeEntries(DataBase& db, std::int16_t config,
                                               std::int16_t partition);

}  // namespace xfer::data
