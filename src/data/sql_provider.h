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
    // null). Errors carry the provider's name and the engine's message.
    void execute(std::string_view key, std::string_view sql, const std::vector<std::string>& values,
                 Recordset* rows);

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
