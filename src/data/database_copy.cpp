#include "data/database_copy.h"

#include <libpq-fe.h>
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <system_error>

#include "data/database_choice.h"
#include "data/file_replacement.h"
#include "data/schema.h"
#include "data/server_connection.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

constexpr long kCopyFailed = 5;  // Invalid procedure call or argument
constexpr long kFileAlreadyExists = 58;
constexpr long kFileNotFound = 53;

[[noreturn]] void Fail(long number, const std::string& description) {
    runtime::Raise(number, std::string(runtime::kComponentSource), description);
}

// One row of a table in the schema's column order; nullptr is NULL.
using Row = std::vector<const char*>;
using RowSink = std::function<void(const Row&)>;

std::string ColumnList(const SchemaTable& table) {
    std::string list;
    for (const SchemaColumn& column : table.columns)
        list += (list.empty() ? "" : ", ") + column.name;
    return list;
}

std::string Select(const SchemaTable& table) {
    return "SELECT " + ColumnList(table) + " FROM " + table.name;
}

// --- The SQLite file --------------------------------------------------------------------

class File {
  public:
    File(const std::string& path, int flags) : path_(path) {
        if (sqlite3_open_v2(path.c_str(), &db_, flags, nullptr) != SQLITE_OK) {
            const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : "out of memory";
            sqlite3_close(db_);
            Fail(kCopyFailed, "Cannot open " + path + ": " + message);
        }
        sqlite3_busy_timeout(db_, 30000);
    }
    ~File() { sqlite3_close(db_); }
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    void run(const std::string& sql) {
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK)
            raise();
    }
    // Steps `sql` with `values` bound as text, handing each row to `sink`.
    void each(const std::string& sql, const Row& values, const RowSink& sink) {
        sqlite3_stmt* raw = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &raw, nullptr) != SQLITE_OK)
            raise();
        const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
        for (std::size_t i = 0; i < values.size(); ++i) {
            const int at = static_cast<int>(i) + 1;
            if (values[i] == nullptr)
                sqlite3_bind_null(raw, at);
            else
                sqlite3_bind_text(raw, at, values[i], -1, SQLITE_STATIC);
        }
        Row row(static_cast<std::size_t>(sqlite3_column_count(raw)));
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
            for (std::size_t i = 0; i < row.size(); ++i) {
                row[i] =
                    reinterpret_cast<const char*>(sqlite3_column_text(raw, static_cast<int>(i)));
            }
            if (sink)
                sink(row);
        }
        if (rc != SQLITE_DONE)
            raise();
    }
    long long count(const SchemaTable& table) {
        long long n = 0;
        each("SELECT count(*) FROM " + table.name, {},
             [&](const Row& row) { n = std::stoll(row.at(0)); });
        return n;
    }
    sqlite3* get() const noexcept { return db_; }

  private:
    [[noreturn]] void raise() const { Fail(kCopyFailed, path_ + ": " + sqlite3_errmsg(db_)); }

    std::string path_;
    sqlite3* db_ = nullptr;
};

// --- Reading ------------------------------------------------------------------------------

class Source {
  public:
    virtual ~Source() = default;
    virtual void read(const SchemaTable& table, const RowSink& sink) = 0;
    virtual long long count(const SchemaTable& table) = 0;
};

class FileSource final : public Source {
  public:
    // A file that exists, read in one snapshot.
    explicit FileSource(const std::string& path) : file_(Existing(path), SQLITE_OPEN_READWRITE) {
        file_.run("BEGIN");
    }
    // The schema and the demo data in memory.
    FileSource() : file_(":memory:", SQLITE_OPEN_READWRITE) {
        file_.run(std::string(SchemaSql()));
        file_.run(std::string(DemoDataSql()));
        file_.run("BEGIN");
    }
    void read(const SchemaTable& table, const RowSink& sink) override {
        file_.each(Select(table), {}, sink);
    }
    long long count(const SchemaTable& table) override { return file_.count(table); }

  private:
    static const std::string& Existing(const std::string& path) {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            Fail(kFileNotFound, "File not found: " + path);
        return path;
    }
    File file_;
};

class ServerSource final : public Source {
  public:
    explicit ServerSource(const std::string& connectionInfo) : server_(connectionInfo) {
        server_.run("BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY");
    }
    void read(const SchemaTable& table, const RowSink& sink) override {
        PGconn* conn = server_.get();
        if (PQsendQuery(conn, Select(table).c_str()) == 0 || PQsetSingleRowMode(conn) == 0)
            server_.raise(nullptr);
        Row row(table.columns.size());
        ServerResult failed;
        while (PGresult* raw = PQgetResult(conn)) {
            ServerResult result(raw);
            const ExecStatusType status = PQresultStatus(raw);
            if (status == PGRES_SINGLE_TUPLE) {
                for (std::size_t i = 0; i < row.size(); ++i) {
                    const int column = static_cast<int>(i);
                    row[i] =
                        PQgetisnull(raw, 0, column) != 0 ? nullptr : PQgetvalue(raw, 0, column);
                }
                sink(row);
            } else if (status != PGRES_TUPLES_OK && !failed) {
                failed = std::move(result);  // read to the end before raising
            }
        }
        if (failed)
            server_.raise(failed.get());
    }
    long long count(const SchemaTable& table) override {
        const ServerResult result = server_.query("SELECT count(*) FROM " + table.name);
        return std::stoll(PQgetvalue(result.get(), 0, 0));
    }

