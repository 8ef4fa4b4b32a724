#include "server_floor.h"

#include <libpq-fe.h>

#include <map>
#include <memory>
#include <stdexcept>

#include "data/commands.h"
#include "data/sql_provider.h"

namespace xfer::bench {

ServerFloorReplay::ServerFloorReplay(const Recording& recording, std::string connectionInfo)
    : info_(std::move(connectionInfo)) {
    // The recorded text is the file provider's rewriting of a catalogue command.
    std::map<std::string, std::string> adapted;
    for (const data::CommandDef& def : data::Commands())
        adapted[data::RewriteParameters(def.sql)] = data::AdaptForServer(def.sql);
    std::map<std::string, int> slots;
    for (const auto& e : recording.events) {
        if (e.kind != Recording::Kind::Run)
            continue;
        const auto command = adapted.find(e.sql);
        if (command == adapted.end())
            continue;  // the file's own statements on opening
        const auto [it, added] =
            slots.try_emplace(command->second, static_cast<int>(slotSql_.size()));
        if (added)
            slotSql_.push_back(command->second);
        ops_.push_back({it->second, e.values});
    }
}

long long ServerFloorReplay::run() const {
    const std::unique_ptr<PGconn, void (*)(PGconn*)> conn(PQconnectdb(info_.c_str()), PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        throw std::runtime_error(PQerrorMessage(conn.get()));
    std::vector<bool> prepared(slotSql_.size(), false);
    long long rows = 0;
    for (const Op& op : ops_) {
        const auto slot = static_cast<std::size_t>(op.slot);
        const std::string name = "s" + std::to_string(slot);
        if (!prepared[slot]) {
            const std::unique_ptr<PGresult, void (*)(PGresult*)> result(
                PQprepare(conn.get(), name.c_str(), slotSql_[slot].c_str(), 0, nullptr), PQclear);
            if (PQresultStatus(result.get()) != PGRES_COMMAND_OK)
                throw std::runtime_error(PQerrorMessage(conn.get()));
            prepared[slot] = true;
        }
        std::vector<const char*> values;
        for (const std::string& v : op.values)
            values.push_back(v.c_str());
        const std::unique_ptr<PGresult, void (*)(PGresult*)> result(
            PQexecPrepared(conn.get(), name.c_str(), static_cast<int>(values.size()), values.data(),
                           nullptr, nullptr, 0),
            PQclear);
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_TUPLES_OK && status != PGRES_COMMAND_OK)
            throw std::runtime_error(PQerrorMessage(conn.get()));
        // Every field read, as the editor's result sets read them.
        const int fields = PQnfields(result.get());
        for (int r = 0; r < PQntuples(result.get()); ++r, ++rows) {
            for (int f = 0; f < fields; ++f)
                (void)PQgetvalue(result.get(), r, f);
        }
    }
    return rows;
}

}  // namespace xfer::bench
