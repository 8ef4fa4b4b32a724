#include "data/shared_sessions.h"

#include "data/provider_session.h"

namespace xfer::data {

SharedSessions::SharedSessions() : traffic_(std::make_shared<ServerTraffic>()) {}

SharedSessions::~SharedSessions() = default;

std::shared_ptr<Connection::Session> SharedSessions::open(const ConnectionString& where,
                                                          std::chrono::milliseconds timeout) {
    if (!where.onServer())
        return OpenFileSession(where.dataSource, timeout);
    std::weak_ptr<Connection::Session>& slot = servers_[where.dataSource];
    if (auto session = slot.lock(); session && session->usable())
        return session;
    std::shared_ptr<Connection::Session> session =
        OpenServerSession(where.dataSource, timeout, traffic_);
    slot = session;
    std::erase_if(servers_, [](const auto& entry) { return entry.second.expired(); });
    return session;
}

}  // namespace xfer::data
