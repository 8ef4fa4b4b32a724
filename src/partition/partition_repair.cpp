#include "partition/partition_repair.h"

#include "business_rules/required_nodes.h"
#include "data/node_types.h"
#include "data/partition_rows.h"
#include "data/transaction.h"
#include "runtime/text.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;

// The template's detail rows that the node has none of, then its general row: the statements a
// creation runs after the node row, for the parts that are not there.
RepairAction Complete(data::DataBase& db, std::int16_t config, std::int16_t partition,
                      const HalfCreatedNode& node) {
    RepairAction action{node, RepairKind::Left, {}};
    const std::string configText = std::to_string(config);
    const std::string partitionText = std::to_string(partition);
    const std::string typeId = type::Text(node.key.typeId);
    const std::string number = std::to_string(node.key.number);
    if (!business_rules::NodeExists(db, configText, partitionText, typeId, "0")) {
        action.detail = "its template (number 0) has no Node_General_Pool row to copy";
        return action;
    }
    std::string written;
    for (const data::DetailTable& detail : data::NodeTableOf(node.key.typeId)->details) {
        if (!detail.copy ||
            data::DetailRowCount(db, config, partition, detail, node.key.number) != 0)
            continue;
        db.execute(*detail.copy, {number, configText, partitionText, "0"});
        if (data::DetailRowCount(db, config, partition, detail, node.key.number) != 0)
            written += std::string(detail.name) + " rows, ";
    }
    db.Duplicate_Node_In_General_Pool(
        {number, runtime::NowText(), configText, partitionText, "0", typeId});
    action.kind = RepairKind::Completed;
    action.detail = written + "the Node_General_Pool row, copied from the template";
    return action;
}

RepairAction Remove(data::DataBase& db, std::int16_t config, std::int16_t partition,
                    const HalfCreatedNode& node) {
    data::RemoveNodeRows(db, config, partition, node.key);
    return {node, RepairKind::Removed,
            "the Node_General_Pool row and any detail rows under its number"};
}

}  // namespace

PartitionRepair RepairPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                                bool dryRun) {
    PartitionRepair repair{config, partition, dryRun, {}};
    data::Transaction transaction(db, data::TransactionMode::ReadWrite);
    const PartitionReferences read = ReadPartitionReferences(db, config, partition);
    for (const HalfCreatedNode& node : FindHalfCreated(db, config, partition, read)) {
        repair.actions.push_back(node.generalRow ? Remove(db, config, partition, node)
                                                 : Complete(db, config, partition, node));
    }
    if (!dryRun)
        transaction.commit();
    return repair;
}

}  // namespace xfer::partition
