// The large database generator: what the benchmarks count on holds in a small one, and the
// same seed makes the same file.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "large_db.h"

namespace xfer::bench {
namespace {

namespace fs = std::filesystem;

class Folder {
  public:
    Folder() {
        std::string pattern = (fs::temp_directory_path() / "xfer-large-db-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp");
        path_ = pattern;
    }
    ~Folder() { fs::remove_all(path_); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

std::string Scalar(const std::string& path, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* stmt = nullptr;
    std::string result = "prepare failed: " + std::string(sqlite3_errmsg(db));
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) == SQLITE_OK) {
        result = sqlite3_step(stmt) == SQLITE_ROW && sqlite3_column_text(stmt, 0) != nullptr
                     ? reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0))
                     : "";
    }
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return result;
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

TEST(LargeDbTest, PartitionsHoldWhatTheBenchmarksOpen) {
    Folder folder;
    const std::string path = folder.file("large.mdb");
    MakeLargeDatabase(path, {7, 1, 2});

    struct Case {
        const char* what;
        const char* sql;
        const char* expected;
    };
    const Case cases[] = {
        {"journal", "PRAGMA journal_mode", "wal"},
        {"full partition", "SELECT count(*) FROM Node_XFER WHERE PartID = 1 AND NodeNumber > 0",
         "999"},
        {"its limit",
         "SELECT Max_Number FROM Node_Type_Max WHERE PartitionID = 1 AND NodeType_ID = 4", "999"},
        {"wide type", "SELECT min(Max_Number) FROM Node_Type_Max WHERE NodeType_ID = 0", "32767"},
        {"limit rows", "SELECT count(*) FROM Node_Type_Max", "40"},
        {"templates", "SELECT count(*) FROM Node_General_Pool WHERE NodeNumber = 0", "28"},
        {"template details", "SELECT count(*) FROM Detail_CMD WHERE NodeMasterID = 0", "4"},
        // Every XFER node loads: its style is in the style list and every numbered target
        // exists.
        {"styles",
         "SELECT count(*) FROM Node_XFER x JOIN Node_Type_Max m ON m.Config_ID = "
         "x.ConfigID AND m.PartitionID = x.PartID AND m.NodeType_ID = 5 "
         "WHERE x.StyleNodeNumber NOT BETWEEN 1 AND m.Max_Number",
         "0"},
        {"targets",
         "WITH t(c, p, name, num) AS (SELECT ConfigID, PartID, HoldNodeType, HoldNodeNumber "
         "FROM Node_XFER UNION ALL SELECT ConfigID, PartID, MOHNodeType, MOHNodeNumber FROM "
         "Node_XFER UNION ALL SELECT ConfigID, PartID, Busy1NodeType, Busy1NodeNumber FROM "
         "Node_XFER UNION ALL SELECT ConfigID, PartID, Busy2NodeType, Busy2NodeNumber FROM "
         "Node_XFER UNION ALL SELECT ConfigID, PartID, NoAnswerNodeType, NoAnswerNodeNumber "
         "FROM Node_XFER UNION ALL SELECT ConfigID, PartID, AnswerNodeType, AnswerNodeNumber "
         "FROM Node_XFER) SELECT count(*) FROM t LEFT JOIN SR_Node_Type_Names n ON "
         "n.English_Name = t.name WHERE t.name NOT IN ('NOOP', 'BEEP') AND NOT EXISTS (SELECT 1 "
         "FROM Node_General_Pool g WHERE g.ConfigID = t.c AND g.PartID = t.p AND g.NodeTypeID = "
         "n.ID AND g.NodeNumber = t.num)",
         "0"},
        {"general rows of XFER nodes",
         "SELECT count(*) FROM Node_XFER x WHERE NOT EXISTS (SELECT 1 FROM Node_General_Pool g "
         "WHERE g.ConfigID = x.ConfigID AND g.PartID = x.PartID AND g.NodeTypeID = 4 AND "
         "g.NodeNumber = x.NodeNumber)",
         "0"},
        {"node rows of general rows",
         "SELECT count(*) FROM Node_General_Pool g WHERE g.NodeTypeID = 0 AND NOT EXISTS "
         "(SELECT 1 FROM Node_MSG m WHERE m.ConfigID = g.ConfigID AND m.PartID = g.PartID AND "
         "m.NodeTypeID = 0 AND m.NodeNumber = g.NodeNumber)",
         "0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Scalar(path, c.sql), c.expected) << c.what;
}

TEST(LargeDbTest, TheSeedDecidesTheFile) {
    Folder folder;
    MakeLargeDatabase(folder.file("a.mdb"), {7, 1, 1});
    MakeLargeDatabase(folder.file("b.mdb"), {7, 1, 1});
    MakeLargeDatabase(folder.file("c.mdb"), {8, 1, 1});
    EXPECT_EQ(Bytes(folder.file("a.mdb")), Bytes(folder.file("b.mdb")));
    EXPECT_NE(Bytes(folder.file("a.mdb")), Bytes(folder.file("c.mdb")));
    EXPECT_THROW(MakeLargeDatabase(folder.file("a.mdb"), {}), std::runtime_error);
}

}  // namespace
}  // namespace xfer::bench
