// The configuration database as created from schema/: strict types, safe creation, and
// reading commands that stay on indexes.

#include "data/schema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "runtime/error.h"
#include "support/temp_database.h"

namespace xfer::data {
namespace {

using test::TempDatabase;
using test::TempFolder;

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Schema, CreatesFoldersAndAWalDatabaseWithoutDemoRowsWhenAsked) {
    TempDatabase db(false);
    EXPECT_EQ(db.scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(db.count("SELECT 1 FROM sqlite_master WHERE type = 'table'"), 34);
    EXPECT_EQ(db.count("SELECT 1 FROM SR_Node_Type_Names"), 0);
}

TEST(Schema, NumberColumnsRefuseTextThatIsNotANumberButTakeDecimalText) {
    TempDatabase db(false);
    struct Case {
        const char* table;
        const char* columns;
        const char* values;
    };
    for (const Case& c : {
             Case{"Node_XFER", "ConfigID, PartID, NodeNumber, HoldNodeNumber", "1, 1, 1, %"},
             Case{"Node_Type_Max", "Config_ID, PartitionID, NodeType_ID, Max_Number", "1, 1, 4, %"},
             Case{"Node_General_Pool", "ConfigID, PartID, NodeTypeID, NodeNumber", "1, 1, 4, %"},
             Case{"STYLE_Full", "ConfigID, PartID, StyleID, RingLimit", "1, 1, 1, %"},
         }) {
        SCOPED_TRACE(c.table);
        const std::string insert = std::string("INSERT INTO ") + c.table + " (" + c.columns +
                                   ") VALUES (" + c.values + ")";
        const auto with = [&](const std::string& value) {
            std::string sql = insert;
            return sql.replace(sql.find('%'), 1, value);
        };
        EXPECT_THROW(db.exec(with("'abc'")), std::runtime_error);
        db.exec(with("'12'"));
        EXPECT_EQ(db.count(std::string("SELECT 1 FROM ") + c.table), 1);
    }
    EXPECT_EQ(db.scalar("SELECT typeof(HoldNodeNumber) FROM Node_XFER"), "integer");
}

TEST(Schema, CreationNeverTouchesAnExistingFile) {
    TempFolder folder;
    const auto path = (folder.path() / "NewDB.mdb").string();
    std::ofstream(path) << "not mine";
    try {
        CreateConfigurationDatabase(path, true);
        FAIL() << "an existing file was overwritten";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.number(), 58);
        EXPECT_EQ(e.source(), runtime::kComponentSource);
        EXPECT_NE(e.description().find(path), std::string::npos);
    }
    EXPECT_EQ(ReadFile(path), "not mine");
}

TEST(Schema, AFailingScriptLeavesNoFileBehind) {
    TempFolder folder;
    const auto path = (folder.path() / "Database" / "NewDB.mdb").string();
    EXPECT_THROW(CreateDatabaseFromScripts(path, {SchemaSql(), "INSERT INTO Nowhere VALUES (1);"}),
                 runtime::Error);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));
    CreateConfigurationDatabase(path, false);  // the name is free again
    EXPECT_TRUE(std::filesystem::exists(path));
}

TEST(Schema, ReadingAndCopyingCommandsSearchAnIndexNeverScanOrSort) {
    TempDatabase db(false);
    for (const char* sql : {
             // Get_All_XFER_Nodes
             "SELECT * FROM Node_XFER WHERE ConfigID = ?1 AND PartID = ?2 AND NodeTypeID = ?3 "
             "ORDER BY NodeNumber",
             // Get_XFER_Node
             "SELECT Node_XFER.* FROM Node_XFER WHERE ConfigID = ?1 AND PartID = ?2 AND "
             "NodeNumber = ?3 AND NodeTypeID = ?4",
             // Get_Description
             "SELECT * FROM Node_General_Pool WHERE ConfigID = ?1 AND PartID = ?2 AND "
             "NodeTypeID = ?3 AND NodeNumber = ?4",
             // Get_Max_NodeNumber
             "SELECT Node_Type_Max.* FROM Node_Type_Max WHERE Config_ID = ?1 AND PartitionID = "
             "?2 AND NodeType_ID = ?3 ORDER BY NodeType_ID",
             // Get_Node_Type_can_contain_nodes
             "SELECT * FROM SR_Node_Type_can_contain_Node_Type WHERE (Parent_Node_Type_ID = ?1) "
             "AND (Set_ID = ?2) ORDER BY Parent_Node_Type_ID, Child_Node_Type_ID",
             // Get_STYLE_Node
             "SELECT Node_STYLE.* FROM Node_STYLE WHERE ConfigID = ?1 AND PartID = ?2 AND "
             "NodeNumber = ?3 AND NodeTypeID = ?4",
             // the source rows of a detail copy and of a style detail copy
             "SELECT * FROM Detail_DTMF_Action WHERE ConfigID = ?1 AND PartID = ?2 AND "
             "NodeMasterID = ?3",
             "SELECT * FROM STYLE_Enhanced WHERE ConfigID = ?1 AND PartID = ?2 AND StyleID = ?3",
         }) {
        SCOPED_TRACE(sql);
        for (const auto& step : db.rows(std::string("EXPLAIN QUERY PLAN ") + sql)) {
            const std::string& detail = step.back();
            EXPECT_TRUE(detail.starts_with("SEARCH ") && detail.find(" INDEX ") != detail.npos)
                << detail;
        }
    }
}

}  // namespace
}  // namespace xfer::data
