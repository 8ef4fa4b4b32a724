#pragma once
// The providers' side of Connection: one open connection of the SQLite file or of the server.
// Only the providers and Connection include this.

#include <chrono>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/recordset.h"
#include "data/sql_provider.h"

namespace xfer::data {

struct ServerTraffic;

class Connection::Session : public std::enable_shared_from_this<Connection::Session> {
  public:
    virtual ~Session() = default;
    // As Connection::execute, on this open connection; `timeout` is the command time-out.
    virtual void execute(std::string_view key, std::string_view sql,
                         const std::vector<std::string>& values, Recordset* rows,
                         RowReading reading, std::chrono::milliseconds timeout) = 0;
    // See Connection::sendAhead; only the server's session keeps results ahead.
    virtual void sendAhead(const std::vector<StatementAhead>& /*statements*/,
                           std::chrono::milliseconds /*timeout*/) {}
    virtual void forgetAhead() noexcept {}
    // False once the connection is lost, so that the next command connects again.
    virtual bool usable() const noexcept { return true; }

    // A transaction around the commands that follow, until commit or rollback.
    virtual void begin(TransactionMode mode) = 0;
    virtual void commit() = 0;
    // Ends an open transaction without its changes; nothing when none is open.
    virtual void rollback() noexcept = 0;
};

// Both raise the provider's error when the database cannot be opened.
std::shared_ptr<Connection::Session> OpenFileSession(const std::string& path,
                                                     std::chrono::milliseconds busyTimeout);
// `traffic`, when given, counts the session's connections and round trips.
std::shared_ptr<Connection::Session> OpenServerSession(
    const std::string& connectionInfo, std::chrono::milliseconds timeout,
    std::shared_ptr<ServerTraffic> traffic = nullptr);

// Sessions for a preview, whose changes never reach the database: on an in-memory copy of the
// file, or inside a server transaction rolled back when the session goes.
std::shared_ptr<Connection::Session> OpenFilePreviewSession(const std::string& path,
                                                            std::chrono::milliseconds busyTimeout);
std::shared_ptr<Connection::Session> OpenServerPreviewSession(
    const std::string& connectionInfo, std::chrono::milliseconds timeout,
    std::shared_ptr<ServerTraffic> traffic = nullptr);

// Raises an error of the SQLite file's provider.
[[noreturn]] void RaiseProvider(long number, std::string description);

}  // namespace xfer::data
