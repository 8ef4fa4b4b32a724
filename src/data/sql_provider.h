#pragma once
// The SQL providers behind the connection string, chosen by its Provider keyword: the SQLite
// configuration database file (opened read-write, never created) or a PostgreSQL server
// (src/data/server_session.cpp). Either opens on first use, rewrites `Given_...` parameters
// into numbered ones, passes every value as text and keeps each statement prepared for the
// connection's life.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/recordset.h"

namespace xfer::data {

// What raised an error of the file's provider: the engine that runs the file.
inline constexpr const char* kProviderSource = "SQLite";
inline constexpr const char* kProviderName = "Microsoft.Jet.OLEDB.4.0";
// The start of the file's connection string; its path follows.
inline constexpr const char* kFileConnectionPrefix =
    "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

// The database server's provider: its name in a connection string and as the source of its
// errors. Its Data Source is a libpq connection string and runs to the end of the text, so it
// may hold semicolons of its own.
inline constexpr const char* kServerProviderName = "PostgreSQL";
inline constexpr const char* kServerConnectionPrefix = "Provider=PostgreSQL;Data Source=";

struct ConnectionString {
    std::string provider;
    std::string dataSource;
    bool onServer() const;
};
// Keywords without regard to case; raises a clear error for an unknown provider or a missing
// Data Source.
ConnectionString ParseConnectionString(std::string_view text);

// The number a server error carries: its SQLSTATE packed six bits a character, as the server
// itself numbers it ("23505", a key that exists already, is one number). Failures without a
// SQLSTATE (no connection) carry the provider's catch-all number instead.
long ServerErrorNumber(std::string_view sqlstate);
inline constexpr long kProviderFailure = -2147467259;

// The SQL text with every `Given_...` identifier (bare or back-quoted) replaced by ?N, numbered
// in order of first occurrence; `names` receives the distinct names in that order.
std::string RewriteParameters(std::string_view sql, std::vector<std::string>* names = nullptr);

// The same SQL text in the server's dialect: parameters become $N in the same order, and a
// back-quoted or bracketed name becomes the folded, double-quoted name that an unquoted one
// means to the server (`Password` is "password").
std::string AdaptForServer(std::string_view sql, std::vector<std::string>* names = nullptr);

// How a reading statement's rows reach its result set: copied out before the statement is done
// (a result set that is kept while other statements run), or read from the statement itself
// as the reader walks it once, front to back. The server's rows are read from its result
// either way: they are on the client already.
enum class RowReading { Buffered, Streamed };

// A reading statement a caller will run soon, with the values it will bind.
struct StatementAhead {
    std::string_view key;
    std::string_view sql;
    std::vector<std::string> values;
};

// How a transaction uses the database: a read-only one sees one state of it from its start.
enum class TransactionMode { ReadOnly, ReadWrite };

class SharedSessions;

class Connection {
  public:
    // Opens its session through `shared` when given, so that connections of one host to the
    // same server share one; otherwise each connection opens its own.
    explicit Connection(SharedSessions* shared = nullptr);
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    void setConnectionString(std::string text);
    const std::string& connectionString() const noexcept { return connectionString_; }
    void setBusyTimeout(std::chrono::milliseconds timeout) { busyTimeout_ = timeout; }
    bool isOpen() const noexcept;
    void close() noexcept;

    // Runs a statement by key (prepared on first use from `sql`, reused afterwards) with the
    // values bound in order. The rows of a statement that returns rows go into `rows`, which is
    // closed first and left closed when the run fails; others leave `rows` alone (it may be
    // null). Errors carry the provider's name and the engine's message. A streamed result set
    // holds its statement until it reaches its end or closes.
    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows, RowReading reading = RowReading::Buffered);

    // Statements the caller will run next, each with its values. A server gets them together,
    // in one exchange, each still run and committed on its own; a later execute of the same
    // statement with the same values takes its result (or raises its error) without asking the
    // server again, until forgetAhead. The file runs each statement when asked, as before.
    // Nothing is raised here: a statement that could not be sent runs, and fails, when asked.
    void sendAhead(const std::vector<StatementAhead>& statements) noexcept;
    void forgetAhead() noexcept;
    // Whether sending ahead saves anything: the connection string names a server.
    bool sendsAhead() const noexcept;

    // A transaction on this connection (see data/transaction.h, the way to use them).
    void begin(TransactionMode mode);
    void commit();
    void rollback() noexcept;

    // One open connection of a provider.
    class Session;

  private:
    Session& session();

    SharedSessions* shared_;
    std::shared_ptr<Session> session_;
    std::string connectionString_;
    std::chrono::milliseconds busyTimeout_{30000};
};

}  // namespace xfer::data
