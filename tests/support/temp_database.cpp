#include "support/temp_database.h"

#include <sqlite3.h>
#include <stdlib.h>

#include <cctype>
#include <cerrno>
#include <memory>
#include <stdexcept>
#include <system_error>

#include "data/schema.h"

namespace xfer::test {

namespace fs = std::filesystem;

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

TempDatabase::TempDatabase(bool withDemoData) {
    data::CreateConfigurationDatabase(path(), withDemoData);
}

TempDatabase::~TempDatabase() {
    close();
}

fs::path TempDatabase::DatabasePath(const fs::path& root) {
    return root / "Quorvel" / "VDACOM+" / "Database" / "NewDB.mdb";
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

void TempDatabase::close() noexcept {
    sqlite3_close(db_);
    db_ = nullptr;
}

void TempDatabase::exec(const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(connection(), sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errmsg(db_);
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql);
    }
}

std::vector<std::vector<std::string>> TempDatabase::rows(const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    if (sqlite3_prepare_v2(connection(), sql.c_str(), -1, &raw, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(db_)) + " in: " + sql);
    }
    const std::unique_ptr<sqlite3_stmt, int (*)(sqlite3_stmt*)> stmt(raw, sqlite3_finalize);
    std::vector<std::vector<std::string>> result;
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

}  // namespace xfer::test
