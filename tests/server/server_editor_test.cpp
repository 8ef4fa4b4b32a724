// What a server brings that a file does not. Its faults, each reported through the procedures'
// error traps with the server's (or libpq's) own words: a server that is down or stops in the
// middle of a save, a refused password, and a lock that another workstation holds past the
// time-out. And two workstations on one partition: two editor processes on one
// server database save their own nodes, and when both create the same missing node at the
// same moment it is created once; the other is told through its error trap.
//
// Every test opens or saves in the opening tests' partition (component/harness.h), where XFER 5
// "Support line" points at the missing STYLE 6, MSG 12 and CMD 7 in that order and XFER 30 at
// MSG 12 alone, with the templates a creation copies.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "business_rules/node_duplicator.h"
#include "component/harness.h"
#include "data/database.h"
#include "data/database_choice.h"
#include "data/database_copy.h"
#include "host/session_runner.h"
#include "partition/partition_check.h"
#include "runtime/error.h"
#include "support/test_server.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;
namespace confirm = platform::confirm;

// Makes the harness's host find its database on `server`, through the machine-wide registry.
void NameServer(Harness& h, const std::string& server) {
    dynamic_cast<platform::HiveRegistry&>(h.platform().registry)
        .hive()
        .setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kProductKey,
                   data::kDatabaseServerValue, server);
}

// Opening fails in each of the eight loaders with the same reason (their order is the opening
// tests'), then the missing style list is reported; the editor is not shown.
void ExpectOpeningRefused(Harness& h, const std::string& reason) {
    EXPECT_FALSE(h.open(1, 1, 1));
    const auto texts = h.boxTexts();
    ASSERT_EQ(texts.size(), 9u) << (texts.empty() ? "" : texts[0]);
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_TRUE(texts[i].starts_with("Source: PostgreSQL - Load")) << texts[i];
        EXPECT_NE(texts[i].find(reason), std::string::npos) << texts[i];
    }
    EXPECT_EQ(h.windows->shownCount(), 0);
}

TEST(ServerFaults, ARefusedPasswordStopsTheOpeningAndThePasswordFileLetsItIn) {
    Harness refused, admitted;
    StandardPartition(admitted).templates();
    const std::string role = "editor_" + std::to_string(getpid());
    admitted.database.exec("CREATE ROLE " + role +
                           " LOGIN PASSWORD 'right'; GRANT ALL ON ALL TABLES IN SCHEMA public TO " +
                           role);
    TempFolder home;
    const auto withPassword = [&](const std::string& password) {
        const auto passfile = home.path() / password;
        std::ofstream(passfile) << "*:*:*:" << role << ":" << password << "\n";
        chmod(passfile.c_str(), 0600);
        return admitted.database.connectionInfo() + " user=" + role +
               " passfile=" + passfile.string();
    };

    NameServer(refused, withPassword("wrong"));
    ExpectOpeningRefused(refused, "password authentication failed for user \"" + role + "\"");
    NameServer(admitted, withPassword("right"));
    // The component's two Business_Rules objects (the host's and the form's) share one
    // connection: a workstation costs the server one.
    long long connections = 0;
    EXPECT_FALSE(admitted.open(1, 1, 1, [&](GUI&, UserActions&) {
        connections = admitted.database.count("SELECT 1 FROM pg_stat_activity WHERE usename = '" +
                                              role + "'");
    }));
    EXPECT_EQ(admitted.windows->shownCount(), 1);
    EXPECT_TRUE(admitted.boxes->shown().empty()) << admitted.boxTexts()[0];
    EXPECT_EQ(connections, 1);
}

