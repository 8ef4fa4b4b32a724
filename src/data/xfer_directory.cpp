#include "data/xfer_directory.h"

#include "data/database_access.h"
#include "data/node_types.h"

namespace xfer::data {

namespace {

// A partition exists once it has a limit of any type (the editor needs them to open a node).
// Its XFER nodes are counted on the node table's key, one partition's range at a time: no
// scan of the whole table.
constexpr std::string_view kPartitions =
    "SELECT p.Config_ID AS ConfigID, p.PartitionID AS PartID, "
    "(SELECT count(*) FROM Node_XFER x WHERE x.ConfigID = p.Config_ID "
    "AND x.PartID = p.PartitionID AND x.NodeTypeID = Given_NodeTypeID AND x.NodeNumber > 0) "
    "AS XferNodes FROM (SELECT DISTINCT Config_ID, PartitionID FROM Node_Type_Max) p "
    "ORDER BY p.Config_ID, p.PartitionID";

constexpr std::string_view kXferNodes =
    "SELECT NodeNumber, NodeDescription, Dial FROM Node_XFER WHERE ConfigID = Given_ConfigID "
    "AND PartID = Given_PartID AND NodeTypeID = Given_NodeTypeID AND NodeNumber > 0 "
    "ORDER BY NodeNumber";

const std::string kXfer = node_type::Text(node_type::kXFER);

}  // namespace

std::vector<PartitionEntry> ReadPartitions(DataBase& db) {
    Recordset rs;
    DataBaseAccess::connection(db).execute("Directory_Partitions", kPartitions, {kXfer}, &rs);
    std::vector<PartitionEntry> partitions;
    for (; !rs.eof(); rs.moveNext()) {
        partitions.push_back({rs.field("ConfigID").toInt16(), rs.field("PartID").toInt16(),
                              static_cast<long long>(rs.field("XferNodes").toDouble())});
    }
    return partitions;
}

std::vector<XferNodeEntry> ReadXferNodeEntries(DataBase& db, std::int16_t config,
                                               std::int16_t partition) {
    Recordset rs;
    DataBaseAccess::connection(db).execute(
        "Directory_XFER_Nodes", kXferNodes,
        {std::to_string(config), std::to_string(partition), kXfer}, &rs);
    std::vector<XferNodeEntry> nodes;
    nodes.reserve(static_cast<std::size_t>(rs.recordCount()));
    for (; !rs.eof(); rs.moveNext()) {
        nodes.push_back({rs.field("NodeNumber").toInt16(),
                         rs.field("NodeDescription").textOrEmpty(),
                         rs.field("Dial").textOrEmpty()});
    }
    return nodes;
}

}  // namespace xfer::data
