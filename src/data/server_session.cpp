// The database server's provider: the catalogue's SQL adapted to the server's dialect, each
// statement prepared once per connection with parameter types left to the server, every value
// passed as text, and the rows read into the same client-side result sets as the file's.

#include <libpq-fe.h>

#include <cstdlib>
#include <map>

#include "data/provider_session.h"
#include "data/schema.h"
#include "data/server_connection.h"
#include "runtime/error.h"

namespace xfer::data {

namespace {

// The server's type identifiers (pg_type) of the values the schema holds.
constexpr Oid kBool = 16;
constexpr Oid kBytea = 17;
constexpr Oid kInt8 = 20;
constexpr Oid kInt2 = 21;
constexpr Oid kInt4 = 23;
constexpr Oid kFloat4 = 700;
constexpr Oid kFloat8 = 701;
constexpr Oid kNumeric = 1700;

enum class Kind : std::uint8_t { Integer, Real, Boolean, Bytes, Text };

Kind KindOf(Oid type) {
    switch (type) {
        case kInt8:
        case kInt2:
        case kInt4:
            return Kind::Integer;
        case kFloat4:
        case kFloat8:
        case kNumeric:
            return Kind::Real;
        case kBool:
            return Kind::Boolean;
        case kBytea:
            return Kind::Bytes;
        default:
            return Kind::Text;
    }
}

void AppendBytes(RecordsetBuilder& rows, const char* text) {
    std::size_t size = 0;
    unsigned char* bytes = PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
    if (bytes == nullptr) {
        rows.null();
        return;
    }
    rows.blob({bytes, size});
    PQfreemem(bytes);
}

class ServerSession : public Connection::Session {
  public:
    ServerSession(const std::string& connectionInfo, std::chrono::milliseconds timeout)
        : server_(connectionInfo, timeout) {}

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, std::chrono::milliseconds timeout) override;
    bool usable() const noexcept override { return server_.usable(); }
    void begin(TransactionMode mode) override {
        // Both modes see one snapshot from their first statement; a writer whose rows another
        // session changed meanwhile fails instead of overwriting that change.
        // The snapshot is taken by the first statement, so one is run at once: the transaction
        // sees the database as it was when it began.
        server_.run(mode == TransactionMode::ReadOnly
                        ? "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY; SELECT 1"
                        : "BEGIN ISOLATION LEVEL REPEATABLE READ; SELECT 1");
    }
    void commit() override { server_.run("COMMIT"); }
    void rollback() noexcept override {
        try {
            if (server_.usable() && server_.inTransaction())
                server_.run("ROLLBACK");
        } catch (const runtime::Error&) {
            // The connection has gone, and with it the transaction.
        }
    }

  protected:
    ServerConnection server_;

  private:
    struct Statement {
        std::string name;
        std::size_t parameters = 0;
        std::shared_ptr<const Recordset::Columns> columns;  // set by the first run with rows
        std::vector<Kind> kinds;
    };

    Statement& Prepare(std::string_view key, std::string_view sql);
    void Read(Statement& statement, const PGresult* result, Recordset& rows);

    std::map<std::string, Statement, std::less<>> statements_;
};

// Everything inside one transaction that is rolled back when the session goes: each command
// and each transaction of a caller runs in a savepoint of its own, so that a failed command
// undoes only itself, as it would on its own, and the rest of the preview goes on.
class ServerPreviewSession final : public ServerSession {
  public:
    ServerPreviewSession(const std::string& connectionInfo, std::chrono::milliseconds timeout)
        : ServerSession(connectionInfo, timeout) {
        server_.run("BEGIN ISOLATION LEVEL REPEATABLE READ; SELECT 1");
    }
    ~ServerPreviewSession() override { ServerSession::rollback(); }

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, std::chrono::milliseconds timeout) override {
        server_.run("SAVEPOINT preview_command");
        try {
            ServerSession::execute(key, sql, values, rows, timeout);
        } catch (...) {
            undo("preview_command");
            throw;
        }
        server_.run("RELEASE SAVEPOINT preview_command");
    }
    void begin(TransactionMode) override { server_.run("SAVEPOINT preview_transaction"); }
    void commit() override { server_.run("RELEASE SAVEPOINT preview_transaction"); }
    void rollback() noexcept override { undo("preview_transaction"); }

