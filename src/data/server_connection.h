#pragma once
// A connection to the PostgreSQL server over libpq, opened with the editor's settings (text in
// UTF-8, its application name, the command time-out for connecting, for statements and for
// waiting on locks), and the one way the server's failures become errors: the provider's name
// as source, the server's message as description, the SQLSTATE as number.

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

extern "C" {
struct pg_conn;
struct pg_result;
}

namespace xfer::data {

struct ServerResultDeleter {
    void operator()(pg_result* result) const noexcept;
};
using ServerResult = std::unique_ptr<pg_result, ServerResultDeleter>;

// What the connections of a host asked of the server: each connection made, and each exchange
// that waited for the server's answer after it (a batch of statements sent together is one).
// Over a slow link these are what an opening costs.
struct ServerTraffic {
    std::uint64_t connections = 0;
    std::uint64_t roundTrips = 0;
};

class ServerConnection {
  public:
    // Connects to the server the libpq connection string (or service=NAME) names; raises the
    // provider's error, with libpq's words for why, when it cannot. `traffic`, when given,
    // counts what this connection asks of the server.
    explicit ServerConnection(const std::string& connectionInfo,
                              std::chrono::milliseconds timeout = std::chrono::seconds(30),
                              std::shared_ptr<ServerTraffic> traffic = nullptr);
    ~ServerConnection();
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    pg_conn* get() const noexcept { return conn_; }
    // Whether the connection still stands; a lost one is never used again.
    bool usable() const noexcept;
    // Whether a transaction is open (or failed and not yet ended).
    bool inTransaction() const noexcept;

    // The lock and statement time-outs; sent to the server only when they change.
    void setTimeout(std::chrono::milliseconds timeout);

    // SQL text without parameters, several statements allowed; raises the server's error.
    void run(const std::string& sql);
    // A query with text parameters (nullptr for NULL); raises the server's error.
    ServerResult query(const std::string& sql, const std::vector<const char*>& values = {});

    // Raises the error a failed result (or, without one, the connection) reports.
    [[noreturn]] void raise(const pg_result* result) const;
    // Raises unless the result is a success.
    void check(const ServerResult& result) const;
    void check(const pg_result* result) const;

    // Counts one exchange that waits for the server.
    void countRoundTrip() noexcept {
        if (traffic_)
            ++traffic_->roundTrips;
    }

  private:
    pg_conn* conn_ = nullptr;
    std::chrono::milliseconds timeout_{-1};
    // The failure that aborted the transaction open now (or the last one that failed).
    struct Failure {
        long number = 0;
        std::string description;
    };
    mutable Failure abortedBy_;
    std::shared_ptr<ServerTraffic> traffic_;
};

}  // namespace xfer::data
