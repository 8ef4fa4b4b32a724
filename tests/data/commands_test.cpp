#include <gtest/gtest.h>

#include "data/database.h"
#include "data/seeded_database.h"
#include "runtime/error.h"

namespace xfer::data {
namespace {

using fixture::SeededDatabase;

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

// Callers bind by position, so each command has the documented number of parameters (the
// order of those the rules pass is seen by the component's tests).
TEST(Catalogue, EveryCommandRunsWithItsParametersBoundByPosition) {
    constexpr std::size_t kCounts[] = {0, 3, 2, 3, 4, 4, 4, 20, 6, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                                       4, 4, 4, 4, 4, 4, 4, 4,  4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4};
    ASSERT_EQ(std::size(kCounts), Commands().size());
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    for (const CommandDef& def : Commands()) {
        SCOPED_TRACE(def.name);
        std::vector<std::string> names;
        RewriteParameters(def.sql, &names);
        EXPECT_EQ(names.size(), kCounts[static_cast<std::size_t>(def.id)]);
        Params params;
        for (const auto& name : names)
            params.push_back(ValueFor(name));
        ASSERT_NO_THROW(db.execute(def.id, params));
        if (def.returnsRows) {
            EXPECT_EQ(db.resultSet(def.id).recordCount(), 1);  // found under its numeric keys
        } else if (def.name.starts_with("Duplicate_")) {
            // The copy is a second row in the template's table.
            const std::string sql(def.sql);
            std::string table = sql.substr(12, sql.find_first_of(" (", 12) - 12);
            std::erase(table, '`');
            EXPECT_EQ(seeded.db().count("SELECT * FROM " + table), 2) << table;
        }
    }
    const auto xfer = seeded.row("Node_XFER", "NodeNumber = 0");
    EXPECT_EQ(xfer.at("NodeTypeID"), "4");
    EXPECT_EQ(xfer.at("HoldNodeNumber"), "12");
    EXPECT_EQ(xfer.at("Dial"), "text of Dial");
}

TEST(Catalogue, MatchingNothingIsNoError) {
    SeededDatabase seeded;
    DataBase db(seeded.platform());
    db.Get_XFER_Node({"1", "2", "555", "4"});
    EXPECT_TRUE(db.rsGet_XFER_Node().isOpen());
    EXPECT_TRUE(db.rsGet_XFER_Node().eof());
    EXPECT_NO_THROW(db.Update_Node_General_Pool({"x", "now", "1", "2", "4", "555"}));
    EXPECT_NO_THROW(db.Duplicate_Detail_CMD_NODE({"70", "1", "2", "555"}));
    EXPECT_EQ(seeded.db().count("SELECT * FROM Detail_CMD"), 1);
    // Running a reading command again replaces its rows.
    db.Get_XFER_Node({"1", "2", "0", "4"});
    EXPECT_EQ(db.rsGet_XFER_Node().recordCount(), 1);
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

// A copy takes the named columns from the template and the replaced ones from the caller; a
// column the command does not name gets its default.
TEST(Catalogue, DuplicationCopiesExactlyTheNamedColumns) {
    using Row = std::map<std::string, std::string>;
    const struct {
        CommandId id;
        Params params;
        std::string table, key;  // the copy is the row where key = the first parameter
        Row replaced;
    } cases[] = {
        {CommandId::Duplicate_MSG_NODE,
         {"9", "copy.vda", "1", "2", "0"},
         "Node_MSG",
         "NodeNumber",
         {{"VDAFilename", "copy.vda"}}},
        {CommandId::Duplicate_Node_In_General_Pool,
         {"9", "2024-05-06", "1", "2", "0", "4"},
         "Node_General_Pool",
         "NodeNumber",
         {{"DateModified", "2024-05-06"}}},
        {CommandId::Duplicate_DBN_Node, {"9", "1", "2", "0"}, "Node_DBN", "NodeNumber", {}},
        {CommandId::Duplicate_STYLE_Full, {"9", "1", "2", "0"}, "STYLE_Full", "StyleID", {}},
        {CommandId::Duplicate_DetailPrompts_VOX_Node,
         {"70", "1", "2", "7"},
         "Detail_VOX_Prompts",
         "NodeMasterID",
         {}},
        {CommandId::Duplicate_XFER_Node, {"9", "1", "2", "0"}, "Node_XFER", "NodeNumber", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(Command(c.id).name);
        SeededDatabase seeded;
        seeded.db().exec("ALTER TABLE " + c.table + " ADD COLUMN unnamed INTEGER; UPDATE " +
                         c.table + " SET unnamed = 5");
        seeded.db().close();
        DataBase db(seeded.platform());
        db.execute(c.id, c.params);

        const std::string copy = c.key + " = " + c.params[0];
        Row expected = seeded.row(c.table, "NOT " + copy);
        expected[c.key] = c.params[0];
        for (const auto& [column, value] : c.replaced)
            expected[column] = value;
        EXPECT_EQ(seeded.row(c.table, copy), expected);
        EXPECT_EQ(seeded.db().rows("SELECT unnamed FROM " + c.table + " WHERE " + copy),
                  (std::vector<std::vector<std::string>>{{""}}));
    }
}

}  // namespace
}  // namespace xfer::data
