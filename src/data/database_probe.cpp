#include "data/database_probe.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include <filesystem>
#include <memory>
#include <system_error>

#include "data/server_connection.h"
#include "runtime/error.h"

namespace xfer::data {

namespace {

// A table every configuration database has, read to learn whether the role may read them.
constexpr const char* kProbeRead = "SELECT 1 FROM Node_General_Pool LIMIT 1";

}  // namespace

DatabaseProbe ProbeDatabaseFile(const std::string& path) {
    DatabaseProbe probe;
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) {
        probe.problem = "no file";
        return probe;
    }
    if (::access(path.c_str(), R_OK) != 0) {
        probe.problem = std::strerror(errno);
        return probe;
    }
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw, SQLITE_OPEN_READONLY, nullptr);
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(raw, sqlite3_close);
    const auto failed = [&] {
        probe.problem = db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc);
        return probe;
    };
    if (rc != SQLITE_OK)
        return failed();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db.get(), "SELECT count(*) FROM sqlite_master WHERE type = 'table'", -1,
                           &stmt, nullptr) != SQLITE_OK)
        return failed();
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> guard(stmt, sqlite3_finalize);
    if (sqlite3_step(stmt) != SQLITE_ROW)
        return failed();
    probe.answers = true;
    probe.tables = sqlite3_column_int64(stmt, 0);
    return probe;
}

DatabaseProbe ProbeDatabaseServer(const std::string& connectionInfo) {
    DatabaseProbe probe;
    try {
        ServerConnection server(connectionInfo);
        probe.answers = true;
        // The catalogue lists every table of the schema, readable or not.
        const ServerResult count = server.query(
            "SELECT count(*) FROM pg_catalog.pg_tables WHERE schemaname = current_schema()");
        probe.tables = std::stoll(PQgetvalue(count.get(), 0, 0));
        if (probe.tables > 0)
            server.query(kProbeRead);
    } catch (const runtime::Error& error) {
        probe.problem = error.description();
    }
    return probe;
}

}  // namespace xfer::data
