// The database server's provider: the catalogue's SQL adapted to the server's dialect, each
// statement prepared once per connection with parameter types left to the server, every value
// passed as text, and the rows read from the server's result as the reader asks for them.
// Statements a caller names ahead go out together in one exchange (libpq's pipeline mode).

#include <libpq-fe.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <utility>

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

using SharedResult = std::shared_ptr<const pg_result>;

SharedResult Share(ServerResult result) {
    return SharedResult(result.release(),
                        [](const pg_result* r) { PQclear(const_cast<pg_result*>(r)); });
}

// The rows of the server's result, read where libpq keeps them: a field becomes a value only
// when it is asked for.
class ResultRows final : public RowSource {
  public:
    ResultRows(SharedResult result, std::shared_ptr<const std::vector<Kind>> kinds)
        : result_(std::move(result)), kinds_(std::move(kinds)), count_(PQntuples(result_.get())) {}

    bool atEnd() const noexcept override { return row_ >= count_; }
    void next() override { ++row_; }
    long count() const noexcept override { return count_; }
    runtime::Variant field(std::size_t column) const override {
        const pg_result* r = result_.get();
        const int c = static_cast<int>(column);
        if (PQgetisnull(r, row_, c) != 0)
            return runtime::Variant::null();
        const char* text = PQgetvalue(r, row_, c);
        switch ((*kinds_)[column]) {
            case Kind::Integer:
                return runtime::Variant(static_cast<long long>(std::strtoll(text, nullptr, 10)));
            case Kind::Real:
                return runtime::Variant(std::strtod(text, nullptr));
            case Kind::Boolean:
                return runtime::Variant(static_cast<long long>(*text == 't' ? -1 : 0));
            case Kind::Bytes: {
                std::size_t size = 0;
                unsigned char* bytes =
                    PQunescapeBytea(reinterpret_cast<const unsigned char*>(text), &size);
                if (bytes == nullptr)
                    return runtime::Variant::null();
                runtime::Variant value(runtime::Variant::Bytes(bytes, bytes + size));
                PQfreemem(bytes);
                return value;
            }
            case Kind::Text:
                break;
        }
        return runtime::Variant(
            std::string(text, static_cast<std::size_t>(PQgetlength(r, row_, c))));
    }

  private:
    SharedResult result_;
    std::shared_ptr<const std::vector<Kind>> kinds_;
    int count_;
    int row_ = 0;
};

class ServerSession : public Connection::Session {
  public:
    ServerSession(const std::string& connectionInfo, std::chrono::milliseconds timeout,
                  std::shared_ptr<ServerTraffic> traffic)
        : server_(connectionInfo, timeout, std::move(traffic)) {}

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, RowReading reading, std::chrono::milliseconds timeout) override;
    void sendAhead(const std::vector<StatementAhead>& statements,
                   std::chrono::milliseconds timeout) override;
    void forgetAhead() noexcept override { ahead_.clear(); }
    bool usable() const noexcept override { return server_.usable(); }
    void begin(TransactionMode mode) override {
        forgetAhead();
        // Both modes see one snapshot from their first statement; a writer whose rows another
        // session changed meanwhile fails instead of overwriting that change.
        // The snapshot is taken by the first statement, so one is run at once: the transaction
        // sees the database as it was when it began.
        server_.run(mode == TransactionMode::ReadOnly
                        ? "BEGIN ISOLATION LEVEL REPEATABLE READ READ ONLY; SELECT 1"
                        : "BEGIN ISOLATION LEVEL REPEATABLE READ; SELECT 1");
    }
    void commit() override {
        forgetAhead();
        server_.run("COMMIT");
    }
    void rollback() noexcept override {
        forgetAhead();
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
        std::string adapted;  // the SQL in the server's dialect
        std::size_t parameters = 0;
        bool prepared = false;
        std::shared_ptr<const Recordset::Columns> columns;  // set by the first run with rows
        std::shared_ptr<const std::vector<Kind>> kinds;
    };
    // A statement's run whose result came ahead of its execute: the key and the values.
    using AheadKey = std::pair<std::string, std::vector<std::string>>;

    Statement& Find(std::string_view key, std::string_view sql);
    Statement& Prepare(std::string_view key, std::string_view sql);
    void Deliver(Statement& statement, const SharedResult& result, Recordset* rows);
    void Read(Statement& statement, const SharedResult& result, Recordset& rows);

    std::map<std::string, Statement, std::less<>> statements_;
    std::map<AheadKey, SharedResult> ahead_;
};

