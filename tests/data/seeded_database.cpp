#include "data/seeded_database.h"

#include "data/database_choice.h"
#include "support/platform_doubles.h"

namespace xfer::data::fixture {

namespace {

// The template row's value of a column: the keys tests look rows up by, and otherwise a
// value of the column's type that differs from column to column.
std::string SeedValue(const std::string& column, const std::string& type, std::size_t position) {
    static const std::map<std::string, std::string> kKeys = {
        {"ConfigID", "1"},    {"Config_ID", "1"},           {"PartID", "2"},
        {"PartitionID", "2"}, {"NodeTypeID", "4"},          {"NodeType_ID", "4"},
        {"ID", "4"},          {"Parent_Node_Type_ID", "4"}, {"Set_ID", "1"},
        {"NodeNumber", "0"},  {"NodeMasterID", "7"},        {"StyleID", "0"},
    };
    if (const auto key = kKeys.find(column); key != kKeys.end())
        return key->second;
    if (type == "INTEGER")
        return std::to_string(100 + position);
    return "'" + column + "-text'";
}

}  // namespace

namespace {
platform::PlatformParts PartsFor(const std::string& shellFolder, const std::string& server,
                                 platform::HiveRegistry*& registry) {
    platform::PlatformParts parts;
    parts.shell = std::make_unique<test::FixedShell>(
        shellFolder.empty() ? std::nullopt : std::optional<std::string>(shellFolder));
    auto hive = std::make_unique<platform::HiveRegistry>(platform::Hive{});
    if (!server.empty()) {
        hive->hive().setString(std::string("HKEY_LOCAL_MACHINE\\") + kProductKey,
                               kDatabaseServerValue, server);
    }
    registry = hive.get();
    parts.registry = std::move(hive);
    parts.settings = std::make_unique<platform::FixedSettings>();  // not this process's
    return parts;
}
}  // namespace

TestServices::TestServices(const std::string& shellFolder, const std::string& server)
    : services(PartsFor(shellFolder, server, registry)) {}

SeededDatabase::SeededDatabase() : services_(db_.root(), db_.connectionInfo()) {
    db_.exec("BEGIN");
    for (const std::string& table : db_.tables()) {
        std::string columns;
        std::string values;
        const auto info = db_.columns(table);
        for (std::size_t i = 0; i < info.size(); ++i) {
            columns += (i == 0 ? "" : ", ") + info[i].first;
            values += (i == 0 ? "" : ", ") + SeedValue(info[i].first, info[i].second, i);
        }
        db_.exec("INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")");
    }
    db_.exec("COMMIT");
}

std::map<std::string, std::string> SeededDatabase::row(const std::string& table,
                                                       const std::string& where) {
    const auto info = db_.columns(table);
    const auto found = db_.rows("SELECT * FROM " + table + " WHERE " + where);
    std::map<std::string, std::string> result;
    for (std::size_t i = 0; !found.empty() && i < info.size(); ++i) {
        result[info[i].first] = found[0][i];
    }
    return result;
}

}  // namespace xfer::data::fixture
