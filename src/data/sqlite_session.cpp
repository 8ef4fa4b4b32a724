// The SQLite file's provider: the configuration database file, opened read-write and never
// created, with a busy time-out as the command time-out.

#include <filesystem>
#include <map>
#include <system_error>

#include "data/provider_session.h"
#include "data/sqlite_handles.h"
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
        if (stmt_ == nullptr)
            return;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    void handOver() noexcept { stmt_ = nullptr; }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

  private:
    sqlite3_stmt* stmt_;
};

// The field as a result set's cell holds it: the same kinds the buffered rows keep.
runtime::Variant FieldOf(sqlite3_stmt* stmt, int column) {
    sqlite3_value* value = sqlite3_column_value(stmt, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            return runtime::Variant(static_cast<long long>(sqlite3_value_int64(value)));
        case SQLITE_FLOAT:
            return runtime::Variant(sqlite3_value_double(value));
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            return runtime::Variant(
                std::string(text, static_cast<std::size_t>(sqlite3_value_bytes(value))));
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(value));
            return runtime::Variant(runtime::Variant::Bytes(
                data, data + static_cast<std::size_t>(sqlite3_value_bytes(value))));
        }
        default:
            return runtime::Variant::null();
    }
}

// The rows of a statement still running. It is reset (its read lock released) at its end, when
// its result set closes, or when the statement is run again.
class StatementRows final : public RowSource {
  public:
    StatementRows(std::shared_ptr<Connection::Session> session, sqlite3* db, sqlite3_stmt* stmt,
                  StatementRows** live)
        : session_(std::move(session)), db_(db), stmt_(stmt), live_(live) {
        *live_ = this;
    }
    ~StatementRows() override { release(); }
    StatementRows(const StatementRows&) = delete;
    StatementRows& operator=(const StatementRows&) = delete;

    bool atEnd() const noexcept override { return done_; }
    void next() override {
        const int rc = sqlite3_step(stmt_);
        if (rc == SQLITE_ROW)
            return;
        if (rc == SQLITE_DONE) {
            release();
            return;
        }
        const long code = sqlite3_extended_errcode(db_);
        std::string message = sqlite3_errmsg(db_);
        release();
        RaiseProvider(code, std::move(message));
    }
    runtime::Variant field(std::size_t column) const override {
        return FieldOf(stmt_, static_cast<int>(column));
    }
    long count() const noexcept override { return -1; }

    // Ends the rows: the statement is ready for its next run.
    void release() noexcept {
        if (done_)
            return;
        done_ = true;
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
        *live_ = nullptr;
    }

  private:
    std::shared_ptr<Connection::Session> session_;  // the statement lives as long as its session
    sqlite3* db_;
    sqlite3_stmt* stmt_;
    StatementRows** live_;
    bool done_ = false;
};