  private:
    ServerConnection server_;
};

// --- Writing ------------------------------------------------------------------------------

class Target {
  public:
    virtual ~Target() = default;
    virtual void begin(const SchemaTable& table) = 0;
    virtual void insert(const Row& row) = 0;
    virtual void end() = 0;
    virtual long long count(const SchemaTable& table) = 0;
    virtual void commit() = 0;
    virtual void abandon() noexcept = 0;
};

// Written under a temporary name and put in place only when every table is checked.
class FileTarget final : public Target {
  public:
    explicit FileTarget(const std::string& path) : replacement_(path) {
        CreateDatabaseFromScripts(replacement_.temporary(), {SchemaSql()});
        file_ = std::make_unique<File>(replacement_.temporary(), SQLITE_OPEN_READWRITE);
        file_->run("BEGIN");
    }
    void begin(const SchemaTable& table) override {
        std::string marks;
        for (std::size_t i = 0; i < table.columns.size(); ++i)
            marks += i == 0 ? "?" : ", ?";
        insert_ =
            "INSERT INTO " + table.name + " (" + ColumnList(table) + ") VALUES (" + marks + ")";
    }
    void insert(const Row& row) override { file_->each(insert_, row, {}); }
    void end() override {}
    long long count(const SchemaTable& table) override { return file_->count(table); }
    void commit() override {
        file_->run("COMMIT");
        file_.reset();  // closing folds the WAL into the file
        replacement_.commit();
    }
    void abandon() noexcept override { file_.reset(); }  // the replacement removes the file

  private:
    FileReplacement replacement_;
    std::unique_ptr<File> file_;
    std::string insert_;
};

// COPY's text format: tab between columns, \N for NULL, backslash escapes.
void AppendCopyText(std::string& out, const char* value) {
    if (value == nullptr) {
        out += "\\N";
        return;
    }
    for (const char* p = value; *p != '\0'; ++p) {
        switch (*p) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += *p;
        }
    }
}

void RequireNoTables(ServerConnection& server, const std::string& connectionInfo) {
    const ServerResult result = server.query(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()");
    const long long tables = std::stoll(PQgetvalue(result.get(), 0, 0));
    if (tables != 0) {
        Fail(kFileAlreadyExists, "The server database " + ShownConnectionInfo(connectionInfo) +
                                     " is not empty: it has " + std::to_string(tables) +
                                     " tables. Only an empty database is filled; nothing was "
                                     "changed.");
    }
}

class ServerTarget final : public Target {
  public:
    explicit ServerTarget(const std::string& connectionInfo) : server_(connectionInfo) {
        server_.run("BEGIN");
        RequireNoTables(server_, connectionInfo);
        server_.run(ServerSchemaSql());
    }
    void begin(const SchemaTable& table) override {
        const std::string copy = "COPY " + table.name + " (" + ColumnList(table) + ") FROM STDIN";
        const ServerResult result(PQexec(server_.get(), copy.c_str()));
        if (PQresultStatus(result.get()) != PGRES_COPY_IN)
            server_.raise(result.get());
        buffer_.clear();
    }
    void insert(const Row& row) override {
        for (std::size_t i = 0; i < row.size(); ++i) {
            if (i != 0)
                buffer_ += '\t';
            AppendCopyText(buffer_, row[i]);
        }
        buffer_ += '\n';
        if (buffer_.size() >= 1 << 16)
            flush();
    }
    void end() override {
        flush();
        if (PQputCopyEnd(server_.get(), nullptr) != 1)
            server_.raise(nullptr);
        const ServerResult result(PQgetResult(server_.get()));
        server_.check(result);
        while (PGresult* rest = PQgetResult(server_.get()))
            PQclear(rest);
    }
    long long count(const SchemaTable& table) override {
        const ServerResult result = server_.query("SELECT count(*) FROM " + table.name);
        return std::stoll(PQgetvalue(result.get(), 0, 0));
    }
    void commit() override { server_.run("COMMIT"); }
    void abandon() noexcept override {}  // the transaction goes with the connection

  private:
    void flush() {
        if (!buffer_.empty() &&
            PQputCopyData(server_.get(), buffer_.data(), static_cast<int>(buffer_.size())) != 1)
            server_.raise(nullptr);
        buffer_.clear();
    }

    ServerConnection server_;
    std::string buffer_;
};

std::unique_ptr<Source> OpenSource(const DatabaseAddress& from) {
    if (from.server)
        return std::make_unique<ServerSource>(from.location);
    return std::make_unique<FileSource>(from.location);
}

std::unique_ptr<Target> OpenTarget(const DatabaseAddress& to) {
    if (to.server)
        return std::make_unique<ServerTarget>(to.location);
    return std::make_unique<FileTarget>(to.location);
}

bool EndsWithMdb(const std::string& name) {
    return name.size() > 4 &&
           runtime::EqualsNoCase(std::string_view(name).substr(name.size() - 4), ".mdb");
}

// Progress is told after every table and every so many rows.
constexpr long long kProgressRows = 4096;

std::vector<CopiedTable> Copy(Source& source, Target& target, const CopyProgressSink& progress) {
    std::vector<CopiedTable> copied;
    CopyProgress done{0, SchemaTables().size(), 0};
    try {
        for (const SchemaTable& table : SchemaTables()) {
            target.begin(table);
            source.read(table, [&](const Row& row) {
                target.insert(row);
                if (++done.rows % kProgressRows == 0 && progress)
                    progress(done);
            });
            target.end();
            const long long expected = source.count(table);
            const long long written = target.count(table);
            if (written != expected) {
                Fail(kCopyFailed, table.name + " has " + std::to_string(expected) +
                                      " rows in the source but " + std::to_string(written) +
                                      " in the target; nothing was copied.");
            }
            copied.push_back({table.name, written});
            ++done.tables;
            if (progress)
                progress(done);
        }
        target.commit();
    } catch (...) {
        target.abandon();
        throw;
    }
    return copied;
}

}  // namespace

