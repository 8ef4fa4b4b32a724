#pragma once
// DataBase, the data environment: one connection and every named command as an operation with
// positional text parameters. A reading command keeps its rows as rs + the command's name.

#include <array>
#include <chrono>
#include <initializer_list>
#include <string>
#include <vector>

#include "data/commands.h"
#include "data/recordset.h"
#include "data/sql_provider.h"
#include "platform/platform.h"

namespace xfer::data {

using Params = std::vector<std::string>;

// Raises 5, saying why, for a database path that the connection string cannot carry: one with
// a ';' (it would end the Data Source), a NUL, white space at either end or enclosing quotes
// (they would be taken away). Checked before a path is used or anything is created there.
void CheckConnectablePath(const std::string& path);

class DataBase {
  public:
    // Runs DataEnvironment_Initialize: resolves the folders and sets Conn's connection string.
    // Errors of the resolution (1001 from the registry fallback, 5 for a path the connection
    // string cannot carry) propagate. The connection opens through `shared` when a host gives
    // one (data/shared_sessions.h).
    explicit DataBase(const platform::Platform& platform, SharedSessions* shared = nullptr);

    void DataEnvironment_Initialize();
    std::string GetConnectionString() const;
    const std::string& connectionString() const noexcept { return Conn.connectionString(); }
    // The command time-out: how long a command waits for a lock (30 s unless a host says).
    void setCommandTimeout(std::chrono::milliseconds timeout) { Conn.setBusyTimeout(timeout); }

    // Runs a command with its parameters in the catalogue's order; raises 450 when the count
    // differs from the command's. A reading command replaces its result set.
    void execute(CommandId id, const Params& params);
    Recordset& resultSet(CommandId id);

    // Reading commands the caller will run next, with their parameters: on a server they go
    // out together in one exchange, and running one of them afterwards takes its result (or
    // its error) from there until forgetAhead. Nothing changes on the file. Raises nothing: a
    // command named wrongly here is refused when it runs.
    struct Ahead {
        CommandId id;
        Params params;
    };
    void sendAhead(const std::vector<Ahead>& commands) noexcept;
    void forgetAhead() noexcept { Conn.forgetAhead(); }
    // Whether sending ahead saves anything (the database is on a server).
    bool sendsAhead() const noexcept { return Conn.sendsAhead(); }

#define XFER_DECLARE_READING(name)         \
    void name(const Params& params) {      \
        execute(CommandId::name, params);  \
    }                                      \
    Recordset& rs##name() {                \
        return resultSet(CommandId::name); \
    }
#define XFER_DECLARE_ACTION(name)         \
    void name(const Params& params) {     \
        execute(CommandId::name, params); \
    }
    XFER_READING_COMMANDS(XFER_DECLARE_READING)
    XFER_ACTION_COMMANDS(XFER_DECLARE_ACTION)
#undef XFER_DECLARE_READING
#undef XFER_DECLARE_ACTION

  private:
    // The data layer's own code reaches the connection (data/database_access.h); nothing
    // above it runs SQL of its own.
    friend struct DataBaseAccess;

    platform::Platform platform_;
    Connection Conn;
    std::array<Recordset, static_cast<std::size_t>(CommandId::Count_)> results_;
};

// Forgets what was sent ahead when a reader's scope ends, by an error too: later reads see the
// database as it is then.
class ForgetsAheadOnExit {
  public:
    explicit ForgetsAheadOnExit(DataBase& db) noexcept : db_(db) {}
    ~ForgetsAheadOnExit() { db_.forgetAhead(); }
    ForgetsAheadOnExit(const ForgetsAheadOnExit&) = delete;
    ForgetsAheadOnExit& operator=(const ForgetsAheadOnExit&) = delete;

  private:
    DataBase& db_;
};

}  // namespace xfer::data
