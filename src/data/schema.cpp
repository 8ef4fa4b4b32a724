#include "data/schema.h"

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "runtime/error.h"

namespace xfer::data {

namespace embedded {
// Defined in the source that schema/embed.cmake generates.
std::string_view SchemaSql();
std::string_view DemoDataSql();
}  // namespace embedded

std::string_view SchemaSql() {
    return embedded::SchemaSql();
}
std::string_view DemoDataSql() {
    return embedded::DemoDataSql();
}

namespace {

namespace fs = std::filesystem;

// In a folder that a group shares (the setgid bit, as the package makes the database's
// folder), the group's members edit the database too: the new file is group-writable, and
// SQLite gives its journal and WAL files the same mode.
void ShareWithFolderGroup(const std::filesystem::path& file, std::FILE* created) {
    struct stat folder {};
    struct stat own {};
    const std::filesystem::path parent = file.parent_path().empty() ? "." : file.parent_path();
    if (::stat(parent.c_str(), &folder) == 0 && (folder.st_mode & S_ISGID) != 0 &&
        ::fstat(::fileno(created), &own) == 0) {
        ::fchmod(::fileno(created), (own.st_mode & 07777) | S_IRGRP | S_IWGRP);
    }
}

// Runtime error numbers for file errors.
constexpr long kFileAlreadyExists = 58;
constexpr long kPathFileAccessError = 75;
constexpr long kPathNotFound = 76;

[[noreturn]] void Fail(long number, const std::string& description) {
    runtime::Raise(number, std::string(runtime::kComponentSource), description);
}

class Database {
  public:
    explicit Database(const std::string& path) {
        // The file exists already (claimed empty); an empty file is a valid empty database.
        const int rc = sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        if (rc != SQLITE_OK) {
            Throw(rc, path);
        }
    }
    ~Database() { sqlite3_close(db_); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void run(std::string_view sql, const std::string& path) {
        // sqlite3_exec needs a terminated string; the embedded scripts are, others may not be.
        const std::string text(sql);
        const int rc = sqlite3_exec(db_, text.c_str(), nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK) {
            Throw(rc, path);
        }
    }

    // Closing checkpoints the WAL into the file; a failure there is a failed creation too.
    void close(const std::string& path) {
        const int rc = sqlite3_close(db_);
        if (rc != SQLITE_OK) {
            Throw(rc, path);
        }
        db_ = nullptr;
    }

  private:
    [[noreturn]] void Throw(int rc, const std::string& path) const {
        const char* message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        Fail(rc, "Cannot create the configuration database " + path + ": " + message);
    }

    sqlite3* db_ = nullptr;
};

}  // namespace

void RemoveDatabaseFile(const std::string& path) noexcept {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
        fs::remove(path + suffix, ignored);
    }
}

void CreateDatabaseFromScripts(const std::string& path,
                               std::initializer_list<std::string_view> scripts) {
    if (path.empty()) {
        Fail(kPathNotFound, "Path not found: no path given for the configuration database");
    }
    const fs::path file(path);
    if (file.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(file.parent_path(), ec);
        if (ec) {
            Fail(kPathNotFound,
                 "Path not found: " + file.parent_path().string() + ": " + ec.message());
        }
    }
    // Claim the name exclusively, so that a file that exists (or appears meanwhile) is never
    // opened, let alone removed on failure.
    std::FILE* claim = std::fopen(path.c_str(), "wx");
    if (claim == nullptr) {
        const int error = errno;
        if (error == EEXIST) {
            Fail(kFileAlreadyExists, "File already exists: " + path);
        }
        Fail(kPathFileAccessError, "Path/File access error: " + path + ": " + std::strerror(error));
    }
    ShareWithFolderGroup(file, claim);
    std::fclose(claim);

    try {
        Database db(path);
        for (const std::string_view script : scripts) {
            db.run(script, path);
        }
        db.close(path);
    } catch (...) {
        RemoveDatabaseFile(path);
        throw;
    }
}

void CreateConfigurationDatabase(const std::string& path, bool withDemoData) {
    if (withDemoData) {
        CreateDatabaseFromScripts(path, {SchemaSql(), DemoDataSql()});
    } else {
        CreateDatabaseFromScripts(path, {SchemaSql()});
    }
}

}  // namespace xfer::data
