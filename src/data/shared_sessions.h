#pragma once
// The open sessions that the connections of one host share. A host creates one and hands it to
// every DataBase it makes (the component's two among them): connections to the same server
// database then share one server session while any of them is open, so that an opening costs
// one connection, one log-in and one preparation of each statement. Sharing is safe because
// every command runs on its own, to the end, on the host's one thread, and commits by itself:
// nothing of one connection's work is pending when the other's runs. The last to close
// disconnects. A file gets a session of its own for each connection, as it always has.

#include <chrono>
#include <map>
#include <memory>
#include <string>

#include "data/server_connection.h"
#include "data/sql_provider.h"

namespace xfer::data {

class SharedSessions {
  public:
    SharedSessions();
    virtual ~SharedSessions();
    SharedSessions(const SharedSessions&) = delete;
    SharedSessions& operator=(const SharedSessions&) = delete;

    // An open session of the database the connection string names; raises the provider's
    // error when it cannot be opened.
    virtual std::shared_ptr<Connection::Session> open(const ConnectionString& where,
                                                      std::chrono::milliseconds timeout);

    // The connections and round trips of the server sessions opened here, so far.
    const ServerTraffic& traffic() const noexcept { return *traffic_; }

  private:
    std::map<std::string, std::weak_ptr<Connection::Session>> servers_;
    std::shared_ptr<ServerTraffic> traffic_;
};

}  // namespace xfer::data