// Everything inside one transaction that is rolled back when the session goes: each command
// and each transaction of a caller runs in a savepoint of its own, so that a failed command
// undoes only itself, as it would on its own, and the rest of the preview goes on.
class ServerPreviewSession final : public ServerSession {
  public:
    ServerPreviewSession(const std::string& connectionInfo, std::chrono::milliseconds timeout,
                         std::shared_ptr<ServerTraffic> traffic)
        : ServerSession(connectionInfo, timeout, std::move(traffic)) {
        server_.run("BEGIN ISOLATION LEVEL REPEATABLE READ; SELECT 1");
    }
    ~ServerPreviewSession() override { ServerSession::rollback(); }

    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, RowReading reading, std::chrono::milliseconds timeout) override {
        server_.run("SAVEPOINT preview_command");
        try {
            ServerSession::execute(key, sql, values, rows, reading, timeout);
        } catch (...) {
            undo("preview_command");
            throw;
        }
        server_.run("RELEASE SAVEPOINT preview_command");
    }
    // Statements sent ahead each end in a sync of their own, which inside the preview's
    // transaction would let one failing read abort the whole preview: each runs on its own.
    void sendAhead(const std::vector<StatementAhead>&, std::chrono::milliseconds) override {}
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

ServerSession::Statement& ServerSession::Find(std::string_view key, std::string_view sql) {
    if (const auto found = statements_.find(key); found != statements_.end())
        return found->second;
    std::vector<std::string> names;
    Statement statement;
    statement.name = std::string(key);
    statement.adapted = AdaptForServer(sql, &names);
    statement.parameters = names.size();
    return statements_.emplace(std::string(key), std::move(statement)).first->second;
}

ServerSession::Statement& ServerSession::Prepare(std::string_view key, std::string_view sql) {
    Statement& statement = Find(key, sql);
    if (statement.prepared)
        return statement;
    // No parameter types: the server infers each from where it stands (a key column makes it
    // a number, a text column text), as the file's column types convert the text it is given.
    server_.countRoundTrip();
    const ServerResult prepared(PQprepare(server_.get(), statement.name.c_str(),
                                          statement.adapted.c_str(),
                                          static_cast<int>(statement.parameters), nullptr));
    server_.check(prepared);
    statement.prepared = true;
    return statement;
}

void ServerSession::Read(Statement& statement, const SharedResult& result, Recordset& rows) {
    if (!statement.columns) {
        const int columns = PQnfields(result.get());
        std::vector<std::string> names;
        auto kinds = std::make_shared<std::vector<Kind>>();
        for (int i = 0; i < columns; ++i) {
            // The server folds names to lower case; the result set keeps the schema's spelling.
            names.emplace_back(CanonicalName(PQfname(result.get(), i)));
            kinds->push_back(KindOf(PQftype(result.get(), i)));
        }
        statement.columns = Recordset::makeColumns(std::move(names));
        statement.kinds = std::move(kinds);
    }
    rows.open(statement.columns, std::make_unique<ResultRows>(result, statement.kinds));
}

