// The data layer on a real database of the suite's provider (file or server): how commands
// reach the engine, how its failures are reported, and the catalogue's commands themselves.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <map>

#include "data/database.h"
#include "data/schema.h"
#include "data/transaction.h"
#include "runtime/error.h"
#include "support/temp_database.h"

namespace xfer::data {
namespace {

// The schema with one template row in every table (configuration 1, partition 2, node type 4,
// node number 0, master 7, style 0), found by the platform as the editor finds it.
struct SeededDatabase {
    SeededDatabase();
    platform::Platform platform() { return services.view(); }
    // Column name -> text ("" for NULL) of the first row of `table` matching `where`.
    std::map<std::string, std::string> row(const std::string& table, const std::string& where);

    test::TempDatabase db;
    platform::PlatformServices services{db.machine()};
};

// The template row's value of a column: the keys tests look rows up by, and otherwise a value of
// the column's type that differs from column to column.
std::string SeedValue(const SchemaColumn& column, std::size_t position) {
    static const std::map<std::string, std::string> kKeys = {
        {"ConfigID", "1"},    {"Config_ID", "1"},           {"PartID", "2"},
        {"PartitionID", "2"}, {"NodeTypeID", "4"},          {"NodeType_ID", "4"},
        {"ID", "4"},          {"Parent_Node_Type_ID", "4"}, {"Set_ID", "1"},
        {"NodeNumber", "0"},  {"NodeMasterID", "7"},        {"StyleID", "0"},
    };
    if (const auto key = kKeys.find(column.name); key != kKeys.end())
        return key->second;
    return column.type == "INTEGER" ? std::to_string(100 + position) : "'" + column.name + "-text'";
}

// "A, B, ..." of a table's columns, in the schema's order.
std::string Names(const SchemaTable& table) {
    std::string names;
    for (const SchemaColumn& column : table.columns)
        names += (names.empty() ? "" : ", ") + column.name;
    return names;
}

SeededDatabase::SeededDatabase() {
    std::string sql = "BEGIN;";
    for (const SchemaTable& table : SchemaTables()) {
        std::string values;
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            values += (i == 0 ? "" : ", ") + SeedValue(table.columns[i], i);
        sql += "INSERT INTO " + table.name + " (" + Names(table) + ") VALUES (" + values + ");";
    }
    db.exec(sql + "COMMIT");
}

std::map<std::string, std::string> SeededDatabase::row(const std::string& table,
                                                       const std::string& where) {
    const auto schema = std::find_if(SchemaTables().begin(), SchemaTables().end(),
                                     [&](const SchemaTable& t) { return t.name == table; });
    const auto found = db.rows("SELECT " + Names(*schema) + " FROM " + table + " WHERE " + where);
    std::map<std::string, std::string> result;
    for (std::size_t i = 0; !found.empty() && i < schema->columns.size(); ++i)
        result[schema->columns[i].name] = found[0][i];
    return result;
}

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
        {"x = Given_B, y = `Given_A`, z = `given_b`",
         "x = ?1, y = ?2, z = ?1",
         "x = $1, y = $2, z = $1",
         {"Given_B", "Given_A"}},
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
    const Params tooMany{"1", "2", "0", "4", "5"};
    EXPECT_EQ(
        ProviderError([&] { db.Get_XFER_Node(tooMany); }, std::string(runtime::kComponentSource)),
        runtime::err::kWrongNumberOfArguments);
    EXPECT_EQ(ProviderError([&] { rs.field("NoSuchField"); }, kProviderSource, "NoSuchField"),
              3265);
    rs.moveNext();
    EXPECT_EQ(ProviderError([&] { rs.field("ID"); }, kProviderSource), 3021);
    EXPECT_EQ(ProviderError([&] { rs.moveNext(); }, kProviderSource), 3021);
}

// Another writer holds the file (or, on the server, a lock): the command waits for the command
// time-out, fails with the provider's error, and its prepared statement still works afterwards.
TEST(Provider, LockedDatabaseWaitsForTheBusyTimeoutThenFails) {
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    db.setCommandTimeout(std::chrono::milliseconds(50));
    const Params update{"x", "now", "1", "2", "4", "0"};
    seeded.db.exec(kOnServer ? "BEGIN; LOCK TABLE Node_General_Pool" : "BEGIN EXCLUSIVE");
    const long error = ProviderError([&] { db.Update_Node_General_Pool(update); });
    EXPECT_EQ(kOnServer ? error : error & 0xff,
              kOnServer ? 50463045 /* 55P03, lock not available */ : SQLITE_BUSY);
    seeded.db.exec("ROLLBACK");
    EXPECT_EQ(ProviderError([&] { db.Update_Node_General_Pool(update); }), 0);
}

// Values matching the seeded template rows, as decimal text.
std::string ValueFor(const std::string& parameter) {
    static const std::map<std::string, std::string> kValues = {
        {"ConfigID", "1"},         {"PartID", "2"},     {"PartitionID", "2"},
        {"NodeTypeID", "4"},       {"NodeNumber", "0"}, {"SrcNodeNumber", "0"},
        {"NodeMasterID", "7"},     {"SetID", "1"},      {"DesNodeNumber", "9"},
        {"DesNodeMasterID", "70"},
    };
    const std::string name = parameter.substr(std::string_view("Given_").size());
    if (const auto known = kValues.find(name); known != kValues.end())
        return known->second;
    return name.ends_with("NodeNumber") ? "12" : "text of " + name;
}

// Callers bind by position (the order of the parameters the rules pass is seen by the
// component's tests). A copy takes the template's columns but its key and those the caller
// replaces; a column it does not name gets its default.
TEST(Catalogue, EveryCommandRunsWithItsParametersBoundByPosition) {
    SeededDatabase seeded;
    std::string unnamed;
    for (const SchemaTable& table : SchemaTables()) {
        unnamed += "ALTER TABLE " + table.name + " ADD COLUMN unnamed INTEGER; UPDATE " +
                   table.name + " SET unnamed = 5;";
    }
    seeded.db.exec(unnamed);
    seeded.db.close();
    DataBase db(seeded.platform());
    for (const CommandDef& def : Commands()) {
        SCOPED_TRACE(def.name);
        std::vector<std::string> names;
        RewriteParameters(def.sql, &names);
        Params params;
        for (const auto& name : names)
            params.push_back(ValueFor(name));
        ASSERT_NO_THROW(db.execute(def.id, params));
        if (def.returnsRows) {
            Recordset& rs = db.resultSet(def.id);
            long rows = 0;
            for (; !rs.eof(); rs.moveNext())
                ++rows;
            EXPECT_EQ(rows, 1);  // found under its numeric keys
        } else if (def.name.starts_with("Duplicate_")) {
            const std::string sql(def.sql);
            std::string table = sql.substr(12, sql.find_first_of(" (", 12) - 12);
            std::erase(table, '`');
            const std::string key = table.starts_with("STYLE_")    ? "StyleID"
                                    : table.starts_with("Detail_") ? "NodeMasterID"
                                                                   : "NodeNumber";
            const std::string copy = key + " = " + params[0];
            auto expected = seeded.row(table, "NOT " + copy);  // the template
            for (std::size_t i = 0; i < names.size(); ++i) {
                if (const auto column = expected.find(names[i].substr(6)); column != expected.end())
                    column->second = params[i];
            }
            expected[key] = params[0];
            EXPECT_EQ(seeded.row(table, copy), expected);
            EXPECT_EQ(
                seeded.db.scalar("SELECT coalesce(unnamed, 0) FROM " + table + " WHERE " + copy),
                "0");
        }
    }
    const auto xfer = seeded.row("Node_XFER", "NodeNumber = 0");
    EXPECT_EQ(xfer.at("NodeTypeID"), "4");
    EXPECT_EQ(xfer.at("HoldNodeNumber"), "12");
    EXPECT_EQ(xfer.at("Dial"), "text of Dial");
}

// Text that is not UTF-8 never reaches the database, whichever parameter carries it.
TEST(Catalogue, ParametersThatAreNotUtf8AreRefusedBeforeTheCommandRuns) {
    SeededDatabase seeded;
    const auto before = seeded.row("Node_General_Pool", "NodeNumber = 0");
    DataBase db(seeded.platform());
    const Params valid{"Label", "now", "1", "2", "4", "0"};  // the seeded row
    for (std::size_t i = 0; i < valid.size(); ++i) {
        Params params = valid;
        params[i] += "\xc3";
        try {
            db.Update_Node_General_Pool(params);
            ADD_FAILURE() << "parameter " << i + 1 << " taken";
        } catch (const runtime::Error& e) {
            EXPECT_EQ(e.description(), "Update_Node_General_Pool: parameter " +
                                           std::to_string(i + 1) +
                                           " is not valid UTF-8 text; the command was not run");
        }
    }
    EXPECT_EQ(seeded.row("Node_General_Pool", "NodeNumber = 0"), before);
}

// A transaction ends without its changes unless committed, also when a command in it failed,
// and a read transaction sees the database as it was when it began.
TEST(Transaction, RollsBackUnlessCommittedAndReadsOneState) {
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    const auto label = [&] {
        return seeded.row("Node_General_Pool", "NodeNumber = 0").at("NodeDescription");
    };
    const auto write = [&](const std::string& text) {
        db.Update_Node_General_Pool({text, "now", "1", "2", "4", "0"});
    };
    const std::string before = label();
    {
        Transaction dropped(db, TransactionMode::ReadWrite);
        write("dropped");
    }
    EXPECT_EQ(label(), before);
    {
        Transaction failed(db, TransactionMode::ReadWrite);
        write("failed");
        Params notANumber(20, "1");  // the seeded XFER row, with text for HoldNodeNumber
        notANumber[3] = "abc";
        notANumber[16] = "4";
        notANumber[18] = "2";
        notANumber[19] = "0";
        EXPECT_NE(ProviderError([&] { db.Update_XFER_Node(notANumber); }), 0);
    }
    EXPECT_EQ(label(), before);
    {
        Transaction kept(db, TransactionMode::ReadWrite);
        write("kept");
        kept.commit();
    }
    EXPECT_EQ(label(), "kept");
    {
        const ReadTransaction snapshot(db);
        seeded.db.exec(
            "UPDATE Node_General_Pool SET NodeDescription = 'later' WHERE NodeNumber = 0");
        db.Get_Description({"1", "2", "4", "0"});
        EXPECT_EQ(db.rsGet_Description()["NodeDescription"].toText(), "kept");
    }
    write("after");  // the connection works on after every transaction
    EXPECT_EQ(label(), "after");
}

}  // namespace
}  // namespace xfer::data
