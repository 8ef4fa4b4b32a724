#pragma once
// Whole configuration databases: creating one on a database server, and copying one between
// the SQLite file and a server in either direction. Both fill only an empty target and are
// all or nothing: a failure leaves the target as empty as it was (a new file is removed).

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace xfer::data {

// A database named on a command line: a libpq connection string or postgresql:// URI names a
// server ("service=NAME" a service of libpq's service file); anything else is a file path.
struct DatabaseAddress {
    bool server = false;
    std::string location;  // the connection string or the file's path
    std::string describe() const;
};
DatabaseAddress ParseDatabaseAddress(std::string_view text);

// Creates the schema, and the demo data when asked, in the server's database, which must have
// no tables yet. Errors carry the server's message; a database with tables is refused.
void CreateServerDatabase(const std::string& connectionInfo, bool withDemoData);

// The tables of the server database's current schema, whether or not the role may read them.
struct ServerTables {
    long long count = 0;
    // The server's words when the role may not read one of them ("permission denied for table
    // node_xfer"); empty when it may read them all.
    std::string refused;
};
ServerTables InspectServerTables(const std::string& connectionInfo);
long long ServerTableCount(const std::string& connectionInfo);

struct CopiedTable {
    std::string name;
    long long rows = 0;
};
// How far a copy is: tables done of all, rows copied so far.
struct CopyProgress {
    std::size_t tables = 0;
    std::size_t totalTables = 0;
    long long rows = 0;
};
using CopyProgressSink = std::function<void(const CopyProgress&)>;

// Copies every table of the schema, in one snapshot of the source, into a new file or an empty
// server database, and checks that each table has as many rows in the target as in the source.
// A server target is filled in one transaction and must have no tables. A file target must not
// exist, its folder must (none is created), and its name must have a folder separator or end
// in .mdb (anything else is a mistyped server); it is written under a temporary name and
// renamed into place at the end (data/file_replacement.h). `progress` is told how far it is.
std::vector<CopiedTable> CopyDatabase(const DatabaseAddress& from, const DatabaseAddress& to,
                                      const CopyProgressSink& progress = {});

}  // namespace xfer::data
