#pragma once
// The configuration database's schema and demo data (schema/*.sql, compiled into the program)
// and the one way to make a new database file from them.

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace xfer::data {

// SQL that creates every table the editor touches, STRICT, in WAL journal mode.
std::string_view SchemaSql();
// SQL that fills a fresh schema with the demo configurations (see schema/README.md).
std::string_view DemoDataSql();

// The tables schema/schema.sql defines, as both providers create them: what copying a
// database walks and what tests compare a server's tables with.
struct SchemaColumn {
    std::string name;
    std::string type;  // as the script spells it: INTEGER or TEXT
};
struct SchemaIndex {
    std::string name;
    std::vector<std::string> columns;
};
struct SchemaTable {
    std::string name;
    std::vector<SchemaColumn> columns;
    std::vector<std::string> primaryKey;  // empty: the table has none
    std::vector<SchemaIndex> indexes;
};
const std::vector<SchemaTable>& SchemaTables();
// The schema's spelling of a table or column name, found without regard to case (the server
// folds names to lower case); the name itself when the schema does not know it.
std::string_view CanonicalName(std::string_view name);

// The same schema in the database server's dialect: no file settings, no STRICT (the server's
// types refuse text that is not a number by themselves), 64-bit INTEGER as BIGINT, and names
// unquoted so that the server folds them as it folds the names in the commands. Without a
// transaction of its own: the caller runs it inside one.
std::string ServerSchemaSql();

// Creates the SQLite file at `path` (and any missing parent folders) from the schema, and the
// demo data when asked. Never touches an existing file: that raises 58 "File already exists".
// All or nothing: when a script fails, the partial file is removed before the error is raised.
// Errors are runtime::Error with the component as source; SQLite's failures carry its message.
void CreateConfigurationDatabase(const std::string& path, bool withDemoData);

// Removes a database file with its journal and WAL files; what is not there is no error.
void RemoveDatabaseFile(const std::string& path) noexcept;

// The same for any scripts, run in order on the new file.
void CreateDatabaseFromScripts(const std::string& path,
                               std::initializer_list<std::string_view> scripts);

}  // namespace xfer::data
