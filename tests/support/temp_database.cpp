#include "support/temp_database.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cctype>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "data/database_choice.h"
#include "data/schema.h"
#include "support/platform_doubles.h"
#include "support/test_server.h"

namespace xfer::test {

namespace fs = std::filesystem;

namespace {

using ServerResult = std::unique_ptr<PGresult, void (*)(PGresult*)>;

void ServerExec(PGconn* conn, const std::string& sql) {
    const ServerResult result(PQexec(conn, sql.c_str()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(PQerrorMessage(conn) + (" in: " + sql));
}

std::string SchemaType(std::string type) {
    if (type == "bigint")
        return "INTEGER";
    for (char& c : type)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return type;
}

}  // namespace

TempFolder::TempFolder() {
    std::string pattern = (fs::temp_directory_path() / "xfer-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw std::system_error(errno, std::generic_category(), "mkdtemp " + pattern);
    }
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

bool TempDatabase::OnServer() {
    return !TestServer::FolderFromEnvironment().empty();
}

TempDatabase::TempDatabase(bool withDemoData) {
    if (!OnServer()) {
        data::CreateConfigurationDatabase(path(), withDemoData);
        return;
    }
    serverDatabase_ = std::make_unique<ServerDatabase>(withDemoData ? TestServer::kDemoTemplate
                                                                    : TestServer::kSchemaTemplate);
    server_ = serverDatabase_->connectionInfo();
}

TempDatabase::~TempDatabase() {
    close();
}

fs::path TempDatabase::DatabasePath(const fs::path& root) {
    return root / "Quorvel" / "VDACOM+" / "Database" / "NewDB.mdb";
}

platform::PlatformParts TempDatabase::machine() const {
    platform::PlatformParts parts;
    parts.shell = std::make_unique<FixedShell>(root());
    platform::Hive hive;
    if (!server_.empty()) {
        hive.setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kProductKey,
                       data::kDatabaseServerValue, server_);
    }
    parts.registry = std::make_unique<platform::HiveRegistry>(std::move(hive));
    // Whatever names a server in this process's environment, the test database is used.
    parts.settings = std::make_unique<platform::FixedSettings>();
    return parts;
}

sqlite3* TempDatabase::connection() {
    if (db_ == nullptr) {
        if (sqlite3_open_v2(path().c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            const std::string message = sqlite3_errmsg(db_);
            close();
            throw std::runtime_error("cannot open " + path() + ": " + message);
        }
        sqlite3_busy_timeout(db_, 5000);
    }
    return db_;
}

pg_conn* TempDatabase::serverConnection() {
    if (pg_ == nullptr) {
        pg_ = PQconnectdb(server_.c_str());
        if (PQstatus(pg_) != CONNECTION_OK) {
            const std::string message = PQerrorMessage(pg_);
            close();
            throw std::runtime_error("cannot connect to " + server_ + ": " + message);
        }
    }
    return pg_;
}

void TempDatabase::close() noexcept {
    sqlite3_close(db_);
    db_ = nullptr;
    if (pg_ != nullptr)
        PQfinish(pg_);
    pg_ = nullptr;
}

void TempDatabase::exec(const std::string& sql) {
    if (OnServer()) {
        ServerExec(serverConnection(), sql);
        return;
    }
    char* error = nullptr;
    if (sqlite3_exec(connection(), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql);
    }
}

std::vector<std::vector<std::string>> TempDatabase::rows(const std::string& sql) {
    std::vector<std::vector<std::string>> result;
    if (OnServer()) {
        const ServerResult rows(PQexec(serverConnection(), sql.c_str()), PQclear);
        if (PQresultStatus(rows.get()) != PGRES_TUPLES_OK)
            throw std::runtime_error(PQerrorMessage(pg_) + (" in: " + sql));
        for (int r = 0; r < PQntuples(rows.get()); ++r) {
            auto& row = result.emplace_back();
            for (int c = 0; c < PQnfields(rows.get()); ++c)
                row.emplace_back(PQgetvalue(rows.get(), r, c));  // "" for NULL
        }
        return result;
    }
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        auto& row = result.emplace_back();
        for (int i = 0; i < sqlite3_column_count(raw); ++i) {
            const auto* text = sqlite3_column_text(raw, i);
            row.emplace_back(text != nullptr ? reinterpret_cast<const char*>(text) : "");
        }
    }
    if (rc != SQLITE_DONE) {
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    }
    return result;
}

std::string TempDatabase::scalar(const std::string& sql) {
    const auto result = rows(sql);
    return result.empty() || result.front().empty() ? std::string() : result.front().front();
}

long long TempDatabase::count(const std::string& sql) {
    std::string lowered;
    for (const char c : sql) {
        if (std::isspace(static_cast<unsigned char>(c)) == 0) {
            lowered += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    if (lowered.starts_with("selectcount(")) {
        throw std::logic_error("count() counts rows; use scalar() for: " + sql);
    }
    return static_cast<long long>(rows(sql).size());
}

std::vector<std::string> TempDatabase::tables() {
    std::vector<std::string> names;
    const std::string sql =
        OnServer() ? "SELECT table_name FROM information_schema.tables WHERE table_schema = "
                     "current_schema() ORDER BY table_name"
                   : "SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name";
    for (const auto& row : rows(sql))
        names.emplace_back(data::CanonicalName(row[0]));
    return names;
}

std::vector<std::pair<std::string, std::string>> TempDatabase::columns(const std::string& table) {
    std::vector<std::pair<std::string, std::string>> result;
    if (OnServer()) {
        for (const auto& row :
             rows("SELECT column_name, data_type FROM information_schema.columns WHERE "
                  "table_schema = current_schema() AND table_name = lower('" +
                  table + "') ORDER BY ordinal_position")) {
            result.emplace_back(data::CanonicalName(row[0]), SchemaType(row[1]));
        }
        return result;
    }
    for (const auto& row : rows("PRAGMA table_info(" + table + ")"))
        result.emplace_back(row[1], row[2]);
    return result;
}

}  // namespace xfer::test
