#include "bench_databases.h"

#include <filesystem>
#include <stdexcept>

#include "editor_host.h"

namespace xfer::bench {

namespace fs = std::filesystem;

namespace {

std::string Where(int config, int part) {
    return " WHERE ConfigID = " + std::to_string(config) + " AND PartID = " + std::to_string(part);
}

}  // namespace

const std::map<int, std::vector<std::pair<std::string, std::string>>>& CreatedRows() {
    static const std::map<int, std::vector<std::pair<std::string, std::string>>> rows{
        {0, {{"Node_MSG", "NodeNumber"}}},
        {1, {{"Node_CMD", "NodeNumber"}, {"Detail_CMD", "NodeMasterID"}}},
        {2, {{"Node_TIME", "NodeNumber"}, {"Detail_TIME", "NodeMasterID"}}},
        {4, {{"Node_XFER", "NodeNumber"}}},
        {5,
         {{"Node_STYLE", "NodeNumber"},
          {"STYLE_Partial", "StyleID"},
          {"STYLE_Full", "StyleID"},
          {"STYLE_DialCont", "StyleID"},
          {"STYLE_Enhanced", "StyleID"}}},
        {6,
         {{"Node_DTMF", "NodeNumber"},
          {"Detail_DTMF_Prompts", "NodeMasterID"},
          {"Detail_DTMF_Action", "NodeMasterID"}}},
        {11, {{"Node_MOH", "NodeNumber"}}},
    };
    return rows;
}

std::unique_ptr<Sql> SaveSql(const Database& db) {
    if (!db.saveServer.empty())
        return std::make_unique<Sql>(db.saveServer, true);
    return std::make_unique<Sql>(EditorHost::DatabasePath(db.saveRoot));
}

std::vector<NodeRef> AddNodeWithMissingReferences(Database& db) {
    const std::unique_ptr<Sql> owned = SaveSql(db);
    Sql& sql = *owned;
    const auto taken = [&](int type, int number) {
        return sql.any("SELECT 1 FROM Node_General_Pool" + Where(db.saveConfig, db.savePart) +
                       " AND NodeTypeID = " + std::to_string(type) +
                       " AND NodeNumber = " + std::to_string(number));
    };
    const auto freeNumber = [&](int type, int skip) {
        int n = 1;
        while (taken(type, n) || n == skip)
            ++n;
        return n;
    };
    db.saveNode = static_cast<std::int16_t>(freeNumber(4, 0));
    const std::vector<NodeRef> created{{5, freeNumber(5, 0)},          {0, freeNumber(0, 0)},
                                       {11, freeNumber(11, 0)},        {1, freeNumber(1, 0)},
                                       {2, freeNumber(2, 0)},          {6, freeNumber(6, 0)},
                                       {4, freeNumber(4, db.saveNode)}};
    const auto n = [&](std::size_t i) { return std::to_string(created[i].number); };
    const std::string key = std::to_string(db.saveConfig) + ", " + std::to_string(db.savePart) +
                            ", " + std::to_string(db.saveNode);
    sql.exec(
        "INSERT INTO Node_XFER (ConfigID, PartID, NodeNumber, StyleNodeNumber, "
        "HoldNodeType, HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType, "
        "Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, "
        "NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeDescription) VALUES (" +
        key + ", " + n(0) + ", 'MSG', " + n(1) + ", '2001', 'MOH', " + n(2) + ", 'CMD', " + n(3) +
        ", 'TIME', " + n(4) + ", 'DTMF', " + n(5) + ", 'XFER', " + n(6) +
        ", 'Nothing exists yet');"
        "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription, DateModified) VALUES (" +
        std::to_string(db.saveConfig) + ", " + std::to_string(db.savePart) + ", 4, " +
        std::to_string(db.saveNode) + ", 'XFER', 'Nothing exists yet', '3/14/2024 9:30:00 AM')");
    return created;
}

void RemoveCreatedNodes(const Database& db) {
    std::string sql = "BEGIN;";
    for (const NodeRef& r : db.created) {
        const std::string n = std::to_string(r.number);
        sql += "DELETE FROM Node_General_Pool" + Where(db.saveConfig, db.savePart) +
               " AND NodeTypeID = " + std::to_string(r.typeId) + " AND NodeNumber = " + n + ";";
        for (const auto& [table, column] : CreatedRows().at(r.typeId))
            sql += "DELETE FROM " + table + Where(db.saveConfig, db.savePart) + " AND " + column +
                   " = " + n + ";";
    }
    SaveSql(db)->exec(sql + "COMMIT;");
}

bool AllCreated(const Database& db) {
    const std::unique_ptr<Sql> owned = SaveSql(db);
    Sql& sql = *owned;
    for (const NodeRef& r : db.created) {
        const auto& table = CreatedRows().at(r.typeId).front().first;
        const std::string key =
            Where(db.saveConfig, db.savePart) + " AND NodeNumber = " + std::to_string(r.number);
        if (!sql.any("SELECT 1 FROM Node_General_Pool" + key +
                     " AND NodeTypeID = " + std::to_string(r.typeId)) ||
            !sql.any("SELECT 1 FROM " + table + key))
            return false;
    }
    return true;
}

void CopyDatabase(const std::string& from, const std::string& root) {
    const fs::path to = EditorHost::DatabasePath(root);
    fs::create_directories(to.parent_path());
    fs::copy_file(from, to, fs::copy_options::overwrite_existing);
}

}  // namespace xfer::bench
