#pragma once
// A PostgreSQL 15 server for the tests, in a folder of its own: Unix socket only, no TCP port,
// trust authentication for its one role, run as the unprivileged user postgres when the tests
// run as root. CTest starts it once before the server suites (xfer_test_server start) and
// stops it after them; a test run by hand starts it on first use. It never skips: when the
// server programs are missing or the server cannot start, the test fails and says why.

#include <string>

namespace xfer::test {

// The folder's server. Every call may come from several test processes at once.
class TestServer {
  public:
    // The server's folder when the tests run against the server (XFER_TEST_SERVER), else "".
    static std::string FolderFromEnvironment();

    explicit TestServer(std::string folder) : folder_(std::move(folder)) {}

    // Starts the server and makes its template databases unless that is done already.
    // Throws std::runtime_error with the server's log when it cannot.
    void start() const;
    // Stops the server (fast: connections are cut) and removes the folder.
    void stop() const;

    // The libpq connection string of a database on this server.
    std::string connectionInfo(const std::string& database) const;

    // Databases made from the schema, and from the schema with the demo data, that each test
    // database is copied from.
    static constexpr const char* kSchemaTemplate = "xfer_template_schema";
    static constexpr const char* kDemoTemplate = "xfer_template_demo";

  private:
    std::string folder_;
};

}  // namespace xfer::test
