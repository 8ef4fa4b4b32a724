#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "data/database.h"
#include "data/seeded_database.h"
#include "runtime/error.h"

namespace xfer::data {
namespace {

using fixture::SeededDatabase;

// The provider of the suite's databases (file or server) and how each names a failure.
const bool kOnServer = test::TempDatabase::OnServer();
const std::string kSource = kOnServer ? kServerProviderName : kProviderSource;

// The error an action raises, checked to come from `source` and to say `says`; 0 when nothing
// is raised.
long ProviderError(const std::function<void()>& action, const std::string& source = kSource,
                   const std::string& says = "") {
    try {
        action();
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.source(), source);
        EXPECT_FALSE(e.description().empty());
        EXPECT_NE(e.description().find(says), std::string::npos) << e.description();
        return e.number();
    }
    return 0;
}

// Both dialects number the parameters alike; the server's also folds quoted names.
TEST(Provider, RewritesGivenIdentifiersInOrderOfFirstOccurrence) {
    const struct {
        const char* sql;
        const char* file;
        const char* server;
        std::vector<std::string> names;
    } cases[] = {
        {"a = `Given_A` AND b = Given_B",
         "a = ?1 AND b = ?2",
         "a = $1 AND b = $2",
         {"Given_A", "Given_B"}},
        {"x = Given_B, y = `Given_A`, z = `given_b`",
         "x = ?1, y = ?2, z = ?1",
         "x = $1, y = $2, z = $1",
         {"Given_B", "Given_A"}},
        {"SELECT ID,`Given_X`FROM T", "SELECT ID,?1FROM T", "SELECT ID,$1FROM T", {"Given_X"}},
        {"`Given_A`0, `Given_B`1",  // not ?10, ?21
         "?1 0, ?2 1",
         "$1 0, $2 1",
         {"Given_A", "Given_B"}},
        {"`Password`, NotGiven_A, Given_",
         "`Password`, NotGiven_A, Given_",
         "\"password\", NotGiven_A, Given_",
         {}},
        {"a = 'it''s Given_A' AND c = Given_C",
         "a = 'it''s Given_A' AND c = ?1",
         "a = 'it''s Given_A' AND c = $1",
         {"Given_C"}},
    };
    for (const auto& c : cases) {
        std::vector<std::string> names;
        EXPECT_EQ(RewriteParameters(c.sql, &names), c.file);
        EXPECT_EQ(names, c.names) << c.sql;
        EXPECT_EQ(AdaptForServer(c.sql, &names), c.server);
        EXPECT_EQ(names, c.names) << c.sql;
    }
    EXPECT_EQ(AdaptForServer("[Node Type] = [Given_Y] AND `Order` = 1"),
              "\"node type\" = $1 AND \"order\" = 1");
}

// A missing file is the opening tests' (one message per loader, and no file made).
TEST(Provider, AFileThatIsNoDatabaseFailsAtTheFirstCommand) {
    test::TempFolder root;
    const auto file = test::TempDatabase::DatabasePath(root.path());
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << "just some text\n";
    fixture::TestServices services(root.path().string());
    DataBase db(services.view());
    EXPECT_NE(ProviderError([&] { db.Get_Node_Names({}); }), 0);
    EXPECT_FALSE(db.Conn.isOpen());
}

// The database's refusals carry the engine's number; the client's own (the call and the result
// set, whichever provider filled it) carry the component's or the provider's.
TEST(Provider, EachFailureRaisesItsNumberFromItsSource) {
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    Params badNumber(20, "1");
    badNumber[3] = "abc";  // HoldNodeNumber; the WHERE values below find the template row
    badNumber[16] = "4";
    badNumber[18] = "2";
    badNumber[19] = "0";
    db.Get_Node_Names({});
    Recordset& rs = db.rsGet_Node_Names();
    EXPECT_EQ(rs["english_name"], runtime::Variant("English_Name-text"));
    EXPECT_EQ(ProviderError([&] { db.Update_XFER_Node(badNumber); }),
              kOnServer ? 33685634 /* 22P02, invalid text representation */
                        : SQLITE_CONSTRAINT_DATATYPE);
    const std::string component(runtime::kComponentSource);
    for (const Params& wrong : {Params{"1", "2"}, Params{"1", "2", "0", "4", "5"}}) {
        EXPECT_EQ(ProviderError([&] { db.Get_XFER_Node(wrong); }, component),
                  runtime::err::kWrongNumberOfArguments);
    }
    EXPECT_EQ(ProviderError([&] { rs.field("NoSuchField"); }, kProviderSource, "NoSuchField"),
              3265);
    rs.moveNext();
    EXPECT_EQ(ProviderError([&] { rs.field("ID"); }, kProviderSource), 3021);
    EXPECT_EQ(ProviderError([&] { rs.moveNext(); }, kProviderSource), 3021);
}

// Another workstation holds a lock: the command waits for the command time-out (the server's
// lock time-out), then fails.
TEST(Provider, LockedDatabaseWaitsForTheBusyTimeoutThenFails) {
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    db.Conn.setBusyTimeout(std::chrono::milliseconds(50));
    const Params update{"x", "now", "1", "2", "4", "0"};
    seeded.db().exec(kOnServer ? "BEGIN; LOCK TABLE Node_General_Pool" : "BEGIN EXCLUSIVE");
    const long error = ProviderError([&] { db.Update_Node_General_Pool(update); });
    EXPECT_EQ(kOnServer ? error : error & 0xff,
              kOnServer ? 50463045 /* 55P03, lock not available */ : SQLITE_BUSY);
    seeded.db().exec("ROLLBACK");
    // The same prepared statement works once the lock is gone.
    EXPECT_EQ(ProviderError([&] { db.Update_Node_General_Pool(update); }), 0);
}

}  // namespace
}  // namespace xfer::data