  private:
    void undo(const std::string& savepoint) noexcept {
        try {
            if (server_.usable())
                server_.run("ROLLBACK TO SAVEPOINT " + savepoint + "; RELEASE SAVEPOINT " +
                            savepoint);
        } catch (const runtime::Error&) {
            // The connection has gone, and the whole preview with it.
        }
    }
};

ServerSession::Statement& ServerSession::Prepare(std::string_view key, std::string_view sql) {
    if (const auto found = statements_.find(key); found != statements_.end())
        return found->second;
    std::vector<std::string> names;
    const std::string adapted = AdaptForServer(sql, &names);
    Statement statement{std::string(key), names.size(), nullptr, {}};
    // No parameter types: the server infers each from where it stands (a key column makes it
    // a number, a text column text), as the file's column types convert the text it is given.
    const ServerResult prepared(PQprepare(server_.get(), statement.name.c_str(), adapted.c_str(),
                                          static_cast<int>(names.size()), nullptr));
    server_.check(prepared);
    return statements_.emplace(std::string(key), std::move(statement)).first->second;
}

void ServerSession::Read(Statement& statement, const PGresult* result, Recordset& rows) {
    const int columns = PQnfields(result);
    if (!statement.columns) {
        std::vector<std::string> names;
        for (int i = 0; i < columns; ++i) {
            // The server folds names to lower case; the result set keeps the schema's spelling.
            names.emplace_back(CanonicalName(PQfname(result, i)));
            statement.kinds.push_back(KindOf(PQftype(result, i)));
        }
        statement.columns = Recordset::makeColumns(std::move(names));
    }
    RecordsetBuilder builder(rows, statement.columns);
    const int count = PQntuples(result);
    for (int row = 0; row < count; ++row) {
        for (int column = 0; column < columns; ++column) {
            if (PQgetisnull(result, row, column) != 0) {
                builder.null();
                continue;
            }
            const char* text = PQgetvalue(result, row, column);
            const auto length = static_cast<std::size_t>(PQgetlength(result, row, column));
            switch (statement.kinds[static_cast<std::size_t>(column)]) {
                case Kind::Integer:
                    builder.integer(std::strtoll(text, nullptr, 10));
                    break;
                case Kind::Real:
                    builder.real(std::strtod(text, nullptr));
                    break;
                case Kind::Boolean:
                    builder.integer(*text == 't' ? -1 : 0);
                    break;
                case Kind::Bytes:
                    AppendBytes(builder, text);
                    break;
                case Kind::Text:
                    builder.text(std::string_view(text, length));
                    break;
            }
        }
    }
}

void ServerSession::execute(std::string_view key, std::string_view sql,
                            const std::vector<std::string>& values, Recordset* rows,
                            std::chrono::milliseconds timeout) {
    server_.setTimeout(timeout);
    Statement& statement = Prepare(key, sql);
    if (statement.parameters != values.size())
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    std::vector<const char*> texts;
    texts.reserve(values.size());
    for (const std::string& value : values)
        texts.push_back(value.c_str());
    // Each command commits on its own, as on the file: no transaction is opened around it.
    const ServerResult result(PQexecPrepared(server_.get(), statement.name.c_str(),
                                             static_cast<int>(texts.size()), texts.data(), nullptr,
                                             nullptr, 0));
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_TUPLES_OK && rows != nullptr) {
        try {
            Read(statement, result.get(), *rows);
        } catch (...) {
            rows->close();  // half a result is never read
            throw;
        }
        return;
    }
    if (status == PGRES_TUPLES_OK || status == PGRES_COMMAND_OK)
        return;
    if (rows != nullptr)
        rows->close();
    server_.check(result);
}

}  // namespace

std::shared_ptr<Connection::Session> OpenServerSession(const std::string& connectionInfo,
                                                       std::chrono::milliseconds timeout) {
    return std::make_shared<ServerSession>(connectionInfo, timeout);
}

std::shared_ptr<Connection::Session> OpenServerPreviewSession(const std::string& connectionInfo,
                                                              std::chrono::milliseconds timeout) {
    return std::make_shared<ServerPreviewSession>(connectionInfo, timeout);
}

}  // namespace xfer::data
