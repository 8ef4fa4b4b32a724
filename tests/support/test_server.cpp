#include "support/test_server.h"

#include <fcntl.h>
#include <libpq-fe.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <random>
#include <stdexcept>
#include <vector>

#include "data/database_copy.h"

namespace xfer::test {

namespace {

namespace fs = std::filesystem;

constexpr const char* kRole = "xfer_test";
constexpr const char* kServerUser = "postgres";

std::string ServerBinaries() {
    const char* dir = "/usr/lib/postgresql/15/bin";
    if (fs::exists(fs::path(dir) / "pg_ctl"))
        return dir;
    throw std::runtime_error(
        "PostgreSQL 15 server programs not found (/usr/lib/postgresql/15/bin/pg_ctl): install "
        "postgresql-15, e.g. with scripts/install-deps.sh");
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Text as one word of the shell's.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Runs a server program, as the unprivileged user when we are root; its output goes to `log`.
int Run(const std::vector<std::string>& args, const fs::path& log) {
    std::string command = geteuid() == 0 ? std::string("runuser -u ") + kServerUser + " --" : "";
    for (const std::string& arg : args)
        command += " " + Quoted(arg);
    const int status = std::system((command + " </dev/null >>" + Quoted(log) + " 2>&1").c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
}

void MakeFolder(const fs::path& folder) {
    fs::create_directories(folder);
    if (geteuid() != 0)
        return;
    const passwd* user = getpwnam(kServerUser);
    if (user == nullptr) {
        throw std::runtime_error(
            "the tests run as root and the server must not: the user postgres (made by the "
            "postgresql-15 package) is missing");
    }
    if (chown(folder.c_str(), user->pw_uid, user->pw_gid) != 0)
        throw std::runtime_error("cannot hand " + folder.string() + " to postgres");
}

// A maintenance connection; nullptr when the server does not answer.
std::unique_ptr<PGconn, void (*)(PGconn*)> Connect(const std::string& info) {
    std::unique_ptr<PGconn, void (*)(PGconn*)> conn(PQconnectdb(info.c_str()), PQfinish);
    if (PQstatus(conn.get()) != CONNECTION_OK)
        conn.reset();
    return conn;
}

std::string UniqueName() {
    static std::atomic<int> counter{0};
    std::random_device random;
    return "xfer_t" + std::to_string(getpid()) + "_" + std::to_string(counter++) + "_" +
           std::to_string(random() % 100000);
}

}  // namespace

std::vector<std::vector<std::string>> ServerRows(PGconn* conn, const std::string& sql) {
    const std::unique_ptr<PGresult, void (*)(PGresult*)> result(PQexec(conn, sql.c_str()), PQclear);
    const ExecStatusType status = PQresultStatus(result.get());
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        throw std::runtime_error(PQerrorMessage(conn) + (" in: " + sql));
    std::vector<std::vector<std::string>> rows(PQntuples(result.get()));
    for (int r = 0; r < PQntuples(result.get()); ++r) {
        for (int c = 0; c < PQnfields(result.get()); ++c)
            rows[r].emplace_back(PQgetvalue(result.get(), r, c));  // "" for NULL
    }
    return rows;
}

std::string TestServer::FolderFromEnvironment() {
    const char* folder = std::getenv("XFER_TEST_SERVER");
    return folder != nullptr ? folder : "";
}

std::string TestServer::connectionInfo(const std::string& database) const {
    return "host=" + folder_ + " port=" + std::to_string(tcpPort_ != 0 ? tcpPort_ : 5432) +
           " user=" + kRole + " dbname=" + database;
}

void TestServer::start() const {
    const fs::path folder(folder_);
    MakeFolder(folder);
    // One process starts the server, the others wait for it; closing the file lets go.
    const int lock = open((folder / ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (lock < 0 || flock(lock, LOCK_EX) != 0)
        throw std::runtime_error("cannot lock " + folder.string());
    const std::unique_ptr<const int, void (*)(const int*)> unlock(
        &lock, [](const int* fd) { close(*fd); });
    auto conn = Connect(connectionInfo("postgres"));
    if (!conn) {
        const std::string bin = ServerBinaries();
        const fs::path data = folder / "data";
        // What the programs say, and what the server logs (written by the server's own user).
        const fs::path log = folder / "setup.log";
        const fs::path serverLog = folder / "server.log";
        if (!fs::exists(data / "PG_VERSION")) {
            fs::remove_all(data);
            if (Run({bin + "/initdb", "-D", data.string(), "-U", kRole, "--auth=trust", "-E",
                     "UTF8", "--locale=C.UTF-8", "--no-sync"},
                    log) != 0) {
                throw std::runtime_error("initdb failed:\n" + ReadFile(log));
            }
            // The tests' role is trusted on the socket; any other role must give its password,
            // so that refused and accepted passwords can be tested.
            std::ofstream(data / "pg_hba.conf")
                << "local all " << kRole << " trust\nlocal all all scram-sha-256\n"
                << "host all " << kRole << " 127.0.0.1/32 trust\n";
        }
        // Only a socket in the folder: nothing listens on the network. Durability is of no use
        // to a test database that is dropped at the end.
        const std::string listen =
            tcpPort_ != 0 ? "'127.0.0.1' -c port=" + std::to_string(tcpPort_) : "''";
        const std::string options =
            "-c listen_addresses=" + listen + " -c unix_socket_directories='" + folder.string() +
            "' -c max_connections=200" +
            (durable_ ? "" : " -c fsync=off -c synchronous_commit=off -c full_page_writes=off");
        if (Run({bin + "/pg_ctl", "-D", data.string(), "-l", serverLog.string(), "-w", "-t", "60",
                 "-o", options, "start"},
                log) != 0) {
            throw std::runtime_error("the test server did not start:\n" + ReadFile(log) +
                                     ReadFile(serverLog));
        }
        conn = Connect(connectionInfo("postgres"));
        if (!conn)
            throw std::runtime_error("the test server started but does not answer:\n" +
                                     ReadFile(serverLog));
    }
    // Renamed when complete: a template that exists is a whole one.
    const std::string name = kSchemaTemplate;
    if (ServerRows(conn.get(), "SELECT 1 FROM pg_database WHERE datname = '" + name + "'")
            .empty()) {
        ServerRows(conn.get(), "CREATE DATABASE " + name + "_new");
        data::CreateServerDatabase(connectionInfo(name + "_new"), false);
        ServerRows(conn.get(), "ALTER DATABASE " + name + "_new RENAME TO " + name);
    }
}

void TestServer::stop(bool keepFolder) const {
    const fs::path folder(folder_);
    if (fs::exists(folder / "data" / "postmaster.pid")) {
        Run({ServerBinaries() + "/pg_ctl", "-D", (folder / "data").string(), "-m", "fast", "-w",
             "stop"},
            folder / "setup.log");
    }
    std::error_code ignored;
    if (!keepFolder)
        fs::remove_all(folder, ignored);
}

ServerDatabase::ServerDatabase(const std::string& templateName)
    : server_(TestServer::FolderFromEnvironment()), name_(UniqueName()) {
    if (TestServer::FolderFromEnvironment().empty())
        throw std::runtime_error("XFER_TEST_SERVER names no test server folder");
    static const bool started = (server_.start(), true);
    (void)started;
    auto conn = Connect(server_.connectionInfo("postgres"));
    if (!conn)
        throw std::runtime_error("the test server does not answer");
    ServerRows(conn.get(), "CREATE DATABASE " + name_ + " TEMPLATE " + templateName);
    info_ = server_.connectionInfo(name_);
}

ServerDatabase::~ServerDatabase() {
    try {
        if (auto conn = Connect(server_.connectionInfo("postgres")))
            ServerRows(conn.get(), "DROP DATABASE " + name_ + " WITH (FORCE)");
    } catch (const std::exception&) {
        // The server's folder goes at the end of the run, and the database with it.
    }
}

}  // namespace xfer::test
