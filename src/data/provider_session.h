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
};

// Both raise the provider's error when the database cannot be opened.
std::unique_ptr<Connection::Session> OpenFileSession(const std::string& path,
                                                     std::chrono::milliseconds busyTimeout);
// The connections of one thread to the same server database share one server session while
// any of them is open: the component's two DataBase objects then cost one connection, one
// log-in and one preparation of each statement. Sharing is safe because every command runs
// on its own, to the end, on the component's one thread, and commits by itself: nothing of
// one connection's work is pending when the other's runs. The last to close disconnects.
std::shared_ptr<Connection::Session> SharedServerSession(const std::string& connectionInfo,
                                                         std::chrono::milliseconds timeout);

// Raises an error of the SQLite file's provider.
[[noreturn]] void RaiseProvider(long number, std::string description);

}  // namespace xfer::data
