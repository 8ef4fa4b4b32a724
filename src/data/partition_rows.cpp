#include "data/partition_rows.h"

#include <algorithm>
#include <iterator>
#include <map>

#include "data/database_access.h"
#include "data/node_types.h"

namespace xfer::data {

namespace {

namespace type = node_type;

// Statements are prepared once per connection under their key, so each text is made once.
struct Statement {
    std::string key;
    std::string sql;
};

Recordset Run(DataBase& db, const Statement& statement, const std::vector<std::string>& values,
              bool rows) {
    Recordset result;
    DataBaseAccess::connection(db).execute(statement.key, statement.sql, values,
                                           rows ? &result : nullptr);
    return result;
}

std::vector<std::string> Scope(std::int16_t config, std::int16_t partition) {
    return {std::to_string(config), std::to_string(partition)};
}

const std::string kInPartition = "ConfigID = Given_ConfigID AND PartID = Given_PartID";

std::vector<NodeKey> Keys(Recordset rows) {
    std::vector<NodeKey> keys;
    for (; !rows.eof(); rows.moveNext())
        keys.push_back({rows.field("TypeID").toInt32(), rows.field("Number").toInt32()});
    return keys;
}

}  // namespace

const std::vector<NodeTable>& NodeTables() {
    using C = CommandId;
    static const std::vector<NodeTable> tables{
        {type::kMSG, "Node_MSG", {}},
        {type::kCMD, "Node_CMD", {{"Detail_CMD", "NodeMasterID", C::Duplicate_Detail_CMD_NODE}}},
        {type::kTIME,
         "Node_TIME",
         {{"Detail_TIME", "NodeMasterID", C::Duplicate_Detail_TIME_Node}}},
        {type::kDATE,
         "Node_DATE",
         {{"Detail_DATE", "NodeMasterID", C::Duplicate_Detail_DATE_Node}}},
        {type::kXFER, "Node_XFER", {}},
        // The style's detail table follows its supervision; a creation copies the one the
        // template's SuperviseID names.
        {type::kSTYLE,
         "Node_STYLE",
         {{"STYLE_Partial", "StyleID", {}},
          {"STYLE_Full", "StyleID", {}},
          {"STYLE_DialCont", "StyleID", {}},
          {"STYLE_Enhanced", "StyleID", {}}}},
        {type::kDTMF,
         "Node_DTMF",
         {{"Detail_DTMF_Prompts", "NodeMasterID", C::Duplicate_DetailPrompts_DTMF_Node},
          {"Detail_DTMF_Action", "NodeMasterID", C::Duplicate_DetailActions_DTMF_Node}}},
        {type::kVOX,
         "Node_VOX",
         {{"Detail_VOX_Prompts", "NodeMasterID", C::Duplicate_DetailPrompts_VOX_Node},
          {"Detail_VOX_Action", "NodeMasterID", C::Duplicate_DetailActions_VOX_Node}}},
        {type::kLIST,
         "Node_LIST",
         {{"Detail_LIST", "NodeMasterID", C::Duplicate_Detail_LIST_Node}}},
        {type::kAUTO,
         "Node_AUTO",
         {{"Detail_AUTO_Prompts", "NodeMasterID", C::Duplicate_DetailPrompts_AUTO_Node},
          {"Detail_AUTO_Action", "NodeMasterID", C::Duplicate_DetailActions_AUTO_Node}}},
        {type::kMOH, "Node_MOH", {}},
        {type::kPAAS, "Node_PAAS", {}},
        {type::kTABLE,
         "Node_TABLE",
         {{"Detail_TABLE_Action", "NodeMasterID", C::Duplicate_DetailActions_TABLE_Node}}},
        {type::kDBN,
         "Node_DBN",
         {{"Detail_DBN_Prompts", "NodeMasterID", C::Duplicate_DetailPrompts_DBN_Node}}},
    };
    return tables;
}

const NodeTable* NodeTableOf(int typeId) {
    for (const NodeTable& table : NodeTables()) {
        if (table.typeId == typeId)
            return &table;
    }
    return nullptr;
}

bool PartitionHasNodes(DataBase& db, std::int16_t config, std::int16_t partition) {
    static const Statement statement{
        "host:PartitionHasNodes",
        "SELECT 1 AS Found FROM Node_General_Pool WHERE " + kInPartition + " LIMIT 1"};
    return !Run(db, statement, Scope(config, partition), true).eof();
}

HalfCreatedKeys FindHalfCreatedKeys(DataBase& db, std::int16_t config, std::int16_t partition) {
    // Both sides are read once and compared in memory. A look-up per row in SQL is a key search
    // for each of the partition's thousands of rows, or a scan of the partition's part of a
    // node table where the question does not fit that table's key: seconds on a large partition.
    static const Statement general = [] {
        std::string types;
        for (const NodeTable& table : NodeTables())
            types += (types.empty() ? "" : ", ") + type::Text(table.typeId);
        return Statement{"host:GeneralRowKeys",
                         "SELECT NodeTypeID AS TypeID, NodeNumber AS Number FROM "
                         "Node_General_Pool WHERE " +
                             kInPartition + " AND NodeTypeID IN (" + types + ")"};
    }();
    static const Statement nodes = [] {
        std::string sql;
        for (const NodeTable& table : NodeTables()) {
            sql += (sql.empty() ? "" : " UNION ALL ") + std::string("SELECT ") +
                   type::Text(table.typeId) + " AS TypeID, NodeNumber AS Number FROM " +
                   table.name + " WHERE " + kInPartition;
        }
        return Statement{"host:NodeRowKeys", sql};
    }();
    std::vector<NodeKey> generalKeys = Keys(Run(db, general, Scope(config, partition), true));
    std::vector<NodeKey> nodeKeys = Keys(Run(db, nodes, Scope(config, partition), true));
    std::sort(generalKeys.begin(), generalKeys.end());  // whatever order the engine gave
    std::sort(nodeKeys.begin(), nodeKeys.end());
    HalfCreatedKeys found;
    std::set_difference(nodeKeys.begin(), nodeKeys.end(), generalKeys.begin(), generalKeys.end(),
                        std::back_inserter(found.withoutGeneralRow));
    std::set_difference(generalKeys.begin(), generalKeys.end(), nodeKeys.begin(), nodeKeys.end(),
                        std::back_inserter(found.withoutNodeRow));
    return found;
}

long long DetailRowCount(DataBase& db, std::int16_t config, std::int16_t partition,
                         const DetailTable& table, int number) {
    static std::map<std::string, Statement> statements;
    auto [it, added] = statements.try_emplace(table.name);
    if (added) {
        it->second = {std::string("host:DetailRowCount:") + table.name,
                      std::string("SELECT count(*) AS Found FROM ") + table.name + " WHERE " +
                          kInPartition + " AND " + table.master + " = Given_Master"};
    }
    std::vector<std::string> values = Scope(config, partition);
    values.push_back(std::to_string(number));
    return Run(db, it->second, values, true).field("Found").toInt32();
}

void RemoveNodeRows(DataBase& db, std::int16_t config, std::int16_t partition,
                    const NodeKey& node) {
    std::vector<std::string> values = Scope(config, partition);
    values.push_back(std::to_string(node.number));
    static const Statement general{"host:RemoveGeneralRow",
                                   "DELETE FROM Node_General_Pool WHERE " + kInPartition +
                                       " AND NodeTypeID = Given_TypeID AND NodeNumber = "
                                       "Given_Number"};
    std::vector<std::string> generalValues = values;
    generalValues.insert(generalValues.begin() + 2, std::to_string(node.typeId));
    Run(db, general, generalValues, false);
    const NodeTable* table = NodeTableOf(node.typeId);
    if (table == nullptr)
        return;
    static std::map<std::string, Statement> statements;
    for (const DetailTable& detail : table->details) {
        auto [it, added] = statements.try_emplace(detail.name);
        if (added) {
            it->second = {std::string("host:RemoveDetailRows:") + detail.name,
                          std::string("DELETE FROM ") + detail.name + " WHERE " + kInPartition +
                              " AND " + detail.master + " = Given_Master"};
        }
        Run(db, it->second, values, false);
    }
}

}  // namespace xfer::data