std::string DatabaseAddress::describe() const {
    return server ? "the server database " + ShownConnectionInfo(location) : "the file " + location;
}

DatabaseAddress ParseDatabaseAddress(std::string_view text) {
    const std::string_view trimmed = runtime::Trim(text);
    const bool server = trimmed.find('=') != std::string_view::npos ||
                        trimmed.starts_with("postgresql://") || trimmed.starts_with("postgres://");
    return {server, server ? ServerConnectionInfo(trimmed) : std::string(trimmed)};
}

void CreateServerDatabase(const std::string& connectionInfo, bool withDemoData) {
    if (!withDemoData) {
        ServerConnection server(connectionInfo);
        server.run("BEGIN");
        RequireNoTables(server, connectionInfo);
        server.run(ServerSchemaSql());
        server.run("COMMIT");
        return;
    }
    FileSource demo;
    ServerTarget target(connectionInfo);
    Copy(demo, target, {});
}

ServerTables InspectServerTables(const std::string& connectionInfo) {
    ServerConnection server(connectionInfo);
    // The catalogue lists every table; the information schema only those the role may use,
    // which would call a database whose rights are missing empty.
    const ServerResult tables = server.query(
        "SELECT count(*), (SELECT quote_ident(c.relname) FROM pg_catalog.pg_class c "
        "WHERE c.relnamespace = n.oid AND c.relkind IN ('r', 'p') "
        "AND NOT has_table_privilege(c.oid, 'SELECT') ORDER BY c.relname LIMIT 1) "
        "FROM pg_catalog.pg_namespace n JOIN pg_catalog.pg_class t ON t.relnamespace = n.oid "
        "AND t.relkind IN ('r', 'p') WHERE n.nspname = current_schema() GROUP BY n.oid");
    ServerTables found;
    if (PQntuples(tables.get()) == 0)
        return found;
    found.count = std::stoll(PQgetvalue(tables.get(), 0, 0));
    if (PQgetisnull(tables.get(), 0, 1) == 0) {
        // Read it, so that the refusal is the server's own.
        try {
            server.query(std::string("SELECT 1 FROM ") + PQgetvalue(tables.get(), 0, 1) +
                         " LIMIT 0");
        } catch (const runtime::Error& error) {
            found.refused = error.description();
        }
    }
    return found;
}

long long ServerTableCount(const std::string& connectionInfo) {
    return InspectServerTables(connectionInfo).count;
}

std::vector<CopiedTable> CopyDatabase(const DatabaseAddress& from, const DatabaseAddress& to,
                                      const CopyProgressSink& progress) {
    if (!to.server && to.location.find('/') == std::string::npos && !EndsWithMdb(to.location)) {
        Fail(kCopyFailed, "\"" + to.location +
                              "\" names neither a database file nor a server: write a file as a "
                              "path with a folder (./" +
                              to.location +
                              ") or a name ending in .mdb, a server as a connection string "
                              "(host=... dbname=...), a postgresql:// URI or service=NAME");
    }
    const std::unique_ptr<Source> source = OpenSource(from);
    const std::unique_ptr<Target> target = OpenTarget(to);
    return Copy(*source, *target, progress);
}

}  // namespace xfer::data
