#pragma once
// The benchmark's databases: what each case opens and saves on, and the SQL of the benchmark's
// own that prepares and resets them (a file, or a server database by its connection string).

#include <libpq-fe.h>
#include <sqlite3.h>

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "server_floor.h"
#include "statement_trace.h"

namespace xfer::bench {

// SQL on a short-lived connection of the benchmark's own, for preparing and resetting
// databases: a file, or a server database named by its connection string.
class Sql {
  public:
    explicit Sql(const std::string& path, bool server = false) {
        if (server) {
            pg_ = PQconnectdb(path.c_str());
            if (PQstatus(pg_) != CONNECTION_OK)
                throw std::runtime_error(PQerrorMessage(pg_));
            return;
        }
        if (sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            throw std::runtime_error("cannot open " + path);
        }
    }
    ~Sql() {
        sqlite3_close(db_);
        if (pg_ != nullptr)
            PQfinish(pg_);
    }
    Sql(const Sql&) = delete;
    Sql& operator=(const Sql&) = delete;

    void exec(const std::string& sql) {
        if (pg_ != nullptr) {
            const std::unique_ptr<PGresult, void (*)(PGresult*)> r(PQexec(pg_, sql.c_str()),
                                                                   PQclear);
            if (PQresultStatus(r.get()) != PGRES_COMMAND_OK)
                throw std::runtime_error(PQerrorMessage(pg_) + (" in: " + sql));
            return;
        }
        char* error = nullptr;
        if (sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error != nullptr ? error : sqlite3_errmsg(db_);
            sqlite3_free(error);
            throw std::runtime_error(message + " in: " + sql);
        }
    }
    bool any(const std::string& sql) {
        if (pg_ != nullptr) {
            const std::unique_ptr<PGresult, void (*)(PGresult*)> r(PQexec(pg_, sql.c_str()),
                                                                   PQclear);
            if (PQresultStatus(r.get()) != PGRES_TUPLES_OK)
                throw std::runtime_error(PQerrorMessage(pg_) + (" in: " + sql));
            return PQntuples(r.get()) > 0;
        }
        sqlite3_stmt* stmt = nullptr;
        if (sqlite3_prepare_v2(db_, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
        }
        const bool row = sqlite3_step(stmt) == SQLITE_ROW;
        sqlite3_finalize(stmt);
        return row;
    }

  private:
    sqlite3* db_ = nullptr;
    PGconn* pg_ = nullptr;
};

struct NodeRef {
    int typeId;
    int number;
};

struct Database {
    std::string name;
    std::string root;      // the read-only cases
    std::string saveRoot;  // a copy holding the node that saving creates references for
    std::int16_t config = 1;
    std::int16_t part = 1;
    std::int16_t node = 1;  // opened by open, navigate (then moved on) and pick
    std::int16_t saveConfig = 1;
    std::int16_t savePart = 1;
    std::int16_t saveNode = 0;
    std::vector<NodeRef> created;  // what saving creates: the style and the six targets
    std::optional<FloorReplay> floor;
    std::size_t statements = 0;
    int connections = 0;
    // On the server: the databases' connection strings (root then only plays the shell folder)
    // and the floor through libpq.
    std::string server;
    std::string saveServer;
    std::optional<ServerFloorReplay> serverFloor;
};

// Node tables and the detail tables a copy of each type's template adds to.
const std::map<int, std::vector<std::pair<std::string, std::string>>>& CreatedRows();
// The database saving writes to.
std::unique_ptr<Sql> SaveSql(const Database& db);
// Adds an XFER node whose style and six targets do not exist: for each its type's lowest free
// number. Returns what saving it with every creation agreed must create.
std::vector<NodeRef> AddNodeWithMissingReferences(Database& db);
// Takes away what saving created, so that the next save creates all seven again.
void RemoveCreatedNodes(const Database& db);
bool AllCreated(const Database& db);
void CopyDatabase(const std::string& from, const std::string& root);

}  // namespace xfer::bench
