#pragma once
// The host's own statements over a partition's node rows, beside the editor's catalogue (which
// they never change): whether a partition has any node, and the nodes whose creation stopped
// half-way, that is a node row of its own type without its row in Node_General_Pool, or the
// reverse. They run on a DataBase's connection, so they take part in its transactions.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "data/commands.h"
#include "data/database.h"

namespace xfer::data {

// A detail table of a node type: its rows belong to the node whose number is in `master`.
struct DetailTable {
    const char* name;
    const char* master;             // NodeMasterID, or StyleID for the style tables
    std::optional<CommandId> copy;  // the creation's copy of the template's rows, if it has one
};

// A node type with a table of its own: what a creation writes for it.
struct NodeTable {
    int typeId;
    const char* name;  // Node_MSG ...
    std::vector<DetailTable> details;
};

const std::vector<NodeTable>& NodeTables();
const NodeTable* NodeTableOf(int typeId);

// Whether the partition has any row in Node_General_Pool.
bool PartitionHasNodes(DataBase& db, std::int16_t config, std::int16_t partition);

struct NodeKey {
    int typeId = 0;
    int number = 0;
    friend auto operator<=>(const NodeKey&, const NodeKey&) = default;
};

// The keys of a partition's half-created nodes, each list in type and number order.
struct HalfCreatedKeys {
    std::vector<NodeKey> withoutGeneralRow;  // node rows of their own type without a general row
    std::vector<NodeKey> withoutNodeRow;     // general rows of a type with a table of its own
};
HalfCreatedKeys FindHalfCreatedKeys(DataBase& db, std::int16_t config, std::int16_t partition);

// Rows of one detail table that belong to the node.
long long DetailRowCount(DataBase& db, std::int16_t config, std::int16_t partition,
                         const DetailTable& table, int number);
// Removes the node's general row and its rows in the detail tables of its type.
void RemoveNodeRows(DataBase& db, std::int16_t config, std::int16_t partition, const NodeKey& node);

}  // namespace xfer::data
