#pragma once
// The database server's floor for an opening: the statements the editor ran (recorded from
// SQLite on the same data, mapped back to their catalogue commands and adapted as the server's
// provider adapts them), replayed through libpq alone on one connection: connect, prepare each
// statement once, run each with its values as text, read every row, disconnect.

#include <string>
#include <vector>

#include "statement_trace.h"

namespace xfer::bench {

class ServerFloorReplay {
  public:
    ServerFloorReplay(const Recording& recording, std::string connectionInfo);
    // One replay; returns the number of rows read.
    long long run() const;
    std::size_t statements() const noexcept { return ops_.size(); }

  private:
    struct Op {
        int slot;
        std::vector<std::string> values;
    };
    std::string info_;
    std::vector<std::string> slotSql_;
    std::vector<Op> ops_;
};

}  // namespace xfer::bench
