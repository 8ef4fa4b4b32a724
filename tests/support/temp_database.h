#pragma once
// Test fixtures on real files: a temp folder that cleans up after itself, and a configuration
// database built from the project's schema (and demo data) inside it, at the place the
// folders module resolves under the common application-data folder. The helpers talk to
// SQLite directly, so they do not depend on the data layer they help to test.

#include <filesystem>
#include <string>
#include <vector>

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
    // Creates <temp>/Quorvel/VDACOM+/Database/NewDB.mdb from the schema, and the demo data
    // only when asked: tests build the rows they rely on.
    explicit TempDatabase(bool withDemoData = false);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    // Where the database file lives for a given common application-data folder.
    static std::filesystem::path DatabasePath(const std::filesystem::path& root);

    // The folder to use as the common application-data folder (PROGRAMDATA, shell folder 35).
    std::string root() const { return folder_.path().string(); }
    std::string path() const { return DatabasePath(folder_.path()).string(); }

    // SQL on the helper's own connection, opened on first use and kept until close(), so
    // that a test can also hold a transaction open against the code under test.
    // Failures throw std::runtime_error with SQLite's message and the statement.
    void exec(const std::string& sql);
    // The first column of the first row as text; "" for NULL or no row.
    std::string scalar(const std::string& sql);
    // The number of rows the query returns. Write SELECT ... WHERE ..., not SELECT COUNT(*):
    // a lone count(...) column is refused, as it would always count 1.
    long long count(const std::string& sql);
    // Every row, every column as text ("" for NULL).
    std::vector<std::vector<std::string>> rows(const std::string& sql);
    // Closes the helper's connection (a later helper call opens it again).
    void close() noexcept;

  private:
    sqlite3* connection();

    TempFolder folder_;
    sqlite3* db_ = nullptr;
};

}  // namespace xfer::test
