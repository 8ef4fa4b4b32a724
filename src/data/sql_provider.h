#pragma once
// The SQL provider behind the connection string: opens the SQLite configuration database
// read-write (never creating it) on first use, rewrites `Given_...` parameters into numbered
// ones, binds every value as text and keeps each statement prepared for the connection's life.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/recordset.h"

struct sqlite3;

namespace xfer::data {

// The name errors of the provider carry as their source.
inline constexpr const char* kProviderSource = "Microsoft JET Database Engine";
inline constexpr const char* kProviderName = "Microsoft.Jet.OLEDB.4.0";

struct ConnectionString {
    std::string provider;
    std::string dataSource;
};
// Keywords without regard to case; raises a clear error for an unknown provider or a missing
// Data Source.
ConnectionString ParseConnectionString(std::string_view text);

// The SQL text with every `Given_...` identifier (bare or back-quoted) replaced by ?N, numbered
// in order of first occurrence; `names` receives the distinct names in that order.
std::string RewriteParameters(std::string_view sql, std::vector<std::string>* names = nullptr);

class Connection {
  public:
    Connection();
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

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
    std::string connectionString_;
    std::chrono::milliseconds busyTimeout_{30000};
};

}  // namespace xfer::data
