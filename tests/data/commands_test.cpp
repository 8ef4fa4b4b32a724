#include <gtest/gtest.h>

#include "data/database.h"
#include "data/schema.h"
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
// order of those the rules pass is seen by the component's tests). A copy takes the template's
// columns but its key and those the caller replaces; a column it does not name gets its default.
TEST(Catalogue, EveryCommandRunsWithItsParametersBoundByPosition) {
    constexpr std::size_t kCounts[] = {0, 3, 2, 3, 4, 4, 4, 20, 6, 5, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,
                                       4, 4, 4, 4, 4, 4, 4, 4,  4, 4, 4, 6, 4, 4, 4, 4, 4, 4, 4, 4};
    ASSERT_EQ(std::size(kCounts), Commands().size());
    SeededDatabase seeded;
    std::string unnamed;
    for (const SchemaTable& table : SchemaTables()) {
        unnamed += "ALTER TABLE " + table.name + " ADD COLUMN unnamed INTEGER; UPDATE " +
                   table.name + " SET unnamed = 5;";
    }
    seeded.db().exec(unnamed);
    seeded.db().close();
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
                seeded.db().scalar("SELECT coalesce(unnamed, 0) FROM " + table + " WHERE " + copy),
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

}  // namespace
}  // namespace xfer::data
