#include "business_rules/stored_nodes.h"

#include "data/node_types.h"
#include "editor/exception_table.h"

namespace xfer::business_rules {

namespace {
StoredXferNode NodeOf(data::Recordset& rs) {
    StoredXferNode node;
    node.number = rs.field("NodeNumber").toInt16();
    node.label = rs.field("NodeDescription").textOrEmpty();
    node.dial = rs.field("Dial").textOrEmpty();
    node.style = rs.field("StyleNodeNumber").textOrEmpty();
    for (const auto& e : editor::kExceptions) {
        node.targets[static_cast<std::size_t>(e.id)] = {rs.field(e.typeColumn).textOrEmpty(),
                                                        rs.field(e.numberColumn).textOrEmpty()};
    }
    return node;
}

const std::string kXfer = data::node_type::Text(data::node_type::kXFER);
}  // namespace

std::vector<StoredXferNode> ReadXferNodes(data::DataBase& db, std::int16_t config,
                                          std::int16_t partition) {
    data::Recordset& rs = db.rsGet_All_XFER_Nodes();
    const data::ClosesOnExit closing(rs);
    db.Get_All_XFER_Nodes({std::to_string(config), std::to_string(partition), kXfer});
    std::vector<StoredXferNode> nodes;
    for (; !rs.eof(); rs.moveNext())
        nodes.push_back(NodeOf(rs));
    return nodes;
}

std::optional<StoredXferNode> ReadXferNode(data::DataBase& db, std::int16_t config,
                                           std::int16_t partition, std::int16_t node) {
    data::Recordset& rs = db.rsGet_XFER_Node();
    db.Get_XFER_Node(
        {std::to_string(config), std::to_string(partition), std::to_string(node), kXfer});
    std::optional<StoredXferNode> found;
    if (!rs.eof())
        found = NodeOf(rs);
    rs.close();
    return found;
}

}  // namespace xfer::business_rules
