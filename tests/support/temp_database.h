#pragma once
// Test fixtures on real databases: a temp folder that cleans up after itself, and a
// configuration database built from the project's schema (and demo data) that the platform
// finds as the editor does. The backend follows XFER_TEST_SERVER, which CTest sets for the
// server's registrations of a suite (named pg.*): without it the database is the SQLite file
// at the place the folders module resolves under the temp folder; with it, a fresh database on
// the test server (support/test_server.h) that the machine-wide registry value names. The
// helpers talk to SQLite or libpq directly, so they do not depend on the data layer they help
// to test; their SQL is written to run on both.

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "support/test_server.h"

struct sqlite3;

namespace xfer::test {

// A fresh, uniquely named folder under the system's temp folder, removed with everything in
// it on destruction.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const noexcept { return path_; }

  private:
    std::filesystem::path path_;
};

class TempDatabase {
  public:
    // Creates the database from the schema, and the demo data only when asked: tests build the
    // rows they rely on.
    explicit TempDatabase(bool withDemoData = false);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    // Whether the suites run against the test server (XFER_TEST_SERVER is set).
    static bool OnServer();

    // Where the database file lives for a given common application-data folder.
    static std::filesystem::path DatabasePath(const std::filesystem::path& root);

    // The database file (on the server: where it would be, and is not).
    std::string path() const { return DatabasePath(folder_.path()).string(); }
    // The server database's libpq connection string; "" for the file.
    const std::string& connectionInfo() const noexcept { return server_; }

    // The machine's seams that find this database: the temp folder as the common application-data
    // folder (PROGRAMDATA, shell folder 35), and a registry
    // that names the server database, or is empty for the file. Other parts are left empty.
    platform::PlatformParts machine() const;

    // SQL on the helper's own connection, opened on first use and kept until close(), so
    // that a test can also hold a transaction open against the code under test.
    // Failures throw std::runtime_error with the engine's message and the statement.
    void exec(const std::string& sql);
    // The first column of the first row as text; "" for NULL or no row.
    std::string scalar(const std::string& sql);
    // The number of rows the query returns: write SELECT 1 ... WHERE ..., not SELECT COUNT(*).
    long long count(const std::string& sql);
    // Every row, every column as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql);
    // Closes the helper's connection (a later helper call opens it again).
    void close() noexcept;

  private:
    TempFolder folder_;
    std::unique_ptr<ServerDatabase> serverDatabase_;
    std::string server_;  // its connection string
    sqlite3* db_ = nullptr;
    pg_conn* pg_ = nullptr;
};

// Every row of `sql` on the SQLite file at `path`, opened for this query alone, every column as
// text ("" for NULL).
std::vector<std::vector<std::string>> FileRows(const std::string& path, const std::string& sql);

}  // namespace xfer::test
