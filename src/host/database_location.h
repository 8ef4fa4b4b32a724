#pragma once
// Where the configuration database is and how that was found, in words a person can act on;
// and the demo database, created where the editor looks for it.

#include <string>

#include "platform/platform.h"

namespace xfer::host {

struct DatabaseLocation {
    std::string path;  // the database file, or the server's connection string
    std::string how;   // how its folder was found, or what named the server
    bool exists = false;
    bool server = false;
};

// Raises a clear error for a server setting that cannot be used, and, saying why, for a path the
// database file cannot be opened at (a NUL in the registry's folder, a ';' in the path).
DatabaseLocation LocateDatabase(const platform::Platform& platform);

// Whether a server answers and what it holds, in words: "12 tables" or why it cannot be reached.
struct ServerState {
    bool reachable = false;
    long long tables = 0;
    std::string problem;  // the server's or libpq's message when it cannot be reached
};
ServerState ProbeServer(const std::string& connectionInfo);

// Where a new database file would be created: the file the editor looks for, or, when the
// registry named no folder, that file under the shell folder.
std::string NewDatabaseFile(const platform::Platform& platform);

struct DemoDatabase {
    std::string path;      // the file, or the server database as it may be shown
    bool created = false;  // false: a database was there already and is used as it is
};

// Creates the demo database where the editor will look for it, unless one is there already
// (an existing file, or a server database with tables, is never touched). Raises the
// creation's error, with the path it tried; a path the database could not be opened at is
// refused before anything is created.
DemoDatabase EnsureDemoDatabase(const platform::Platform& platform);

// Creates an empty configuration database (with the demo data when asked) where the editor
// will look for it: on the chosen server, whose database must have no tables, or as the file,
// which must not exist. Returns where it was created.
std::string InitDatabase(const platform::Platform& platform, bool withDemoData);

}  // namespace xfer::host
