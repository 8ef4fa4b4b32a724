#include "support/temp_database.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdlib.h>

#include <cerrno>
#include <stdexcept>
#include <system_error>

#include "data/database_copy.h"
#include "data/schema.h"
#include "support/platform_doubles.h"

namespace xfer::test {

namespace fs = std::filesystem;

namespace {

using Rows = std::vector<std::vector<std::string>>;

sqlite3* OpenFile(const std::string& path, int flags) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        const std::string message = sqlite3_errmsg(db);
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + path + ": " + message);
    }
    sqlite3_busy_timeout(db, 5000);
    return db;
}

// sqlite3_exec runs every statement of `sql`, so that a test may write several in one string.
Rows FileRows(sqlite3* db, const std::string& sql) {
    Rows rows;
    const auto collect = [](void* out, int columns, char** values, char**) {
        auto& row = static_cast<Rows*>(out)->emplace_back();
        for (int i = 0; i < columns; ++i)
            row.emplace_back(values[i] != nullptr ? values[i] : "");
        return 0;
    };
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), collect, &rows, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql);
    }
    return rows;
}

}  // namespace

Rows FileRows(const std::string& path, const std::string& sql) {
    const std::unique_ptr<sqlite3, int (*)(sqlite3*)> db(OpenFile(path, SQLITE_OPEN_READONLY),
                                                         sqlite3_close);
    return FileRows(db.get(), sql);
}

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
    // The demo data is rarely wanted: loaded into an empty database rather than kept as a
    // template that every server start would make.
    serverDatabase_ =
        std::make_unique<ServerDatabase>(withDemoData ? "template0" : TestServer::kSchemaTemplate);
    server_ = serverDatabase_->connectionInfo();
    if (withDemoData)
        data::CreateServerDatabase(server_, true);
}

TempDatabase::~TempDatabase() {
    close();
}

fs::path TempDatabase::DatabasePath(const fs::path& root) {
    return root / "Quorvel" / "VDACOM+" / "Database" / "NewDB.mdb";
}

platform::PlatformParts TempDatabase::machine() const {
    return MachineParts(folder_.path().string(), server_);
}

void TempDatabase::close() noexcept {
    sqlite3_close(db_);
    db_ = nullptr;
    if (pg_ != nullptr)
        PQfinish(pg_);
    pg_ = nullptr;
}

void TempDatabase::exec(const std::string& sql) {
    rows(sql);
}

Rows TempDatabase::rows(const std::string& sql) {
    if (!OnServer()) {
        if (db_ == nullptr)
            db_ = OpenFile(path(), SQLITE_OPEN_READWRITE);
        return FileRows(db_, sql);
    }
    if (pg_ == nullptr) {
        pg_ = PQconnectdb(server_.c_str());
        if (PQstatus(pg_) != CONNECTION_OK) {
            const std::string message = PQerrorMessage(pg_);
            close();
            throw std::runtime_error("cannot connect to " + server_ + ": " + message);
        }
    }
    return ServerRows(pg_, sql);
}

std::string TempDatabase::scalar(const std::string& sql) {
    const auto result = rows(sql);
    return result.empty() || result.front().empty() ? std::string() : result.front().front();
}

long long TempDatabase::count(const std::string& sql) {
    return static_cast<long long>(rows(sql).size());
}

}  // namespace xfer::test
