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

class Connection::Session {
  public:
    virtual ~Session() = default;
    // As Connection::execute, on this open connection; `timeout` is the command time-out.
    virtual void execute(std::string_view key, std::string_view sql,
                         const std::vector<std::string>& values, Recordset* rows,
                         std::chrono::milliseconds timeout) = 0;
    // False once the connection is lost, so that the next command connects again.
    virtual bool usable() const noexcept { return true; }

    // A transaction around the commands that follow, until commit or rollback.
    virtual void begin(TransactionMode mode) = 0;
    virtual void commit() = 0;
    // Ends an open transaction without its changes; nothing when none is open.
    virtual void rollback() noexcept = 0;
};

// Both raise the provider's error when the database cannot be opened.
std::unique_ptr<Connection::Session> OpenFileSession(const std::string& path,
                                                     std::chrono::milliseconds busyTimeout);
std::shared_ptr<Connection::Session> OpenServerSession(const std::string& connectionInfo,
                                                       std::chrono::milliseconds timeout);

// Sessions for a preview, whose changes never reach the database: on an in-memory copy of the
// file, or inside a server transaction rolled back when the session goes.
std::shared_ptr<Connection::Session> OpenFilePreviewSession(const std::string& path,
                                                            std::chrono::milliseconds busyTimeout);
std::shared_ptr<Connection::Session> OpenServerPreviewSession(const std::string& connectionInfo,
                                                              std::chrono::milliseconds timeout);

// Raises an error of the SQLite file's provider.
[[noreturn]] void RaiseProvider(long number, std::string description);

}  // namespace xfer::data