class FileSession final : public Connection::Session {
  public:
    FileSession(const std::string& path, std::chrono::milliseconds busyTimeout) {
        open(path, busyTimeout);
    }
    // A copy of the file in memory, made with SQLite's backup API from one state of it: what
    // is run on it never reaches the file.
    struct InMemory {};
    FileSession(const std::string& path, std::chrono::milliseconds busyTimeout, InMemory) {
        FileSession source(path, busyTimeout);
        sqlite3* raw = nullptr;
        const int rc =
            sqlite3_open_v2(":memory:", &raw, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK)
            RaiseProvider(rc, sqlite3_errstr(rc));
        sqlite3_extended_result_codes(db_.get(), 1);
        sqlite3_backup* backup = sqlite3_backup_init(db_.get(), "main", source.db_.get(), "main");
        if (backup == nullptr)
            RaiseEngine(db_.get());
        const int stepped = sqlite3_backup_step(backup, -1);
        sqlite3_backup_finish(backup);
        if (stepped != SQLITE_DONE)
            RaiseProvider(stepped, std::string(sqlite3_errstr(stepped)) + " (" + path + ")");
    }

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, RowReading reading, std::chrono::milliseconds timeout) override;
    void begin(TransactionMode mode) override {
        // A writer takes the write lock at once: a reader that later wants to write could
        // otherwise find another writer ahead of it and fail half-way.
        run(mode == TransactionMode::ReadWrite ? "BEGIN IMMEDIATE" : "BEGIN");
        if (mode == TransactionMode::ReadOnly) {
            // SQLite's read snapshot starts with the first read: take it now, so that the
            // transaction sees the database as it was when it began.
            run("SELECT count(*) FROM sqlite_master");
        }
    }
    void commit() override { run("COMMIT"); }
    void rollback() noexcept override {
        if (sqlite3_get_autocommit(db_.get()) == 0)
            sqlite3_exec(db_.get(), "ROLLBACK", nullptr, nullptr, nullptr);
    }

  private:
    struct Statement {
        SqliteStatement stmt;
        std::shared_ptr<const Recordset::Columns> columns;  // null for an action statement
        StatementRows* live = nullptr;  // a streamed result set still reading it
    };

    void run(const char* sql) {
        char* error = nullptr;
        if (sqlite3_exec(db_.get(), sql, nullptr, nullptr, &error) != SQLITE_OK) {
            const long code = sqlite3_extended_errcode(db_.get());
            std::string message = error != nullptr ? error : sqlite3_errmsg(db_.get());
            sqlite3_free(error);
            RaiseProvider(code, std::move(message));
        }
    }

    void open(const std::string& path, std::chrono::milliseconds busyTimeout) {
        // Opened read-write and never created: a missing database is an error, not a new file.
        // A connection is only used on the component's one thread, so SQLite need not lock it
        // on every call (reading a row's columns took a mutex per value).
        sqlite3* raw = nullptr;
        const int rc = sqlite3_open_v2(path.c_str(), &raw,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        db_.reset(raw);
        if (rc != SQLITE_OK) {
            std::error_code ec;
            const bool missing = !std::filesystem::exists(path, ec);
            const long code = db_ ? sqlite3_extended_errcode(db_.get()) : rc;
            std::string message = db_ ? sqlite3_errmsg(db_.get()) : sqlite3_errstr(rc);
            if (missing) {
                RaiseProvider(kProviderFailure, "Could not find file '" + path + "'.");
            }
            RaiseProvider(code, message + " (" + path + ")");
        }
        sqlite3_extended_result_codes(db_.get(), 1);
        sqlite3_busy_timeout(db_.get(), static_cast<int>(busyTimeout.count()));
        // Read the schema now, so that a file that is not a database fails on opening and the
        // next command tries again instead of running on a broken connection.
        char* error = nullptr;
        if (sqlite3_exec(db_.get(), "PRAGMA foreign_keys = OFF; SELECT count(*) FROM sqlite_master",
                         nullptr, nullptr, &error) != SQLITE_OK) {
            const long code = sqlite3_extended_errcode(db_.get());
            std::string message = error != nullptr ? error : sqlite3_errmsg(db_.get());
            sqlite3_free(error);
            RaiseProvider(code, message + " (" + path + ")");
        }
    }

    Statement& Prepare(std::string_view key, std::string_view sql) {
        if (const auto found = statements_.find(key); found != statements_.end()) {
            return found->second;
        }
        const std::string rewritten = RewriteParameters(sql);
        Statement statement;
        if (PrepareStatement(db_.get(), rewritten.c_str(), static_cast<int>(rewritten.size()),
                             SQLITE_PREPARE_PERSISTENT, statement.stmt) != SQLITE_OK) {
            RaiseEngine(db_.get());
        }
        if (const int count = sqlite3_column_count(statement.stmt.get()); count > 0) {
            std::vector<std::string> names;
            for (int i = 0; i < count; ++i)
                names.emplace_back(sqlite3_column_name(statement.stmt.get(), i));
            statement.columns = Recordset::makeColumns(std::move(names));
        }
        return statements_.emplace(std::string(key), std::move(statement)).first->second;
    }

    // The statements go before the connection (members are destroyed in reverse order).
    SqliteConnection db_;
    std::map<std::string, Statement, std::less<>> statements_;
};

void FileSession::execute(std::string_view key, std::string_view sql,
                          const std::vector<std::string>& values, Recordset* rows,
                          RowReading reading, std::chrono::milliseconds timeout) {
    sqlite3_busy_timeout(db_.get(), static_cast<int>(timeout.count()));
    Statement& statement = Prepare(key, sql);
    sqlite3_stmt* stmt = statement.stmt.get();
    if (statement.live != nullptr)
        statement.live->release();  // a result set still reading it ends here
    StatementRun run(stmt);

    if (static_cast<std::size_t>(sqlite3_bind_parameter_count(stmt)) != values.size()) {
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    }
    // Every value goes in as text; the column's type converts it.
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (sqlite3_bind_text(stmt, static_cast<int>(i) + 1, values[i].data(),
                              static_cast<int>(values[i].size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            RaiseEngine(db_.get());
        }
    }

    if (!statement.columns || rows == nullptr) {
        // Nothing to keep: run it to the end.
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(db_.get());
        }
        return;
    }
    if (reading == RowReading::Streamed) {
        const int rc = sqlite3_step(stmt);
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            RaiseEngine(db_.get());
        auto source =
            std::make_unique<StatementRows>(shared_from_this(), db_.get(), stmt, &statement.live);
        if (rc == SQLITE_DONE)
            source->release();
        run.handOver();  // from here the source resets the statement
        rows->open(statement.columns, std::move(source));
        return;
    }
    try {
        RecordsetBuilder builder(*rows, statement.columns);
        const int columnCount = sqlite3_column_count(stmt);
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(db_.get());
            for (int i = 0; i < columnCount; ++i)
                AppendColumn(builder, stmt, i);
        }
    } catch (...) {
        rows->close();  // half a result is never read
        throw;
    }
}

}  // namespace

std::shared_ptr<Connection::Session> OpenFileSession(const std::string& path,
                                                     std::chrono::milliseconds busyTimeout) {
    return std::make_shared<FileSession>(path, busyTimeout);
}

std::shared_ptr<Connection::Session> OpenFilePreviewSession(const std::string& path,
                                                            std::chrono::milliseconds busyTimeout) {
    return std::make_shared<FileSession>(path, busyTimeout, FileSession::InMemory{});
}

}  // namespace xfer::data