// A role without rights on the tables hears the server's own refusal: its tables are not
// called missing, and a report reading in one transaction is not told only that the
// transaction is aborted.
TEST(ServerFaults, ARoleWithoutRightsOnTheTablesIsToldSoInTheServersWords) {
    Harness h;
    StandardPartition(h).templates();
    const std::string role = "no_rights_" + std::to_string(getpid());
    h.database.exec("CREATE ROLE " + role + " LOGIN PASSWORD 'its'");
    TempFolder home;
    const auto passfile = home.path() / "pgpass";
    std::ofstream(passfile) << "*:*:*:" << role << ":its\n";
    chmod(passfile.c_str(), 0600);
    const std::string server =
        h.database.connectionInfo() + " user=" + role + " passfile=" + passfile.string();
    const data::ServerTables tables = data::InspectServerTables(server);
    EXPECT_EQ(tables.count, 34);
    EXPECT_TRUE(tables.refused.starts_with("permission denied for table ")) << tables.refused;
    EXPECT_EQ(data::InspectServerTables(h.database.connectionInfo()).refused, "");

    NameServer(h, server);
    data::DataBase db(h.platform());
    try {
        partition::CheckPartition(db, 1, 1);
        ADD_FAILURE() << "the check read tables it has no right to";
    } catch (const xfer::runtime::Error& e) {
        EXPECT_TRUE(e.description().starts_with("permission denied for table ")) << e.description();
    }
}

TEST(ServerFaults, ALockHeldPastTheTimeOutEndsTheCopyInItsTrapAndWritesNothing) {
    Harness h;
    StandardPartition(h).templates();
    h.database.exec("BEGIN; LOCK TABLE Node_CMD IN EXCLUSIVE MODE");
    data::DataBase db(h.platform());
    db.setCommandTimeout(std::chrono::milliseconds(200));
    business_rules::NodeDuplicator(db, *h.boxes).DuplicateNode({1, 1}, "0", "7", "1");
    EXPECT_EQ(h.boxTexts(), (std::vector<std::string>{"Source: PostgreSQL - DuplicateNode \r\n"
                                                      "Description: canceling statement due to "
                                                      "lock timeout"}));
    h.database.exec("ROLLBACK");
    const std::string where = " WHERE ConfigID=1 AND PartID=1 AND NodeNumber=7";
    EXPECT_EQ(h.database.count("SELECT 1 FROM Node_General_Pool" + where + " AND NodeTypeID=1"), 0);
    // The other workstation is done: the same command goes through.
    business_rules::NodeDuplicator(db, *h.boxes).DuplicateNode({1, 1}, "0", "7", "1");
    EXPECT_EQ(h.database.count("SELECT 1 FROM Node_CMD" + where), 1);
    EXPECT_EQ(h.boxes->shown().size(), 1u);
}

// The harness's confirmation dialog, but the server stops when it is shown, as if it went down
// while the user was asked.
class StoppingDialog final : public platform::ConfirmationDialog {
  public:
    StoppingDialog(const TestServer& server, Harness& h)
        : server_(server), scripted_(h.confirmations) {}
    long show(short kind, const std::string& prompt, long a, long b,
              const std::string& title) override {
        server_.stop(/*keepFolder=*/true);  // once: a stopped server is left as it is
        return scripted_.show(kind, prompt, a, b, title);
    }

  private:
    const TestServer& server_;
    ScriptedConfirmationDialog scripted_;
};

TEST(ServerFaults, AServerStoppingInTheMiddleOfASaveOrDownAtOpeningIsReported) {
    Harness h, down;
    StandardPartition(h).templates();
    TempFolder folder;
    const TestServer server(folder.path().string());  // a server of its own, to stop
    server.start();
    const std::string database = server.connectionInfo("postgres");
    data::CopyDatabase(data::ParseDatabaseAddress(h.database.connectionInfo()),
                       data::ParseDatabaseAddress(database));
    NameServer(h, database);
    NameServer(down, database);

    h.answerConfirmations({confirm::kCreate, confirm::kStop});
    h.factory->registerComponent(platform::kConfirmationProgId,
                                 [&] { return std::make_shared<StoppingDialog>(server, h); });
    h.open(1, 1, 5, [](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "Never saved", true);
        user.click(f.cmdOK);
    });
    // STYLE 6 cannot be copied, the check cannot reach the server for MSG 12 (offered again:
    // stop), and the save cannot either; each says why, and the form closes as after a save.
    const auto texts = h.boxTexts();
    ASSERT_EQ(texts.size(), 3u);
    for (const auto& [text, procedure] : {std::pair{texts[0], "DuplicateNode"},
                                          {texts[1], "NodeExisted"},
                                          {texts[2], "SaveChanges"}}) {
        EXPECT_TRUE(text.starts_with(std::string("Source: PostgreSQL - ") + procedure +
                                     " \r\nDescription: "))
            << text;
    }
    EXPECT_NE(texts[1].find("No such file or directory"), std::string::npos) << texts[1];
    EXPECT_FALSE(h.form().isLoaded());

    ExpectOpeningRefused(down, "Is the server running locally");

    // Up again: nothing was half-written, and the same host reconnects.
    server.start();
    h.boxes->Clear();
    h.open(1, 1, 5,
           [](GUI& f, UserActions&) { EXPECT_EQ(f.txtDescription.Text(), "Support line"); });
    EXPECT_TRUE(h.boxes->shown().empty());
    EXPECT_EQ(data::ServerTableCount(database), 34);
    server.stop();
}

