#pragma once
// The configuration database's schema and demo data (schema/*.sql, compiled into the program)
// and the one way to make a new database file from them.

#include <initializer_list>
#include <string>
#include <string_view>

namespace xfer::data {

// SQL that creates every table the editor touches, STRICT, in WAL journal mode.
std::string_view SchemaSql();
// SQL that fills a fresh schema with the demo configurations (see schema/README.md).
std::string_view DemoDataSql();

// Creates the SQLite file at `path` (and any missing parent folders) from the schema, and the
// demo data when asked. Never touches an existing file: that raises 58 "File already exists".
// All or nothing: when a script fails, the partial file is removed before the error is raised.
// Errors are runtime::Error with the component as source; SQLite's failures carry its message.
void CreateConfigurationDatabase(const std::string& path, bool withDemoData);

// The same for any scripts, run in order on the new file.
void CreateDatabaseFromScripts(const std::string& path,
                               std::initializer_list<std::string_view> scripts);

}  // namespace xfer::data
