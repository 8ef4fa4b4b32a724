#include "data/preview_sessions.h"

#include "data/provider_session.h"

namespace xfer::data {

PreviewSessions::PreviewSessions() = default;

PreviewSessions::~PreviewSessions() = default;

std::shared_ptr<Connection::Session> PreviewSessions::open(const ConnectionString& where,
                                                           std::chrono::milliseconds timeout) {
    std::shared_ptr<Connection::Session>& snapshot =
        snapshots_[(where.onServer() ? "server:" : "file:") + where.dataSource];
    if (!snapshot) {
        snapshot = where.onServer() ? OpenServerPreviewSession(where.dataSource, timeout)
                                    : OpenFilePreviewSession(where.dataSource, timeout);
    }
    return snapshot;
}

}  // namespace xfer::data
