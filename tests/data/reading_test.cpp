// The rows the loaders read, however they reach them: on the file read from the running
// statement or copied out first; on the server sent ahead together or asked for one by one.
// And one statement of a batch sent ahead failing on its own, with the error it fails with
// when it runs alone.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/schema.h"
#include "runtime/error.h"
#include "support/temp_database.h"

namespace xfer::data {
namespace {

using runtime::Variant;

struct LoaderRead {
    CommandId id;
    Params params;
    const char* table;  // whose columns the command returns
};

// What the opening's loaders run on the demo's first partition.
const std::vector<LoaderRead>& LoaderReads() {
    static const std::vector<LoaderRead> reads{
        {CommandId::Get_Node_Names, {}, "SR_Node_Type_Names"},
        {CommandId::Get_Max_NodeNumber, {"1", "1", "5"}, "Node_Type_Max"},
        {CommandId::Get_Max_NodeNumber, {"1", "1", "816"}, "Node_Type_Max"},  // no row
        {CommandId::Get_Node_Type_can_contain_nodes,
         {"4", "1"},
         "SR_Node_Type_can_contain_Node_Type"},
        {CommandId::Get_Node_Type_can_contain_nodes,
         {"4", "5"},
         "SR_Node_Type_can_contain_Node_Type"},
        {CommandId::Get_All_XFER_Nodes, {"1", "1", "4"}, "Node_XFER"},
        {CommandId::Get_XFER_Node, {"1", "1", "1", "4"}, "Node_XFER"},
        {CommandId::Get_Description, {"1", "1", "5", "1"}, "Node_General_Pool"},
    };
    return reads;
}

const SchemaTable& TableNamed(const std::string& name) {
    for (const SchemaTable& table : SchemaTables()) {
        if (table.name == name)
            return table;
    }
    throw std::runtime_error("no table " + name);
}

using Rows = std::vector<std::vector<Variant>>;

// Every field of every row, walked front to back as the loaders walk.
Rows ReadAll(Recordset& rs, const SchemaTable& table) {
    Rows rows;
    for (; !rs.eof(); rs.moveNext()) {
        auto& row = rows.emplace_back();
        for (const SchemaColumn& column : table.columns)
            row.push_back(rs.field(column.name));
    }
    rs.close();
    return rows;
}

struct Databases {
    test::TempDatabase db{/*withDemoData=*/true};
    platform::PlatformServices services{db.machine()};
};

TEST(Reading, TheLoadersSeeTheSameRowsHoweverTheRowsReachThem) {
    Databases d;
    DataBase asLoaders(d.services.view());
    std::vector<DataBase::Ahead> ahead;
    for (const LoaderRead& read : LoaderReads())
        ahead.push_back({read.id, read.params});
    asLoaders.sendAhead(ahead);  // nothing on the file

    Connection oneByOne;
    oneByOne.setConnectionString(asLoaders.connectionString());
    for (const LoaderRead& read : LoaderReads()) {
        const CommandDef& def = Command(read.id);
        SCOPED_TRACE(std::string(def.name) + " " + std::to_string(read.params.size()));
        const SchemaTable& table = TableNamed(read.table);
        Recordset copied;
        oneByOne.execute(def.name, def.sql, read.params, &copied, RowReading::Buffered);
        const Rows expected = ReadAll(copied, table);
        asLoaders.execute(read.id, read.params);
        EXPECT_EQ(ReadAll(asLoaders.resultSet(read.id), table), expected);
    }
    // The demo's partition has rows for the reads that are not empty.
    asLoaders.Get_All_XFER_Nodes({"1", "1", "4"});
    EXPECT_FALSE(asLoaders.rsGet_All_XFER_Nodes().eof());
}

// A streamed result set closed half-way, or read to its end, ends its statement: the next
// read on the same connection sees what another connection wrote meanwhile, instead of the
// state the statement began reading.
TEST(Reading, AResultSetClosedHalfWayOrReadToItsEndLetsTheNextReadSeeNewRows) {
    Databases d;
    DataBase reader(d.services.view());
    DataBase writer(d.services.view());
    int round = 0;
    for (const bool toTheEnd : {false, true}) {
        SCOPED_TRACE(toTheEnd);
        auto& rs = reader.rsGet_All_XFER_Nodes();
        reader.Get_All_XFER_Nodes({"1", "1", "4"});
        rs.moveNext();
        while (toTheEnd && !rs.eof())
            rs.moveNext();
        if (!toTheEnd)
            rs.close();
        const std::string label = "Written meanwhile " + std::to_string(++round);
        writer.Update_Node_General_Pool({label, "1/1/2024 9:00:00 AM", "1", "1", "4", "1"});
        reader.Get_Description({"1", "1", "4", "1"});
        ASSERT_FALSE(reader.rsGet_Description().eof());
        EXPECT_EQ(reader.rsGet_Description().field("NodeDescription"), Variant(label));
    }
}

// What a command raises when it runs: its number, source and description.
struct Raised {
    long number = 0;
    std::string source, description;
    bool operator==(const Raised&) const = default;
};

std::optional<Raised> RaisedBy(DataBase& db, CommandId id, const Params& params) {
    try {
        db.execute(id, params);
    } catch (const runtime::Error& e) {
        return Raised{e.number(), e.source(), e.description()};
    }
    return std::nullopt;
}

// Each statement of a batch runs on its own: a value the server cannot convert, or a table
// that is gone (its preparation fails), fails that statement with the error it fails with
// alone, and the statements around it read their rows.
TEST(Reading, OneStatementOfABatchFailingFailsAsItDoesAlone) {
    if (!test::TempDatabase::OnServer())
        GTEST_SKIP() << "statements are sent ahead to a server only";
    const struct {
        const char* name;
        const char* sql;  // what breaks the statement
        CommandId failing;
        Params params;
    } cases[] = {
        {"value", "", CommandId::Get_Description, {"1", "1", "not a number", "1"}},
        {"table", "DROP TABLE node_type_max", CommandId::Get_Max_NodeNumber, {"1", "1", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Databases d;
        if (*c.sql != '\0')
            d.db.exec(c.sql);
        DataBase alone(d.services.view());
        const std::optional<Raised> expected = RaisedBy(alone, c.failing, c.params);
        ASSERT_TRUE(expected.has_value());

        DataBase batched(d.services.view());
        batched.sendAhead({{CommandId::Get_Node_Names, {}},
                           {c.failing, c.params},
                           {CommandId::Get_XFER_Node, {"1", "1", "1", "4"}}});
        EXPECT_EQ(RaisedBy(batched, c.failing, c.params), expected);
        EXPECT_EQ(RaisedBy(batched, CommandId::Get_Node_Names, {}), std::nullopt);
        EXPECT_FALSE(batched.rsGet_Node_Names().eof());
        EXPECT_EQ(RaisedBy(batched, CommandId::Get_XFER_Node, {"1", "1", "1", "4"}), std::nullopt);
        EXPECT_FALSE(batched.rsGet_XFER_Node().eof());
    }
}

}  // namespace
}  // namespace xfer::data
