// The SQLite file's provider: the configuration database file, opened read-write and never
// created, with a busy time-out as the command time-out.

#include <sqlite3.h>

#include <filesystem>
#include <map>
#include <system_error>

#include "data/provider_session.h"
#include "runtime/error.h"

namespace xfer::data {

namespace {

[[noreturn]] void RaiseEngine(sqlite3* db) {
    RaiseProvider(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

// One look-up of the column's value per field: each sqlite3_column_* call checks the
// statement anew. The value is read at once, on the connection's one thread.
void AppendColumn(RecordsetBuilder& rows, sqlite3_stmt* stmt, int column) {
    sqlite3_value* value = sqlite3_column_value(stmt, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            rows.integer(sqlite3_value_int64(value));
            return;
        case SQLITE_FLOAT:
            rows.real(sqlite3_value_double(value));
            return;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            rows.text(std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))));
            return;
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(value));
            rows.blob({data, static_cast<std::size_t>(sqlite3_value_bytes(value))});
            return;
        }
        default:
            rows.null();
            return;
    }
}

// Leaves the statement ready for its next run on every path, so that no read lock is held
// between commands.
class StatementRun {
  public:
    explicit StatementRun(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementRun() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

  private:
    sqlite3_stmt* stmt_;
};

class FileSession final : public Connection::Session {
  public:
    FileSession(const std::string& path, std::chrono::milliseconds busyTimeout) {
        open(path, busyTimeout);
    }
    ~FileSession() override { Close(); }
    FileSession(const FileSession&) = delete;
    FileSession& operator=(const FileSession&) = delete;

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, std::chrono::milliseconds timeout) override;

  private:
    struct Statement {
        sqlite3_stmt* stmt = nullptr;
        std::shared_ptr<const Recordset::Columns> columns;  // null for an action statement
    };

    void Close() noexcept {
        for (auto& [key, statement] : statements_)
            sqlite3_finalize(statement.stmt);
        statements_.clear();
        if (db_ != nullptr)
            sqlite3_close_v2(db_);
        db_ = nullptr;
    }

    void open(const std::string& path, std::chrono::milliseconds busyTimeout) {
        // Opened read-write and never created: a missing database is an error, not a new file.
        // A connection is only used on the component's one thread, so SQLite need not lock it
        // on every call (reading a row's columns took a mutex per value).
        const int rc = sqlite3_open_v2(path.c_str(), &db_,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            std::error_code ec;
            const bool missing = !std::filesystem::exists(path, ec);
            const long code = db_ != nullptr ? sqlite3_extended_errcode(db_) : rc;
            std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
            Close();
            if (missing) {
                RaiseProvider(kProviderFailure, "Could not find file '" + path + "'.");
            }
            RaiseProvider(code, message + " (" + path + ")");
        }
        sqlite3_extended_result_codes(db_, 1);
        sqlite3_busy_timeout(db_, static_cast<int>(busyTimeout.count()));
        // Read the schema now, so that a file that is not a database fails on opening and the
        // next command tries again instead of running on a broken connection.
        char* error = nullptr;
        if (sqlite3_exec(db_, "PRAGMA foreign_keys = OFF; SELECT count(*) FROM sqlite_master",
                         nullptr, nullptr, &error) != SQLITE_OK) {
            const long code = sqlite3_extended_errcode(db_);
            std::string message = error != nullptr ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            Close();
            RaiseProvider(code, message + " (" + path + ")");
        }
    }

    Statement& Prepare(std::string_view key, std::string_view sql) {
        if (const auto found = statements_.find(key); found != statements_.end()) {
            return found->second;
        }
        const std::string rewritten = RewriteParameters(sql);
        Statement statement;
        if (sqlite3_prepare_v3(db_, rewritten.c_str(), static_cast<int>(rewritten.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement.stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement.stmt);
            RaiseEngine(db_);
        }
        if (const int count = sqlite3_column_count(statement.stmt); count > 0) {
            std::vector<std::string> names;
            for (int i = 0; i < count; ++i)
                names.emplace_back(sqlite3_column_name(statement.stmt, i));
            statement.columns = Recordset::makeColumns(std::move(names));
        }
        return statements_.emplace(std::string(key), statement).first->second;
    }

    sqlite3* db_ = nullptr;
    std::map<std::string, Statement, std::less<>> statements_;
};

void FileSession::execute(std::string_view key, std::string_view sql,
                          const std::vector<std::string>& values, Recordset* rows,
                          std::chrono::milliseconds timeout) {
    sqlite3_busy_timeout(db_, static_cast<int>(timeout.count()));
    Statement& statement = Prepare(key, sql);
    sqlite3_stmt* stmt = statement.stmt;
    StatementRun run(stmt);

    if (static_cast<std::size_t>(sqlite3_bind_parameter_count(stmt)) != values.size()) {
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    }
    // Every value goes in as text; the column's type converts it.
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (sqlite3_bind_text(stmt, static_cast<int>(i) + 1, values[i].data(),
                              static_cast<int>(values[i].size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            RaiseEngine(db_);
        }
    }

    if (!statement.columns || rows == nullptr) {
        // Nothing to keep: run it to the end.
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(db_);
        }
        return;
    }
    try {
        RecordsetBuilder builder(*rows, statement.columns);
        const int columnCount = sqlite3_column_count(stmt);
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(db_);
            for (int i = 0; i < columnCount; ++i)
                AppendColumn(builder, stmt, i);
        }
    } catch (...) {
        rows->close();  // half a result is never read
        throw;
    }
}

}  // namespace

std::unique_ptr<Connection::Session> OpenFileSession(const std::string& path,
                                                     std::chrono::milliseconds busyTimeout) {
    return std::make_unique<FileSession>(path, busyTimeout);
}

}  // namespace xfer::data
