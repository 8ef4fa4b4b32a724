#pragma once
// A PostgreSQL 15 server for the tests, in a folder of its own: Unix socket only, no TCP port,
// trust authentication for its one role, run as the unprivileged user postgres when the tests
// run as root. CTest starts it once before the server suites (xfer_test_server start) and
// stops it after them; a test run by hand starts it on first use. The folder is handed to the
// server's user; its parent must let that user in (the system's temp folder does). It never skips:
// when the server programs are missing or the server cannot start, the test fails and says why.

#include <string>
#include <vector>

extern "C" {
struct pg_conn;
}

namespace xfer::test {

// The rows of the last statement in `sql`, every column as text ("" for NULL); a failure throws
// std::runtime_error with the server's message and the statement.
std::vector<std::vector<std::string>> ServerRows(pg_conn* conn, const std::string& sql);

// The folder's server. Every call may come from several test processes at once.
class TestServer {
  public:
    // The server's folder when the tests run against the server (XFER_TEST_SERVER), else "".
    static std::string FolderFromEnvironment();

    // A durable server keeps the default fsync and commit settings (for measuring); the tests'
    // server skips them, since its databases are thrown away.
    // A `tcpPort` other than 0 also has it listen there on the loopback address, and serve
    // its socket under that port's number (the benchmark's slow link connects to it).
    explicit TestServer(std::string folder, bool durable = false, int tcpPort = 0)
        : folder_(std::move(folder)), durable_(durable), tcpPort_(tcpPort) {}

    // Starts the server and makes its template database unless that is done already.
    // Throws std::runtime_error with the server's log when it cannot.
    void start() const;
    // Stops the server (fast: connections are cut) and removes the folder, or keeps it for
    // starting the same server again.
    void stop(bool keepFolder = false) const;

    // The libpq connection string of a database on this server.
    std::string connectionInfo(const std::string& database) const;

    // The database made from the schema that each test database is copied from.
    static constexpr const char* kSchemaTemplate = "xfer_template_schema";

  private:
    std::string folder_;
    bool durable_ = false;
    int tcpPort_ = 0;
};

// A new database on the suite's test server (XFER_TEST_SERVER), started if need be, copied
// from a template (template0 gives an empty one); dropped, connections and all, at the end.
class ServerDatabase {
  public:
    explicit ServerDatabase(const std::string& templateName = "template0");
    ~ServerDatabase();
    ServerDatabase(const ServerDatabase&) = delete;
    ServerDatabase& operator=(const ServerDatabase&) = delete;

    const std::string& connectionInfo() const noexcept { return info_; }

  private:
    TestServer server_;
    std::string name_;
    std::string info_;
};

}  // namespace xfer::test
