#pragma once
// Where the configuration database is and how that was found, in words a person can act on;
// and the demo database, created where the editor looks for it.

#include <string>

#include "platform/platform.h"

namespace xfer::host {

struct DatabaseLocation {
    std::string path;  // the database file
    std::string how;   // how its folder was found
    bool exists = false;
};

// Raises, saying why, for a path the database cannot be opened at (a NUL in the registry's
// folder, a ';' in the path).
DatabaseLocation LocateDatabase(const platform::Platform& platform);

struct DemoDatabase {
    std::string path;
    bool created = false;  // false: a database was there already and is used as it is
};

// Creates the demo database where the editor will look for it, unless one is there already
// (an existing file is never touched). Raises the creation's error, with the path it tried; a
// path the database could not be opened at is refused before anything is created.
DemoDatabase EnsureDemoDatabase(const platform::Platform& platform);

}  // namespace xfer::host
