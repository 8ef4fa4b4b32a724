#pragma once
// The sessions of a preview (--dry-run): every connection a host makes runs on a snapshot of
// the database, and nothing of what it does reaches the database. For the file, one in-memory
// copy made with SQLite's backup API when the first connection opens; for a server, one
// transaction, rolled back when the preview ends. Every connection to the same database shares
// the one snapshot, so the host sees what its editor stored, from one node to the next.

#include <map>
#include <memory>
#include <string>

#include "data/shared_sessions.h"

namespace xfer::data {

class PreviewSessions final : public SharedSessions {
  public:
    PreviewSessions();
    ~PreviewSessions() override;

    std::shared_ptr<Connection::Session> open(const ConnectionString& where,
                                              std::chrono::milliseconds timeout) override;

  private:
    // Held for the whole preview: the snapshot lives as long as its session.
    std::map<std::string, std::shared_ptr<Connection::Session>> snapshots_;
};

}  // namespace xfer::data
