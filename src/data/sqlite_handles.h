#pragma once
// Owning handles of SQLite's objects: a statement is finalized and a connection closed when
// its handle goes, on every path. Only the data layer's SQLite code includes this.

#include <sqlite3.h>

#include <memory>

namespace xfer::data {

struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* stmt) const noexcept { sqlite3_finalize(stmt); }
};
using SqliteStatement = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;

// sqlite3_close_v2: a connection whose statements are still open closes when the last goes.
struct SqliteConnectionCloser {
    void operator()(sqlite3* db) const noexcept { sqlite3_close_v2(db); }
};
using SqliteConnection = std::unique_ptr<sqlite3, SqliteConnectionCloser>;

// Prepares `sql` on `db`; an empty handle and SQLite's error code on failure.
inline int PrepareStatement(sqlite3* db, const char* sql, int bytes, unsigned flags,
                            SqliteStatement& out) {
    sqlite3_stmt* raw = nullptr;
    const int rc = sqlite3_prepare_v3(db, sql, bytes, flags, &raw, nullptr);
    out.reset(raw);
    return rc;
}

}  // namespace xfer::data