// One workstation: a process of its own that runs a scripted session on node `node` of
// partition 1/1 and writes its transcript to `file`.
struct Workstation {
    Workstation(const TempDatabase& database, std::int16_t node, const std::string& script,
                const std::filesystem::path& file)
        : file(file), pid(fork()) {
        if (pid == 0) {
            alarm(60);  // a workstation that hangs ends after a minute, killed by the alarm
            std::ofstream out(file);
            const bool ok = host::RunSessionScript(host::ParseSessionScript(script), {1, 1, node},
                                                   database.machine(), out);
            out.close();
            _exit(ok ? 0 : 1);
        }
    }
    // Its exit status, once it has finished; -1 when it was killed.
    int finish() const {
        int status = 0;
        waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string transcript() const {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    std::filesystem::path file;
    pid_t pid;
};

TEST(Workstations, TwoEditorsSaveTheirOwnNodesAndCreateASharedMissingNodeOnce) {
    Harness h;
    StandardPartition(h).templates();
    TempDatabase& database = h.database;
    // Another session holds off every insert into Node_MSG until both editors are at it.
    database.exec("BEGIN; LOCK TABLE Node_MSG IN EXCLUSIVE MODE");
    TempFolder folder;
    // Support line: skip STYLE 6, create MSG 12, stop at the next.
    const Workstation a(database, 5,
                        "replace txtDescription \"Day line\"\n"
                        "confirm skip\nconfirm create\nconfirm stop\nclick cmdOK\n",
                        folder.path() / "a.txt");
    const Workstation b(database, 30,
                        "replace txtDescription \"Front line\"\nconfirm create\nclick cmdOK\n",
                        folder.path() / "b.txt");
    const std::string waiting =
        "SELECT 1 FROM pg_locks WHERE NOT granted AND relation = 'node_msg'::regclass";
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (database.count(waiting) < 2 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(database.count(waiting), 2);
    database.exec("COMMIT");  // both creations go at the same moment

    // The workstation that lost the race saw the key error in an error box, which fails its
    // scripted run, and only it; the other finished cleanly.
    const int statusA = a.finish();
    const int statusB = b.finish();
    ASSERT_EQ(statusA + statusB, 1) << a.transcript() << b.transcript();
    const std::string keyError =
        "Source: PostgreSQL - DuplicateNode  / Description: duplicate key "
        "value violates unique constraint \"node_msg_pkey\"";
    EXPECT_NE((statusA == 1 ? a : b).transcript().find(keyError), std::string::npos);
    EXPECT_EQ((statusA == 1 ? b : a).transcript().find(keyError), std::string::npos);
    const std::string msg12 = " WHERE ConfigID = 1 AND PartID = 1 AND NodeNumber = 12";
    EXPECT_EQ(database.count("SELECT 1 FROM Node_MSG" + msg12), 1);
    EXPECT_EQ(database.count("SELECT 1 FROM Node_General_Pool" + msg12 + " AND NodeTypeID = 0"), 1);
    // Each saved its own node, and only that.
    EXPECT_EQ(
        database.rows("SELECT NodeNumber, NodeDescription, Dial, HoldNodeType, "
                      "HoldNodeNumber, StyleNodeNumber FROM Node_XFER WHERE ConfigID = 1 "
                      "AND PartID = 1 AND NodeNumber IN (5, 30) ORDER BY NodeNumber"),
        (std::vector<std::vector<std::string>>{{"5", "Day line", "3005", "MSG", "12", "6"},
                                               {"30", "Front line", "2030", "MSG", "1", "1"}}));
}

}  // namespace
}  // namespace xfer::test
