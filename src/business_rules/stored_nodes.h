#pragma once
// XFER nodes as the configuration database stores them, read through the command catalogue:
// what the host shows of a partition and of a node after a session.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/database.h"

namespace xfer::business_rules {

struct StoredTarget {
    std::string type;    // the type name as stored
    std::string number;  // the node number as stored
};

struct StoredXferNode {
    std::int16_t number = 0;
    std::string label;
    std::string dial;
    std::string style;                    // the STYLE node number as stored
    std::array<StoredTarget, 6> targets;  // Hold, MOH, Busy 1, Busy 2, No Answer, Answer
};

// Every XFER node of the partition, in node number order (the template node 0 included).
std::vector<StoredXferNode> ReadXferNodes(data::DataBase& db, std::int16_t config,
                                          std::int16_t partition);
// One XFER node, or nothing when it is not stored.
std::optional<StoredXferNode> ReadXferNode(data::DataBase& db, std::int16_t config,
                                           std::int16_t partition, std::int16_t node);

}  // namespace xfer::business_rules
