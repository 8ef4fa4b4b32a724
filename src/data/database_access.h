#pragma once
// The data layer's way to the connection of a DataBase: transactions and the host's own
// queries (in src/data) run on the same connection as the named commands. Only src/data
// includes this.

#include "data/database.h"

namespace xfer::data {

struct DataBaseAccess {
    static Connection& connection(DataBase& db) noexcept { return db.Conn; }
};

}  // namespace xfer::data