// Hands a result to the caller as a run of the statement would: its rows, or its error.
void ServerSession::Deliver(Statement& statement, const SharedResult& result, Recordset* rows) {
    const ExecStatusType status = PQresultStatus(result.get());
    if (status == PGRES_TUPLES_OK && rows != nullptr) {
        try {
            Read(statement, result, *rows);
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
    server_.check(result.get());
}

void ServerSession::execute(std::string_view key, std::string_view sql,
                            const std::vector<std::string>& values, Recordset* rows,
                            RowReading /*reading*/, std::chrono::milliseconds timeout) {
    if (!ahead_.empty()) {
        if (const auto found = ahead_.find(AheadKey(std::string(key), values));
            found != ahead_.end()) {
            const SharedResult result = found->second;
            Deliver(Find(key, sql), result, rows);
            return;
        }
        if (rows == nullptr)
            forgetAhead();  // a change: what was read ahead may be stale
    }
    server_.setTimeout(timeout);
    Statement& statement = Prepare(key, sql);
    if (statement.parameters != values.size())
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    std::vector<const char*> texts;
    texts.reserve(values.size());
    for (const std::string& value : values)
        texts.push_back(value.c_str());
    // Each command commits on its own, as on the file: no transaction is opened around it.
    server_.countRoundTrip();
    Deliver(statement,
            Share(ServerResult(PQexecPrepared(server_.get(), statement.name.c_str(),
                                              static_cast<int>(texts.size()), texts.data(), nullptr,
                                              nullptr, 0))),
            rows);
}

// The statements go out in libpq's pipeline mode, each (and each preparation) followed by a
// synchronisation point: the server runs and commits each on its own, and one failing aborts
// no other. Only successful preparations and the results of prepared statements are kept; a
// statement whose preparation failed is prepared again when it runs, and fails as it would
// have.
void ServerSession::sendAhead(const std::vector<StatementAhead>& statements,
                              std::chrono::milliseconds timeout) {
    server_.setTimeout(timeout);
    pg_conn* conn = server_.get();
    struct Sent {
        Statement* statement;
        const StatementAhead* ahead;  // null for a preparation
    };
    std::vector<Sent> sent;
    std::set<AheadKey> asked;
    if (PQenterPipelineMode(conn) != 1)
        return;
    bool sending = true;
    std::vector<const char*> texts;
    for (const StatementAhead& ahead : statements) {
        AheadKey key(std::string(ahead.key), ahead.values);
        if (ahead_.contains(key) || !asked.insert(key).second)
            continue;
        Statement& statement = Find(ahead.key, ahead.sql);
        if (statement.parameters != ahead.values.size())
            continue;  // refused when it runs
        if (!statement.prepared) {
            const bool preparing = std::any_of(sent.begin(), sent.end(), [&](const Sent& s) {
                return s.statement == &statement && s.ahead == nullptr;
            });
            if (!preparing) {
                sending = PQsendPrepare(conn, statement.name.c_str(), statement.adapted.c_str(),
                                        static_cast<int>(statement.parameters), nullptr) == 1 &&
                          PQpipelineSync(conn) == 1;
                if (!sending)
                    break;
                sent.push_back({&statement, nullptr});
            }
        }
        texts.clear();
        for (const std::string& value : ahead.values)
            texts.push_back(value.c_str());
        sending = PQsendQueryPrepared(conn, statement.name.c_str(), static_cast<int>(texts.size()),
                                      texts.data(), nullptr, nullptr, 0) == 1 &&
                  PQpipelineSync(conn) == 1;
        if (!sending)
            break;
        sent.push_back({&statement, &ahead});
    }
    if (!sent.empty())
        server_.countRoundTrip();
    std::set<const Statement*> unprepared;  // whose preparation failed in this batch
    // Each sent item ends with its synchronisation point; its result (if any) comes first.
    for (const Sent& item : sent) {
        SharedResult result;
        bool synced = false;
        // A statement's results, the end of them (null) and its synchronisation point.
        for (int reads = 0; !synced && reads < 8; ++reads) {
            ServerResult next(PQgetResult(conn));
            if (!next) {
                if (PQstatus(conn) != CONNECTION_OK)
                    break;
                continue;
            }
            if (PQresultStatus(next.get()) == PGRES_PIPELINE_SYNC) {
                synced = true;
            } else if (!result) {
                result = Share(std::move(next));
            }
        }
        if (!synced)
            break;  // the connection has gone: each statement reports it when it runs
        const ExecStatusType status = result ? PQresultStatus(result.get()) : PGRES_FATAL_ERROR;
        const bool ok = status == PGRES_COMMAND_OK || status == PGRES_TUPLES_OK;
        if (item.ahead == nullptr) {
            if (ok)
                item.statement->prepared = true;
            else
                unprepared.insert(item.statement);
        } else if (result && !unprepared.contains(item.statement) &&
                   status != PGRES_PIPELINE_ABORTED) {
            ahead_[AheadKey(std::string(item.ahead->key), item.ahead->values)] = result;
        }
    }
    // Whatever is still pending after a broken exchange is read and dropped, so that the
    // connection runs single statements again (or is seen to be lost).
    for (std::size_t reads = 0; PQexitPipelineMode(conn) != 1 && reads < 4 * sent.size() + 8;
         ++reads) {
        if (PQstatus(conn) != CONNECTION_OK)
            break;
        ServerResult pending(PQgetResult(conn));
    }
}

}  // namespace

std::shared_ptr<Connection::Session> OpenServerSession(const std::string& connectionInfo,
                                                       std::chrono::milliseconds timeout,
                                                       std::shared_ptr<ServerTraffic> traffic) {
    return std::make_shared<ServerSession>(connectionInfo, timeout, std::move(traffic));
}

std::shared_ptr<Connection::Session> OpenServerPreviewSession(
    const std::string& connectionInfo, std::chrono::milliseconds timeout,
    std::shared_ptr<ServerTraffic> traffic) {
    return std::make_shared<ServerPreviewSession>(connectionInfo, timeout, std::move(traffic));
}

}  // namespace xfer::data
