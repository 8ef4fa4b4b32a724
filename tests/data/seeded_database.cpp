#include "data/seeded_database.h"

#include "data/schema.h"
#include "support/platform_doubles.h"

namespace xfer::data::fixture {

namespace {

// The template row's value of a column: the keys tests look rows up by, and otherwise a
// value of the column's type that differs from column to column.
std::string SeedValue(const SchemaColumn& column, std::size_t position) {
    static const std::map<std::string, std::string> kKeys = {
        {"ConfigID", "1"},    {"Config_ID", "1"},           {"PartID", "2"},
        {"PartitionID", "2"}, {"NodeTypeID", "4"},          {"NodeType_ID", "4"},
        {"ID", "4"},          {"Parent_Node_Type_ID", "4"}, {"Set_ID", "1"},
        {"NodeNumber", "0"},  {"NodeMasterID", "7"},        {"StyleID", "0"},
    };
    if (const auto key = kKeys.find(column.name); key != kKeys.end())
        return key->second;
    if (column.type == "INTEGER")
        return std::to_string(100 + position);
    return "'" + column.name + "-text'";
}

const SchemaTable& Table(const std::string& name) {
    for (const SchemaTable& table : SchemaTables()) {
        if (table.name == name)
            return table;
    }
    throw std::logic_error("the schema has no table " + name);
}

}  // namespace

TestServices::TestServices(const std::string& shellFolder,
                           std::map<std::string, std::string> environment,
                           std::map<std::string, std::string> options) {
    platform::PlatformParts parts;
    parts.shell = std::make_unique<test::FixedShell>(
        shellFolder.empty() ? std::nullopt : std::optional<std::string>(shellFolder));
    auto hive = std::make_unique<platform::HiveRegistry>(platform::Hive{});
    registry = hive.get();
    parts.registry = std::move(hive);
    parts.settings =  // not this process's
        std::make_unique<platform::FixedSettings>(std::move(environment), std::move(options));
    services = platform::PlatformServices(std::move(parts));
}

SeededDatabase::SeededDatabase() {
    std::string sql = "BEGIN;";
    for (const SchemaTable& table : SchemaTables()) {
        std::string columns, values;
        for (std::size_t i = 0; i < table.columns.size(); ++i) {
            columns += (i == 0 ? "" : ", ") + table.columns[i].name;
            values += (i == 0 ? "" : ", ") + SeedValue(table.columns[i], i);
        }
        sql += "INSERT INTO " + table.name + " (" + columns + ") VALUES (" + values + ");";
    }
    db_.exec(sql + "COMMIT");
}

std::map<std::string, std::string> SeededDatabase::row(const std::string& table,
                                                       const std::string& where) {
    const auto& columns = Table(table).columns;
    std::string names;
    for (const SchemaColumn& column : columns)
        names += (names.empty() ? "" : ", ") + column.name;
    const auto found = db_.rows("SELECT " + names + " FROM " + table + " WHERE " + where);
    std::map<std::string, std::string> result;
    for (std::size_t i = 0; !found.empty() && i < columns.size(); ++i)
        result[columns[i].name] = found[0][i];
    return result;
}

}  // namespace xfer::data::fixture
