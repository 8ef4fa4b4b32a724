// The configuration database as created from schema/: strict types, safe creation, and
// commands that stay on indexes.

#include "data/schema.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "data/commands.h"
#include "data/sql_provider.h"
#include "runtime/error.h"
#include "support/temp_database.h"

namespace xfer::data {
namespace {

using test::TempDatabase;
using test::TempFolder;

// Every suite builds its rows on an empty database, so its absence of demo rows is theirs.
TEST(Schema, CreatesStrictTablesInAWalDatabase) {
    TempDatabase db;
    EXPECT_EQ(db.scalar("PRAGMA journal_mode"), "wal");
    EXPECT_EQ(db.scalar("SELECT sum(strict) || ' of ' || count(*) FROM pragma_table_list WHERE "
                        "schema = 'main' AND type = 'table' AND name NOT LIKE 'sqlite%'"),
              "34 of 34");
}

// Creation is all or nothing and never touches an existing file.
TEST(Schema, CreationNeverTouchesAnExistingFileAndAFailingScriptLeavesNoFile) {
    TempFolder folder;
    const auto path = (folder.path() / "Database" / "NewDB.mdb").string();
    EXPECT_THROW(CreateDatabaseFromScripts(path, {SchemaSql(), "INSERT INTO Nowhere VALUES (1);"}),
                 runtime::Error);
    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_FALSE(std::filesystem::exists(path + "-wal"));

    std::ofstream(path) << "not mine";
    try {
        CreateConfigurationDatabase(path, true);
        ADD_FAILURE() << "an existing file was overwritten";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.number(), 58);
        EXPECT_EQ(e.source(), runtime::kComponentSource);
        EXPECT_NE(e.description().find(path), std::string::npos);
    }
    std::string text;
    std::getline(std::ifstream(path), text);
    EXPECT_EQ(text, "not mine");
}

// Every command but the type catalogue's reads and writes through an index, never a scan or a
// sort.
TEST(Schema, CommandsSearchAnIndexNeverScanOrSort) {
    TempDatabase db;
    for (const CommandDef& def : Commands()) {
        if (def.id == CommandId::Get_Node_Names)
            continue;
        SCOPED_TRACE(def.name);
        for (const auto& step : db.rows("EXPLAIN QUERY PLAN " + RewriteParameters(def.sql))) {
            const std::string& detail = step.back();
            EXPECT_TRUE(detail.starts_with("SEARCH ") && detail.find(" INDEX ") != detail.npos)
                << detail;
        }
    }
}

}  // namespace
}  // namespace xfer::data
