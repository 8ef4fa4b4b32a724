// Two workstations, one partition: two editor processes on one server database save their own
// nodes, and when both create the same missing node at the same moment it is created once; the
// other workstation is told through its error trap, and nothing is duplicated or overwritten.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <fstream>
#include <sstream>
#include <thread>

#include "component/harness.h"
#include "host/session_runner.h"
#include "support/temp_database.h"

namespace xfer::test {
namespace {

// One workstation: a process of its own that runs a scripted session on node `node` of
// partition 1/1 and writes its transcript to `transcript`.
pid_t StartWorkstation(const TempDatabase& database, std::int16_t node, const std::string& script,
                       const std::string& transcript) {
    const pid_t pid = fork();
    if (pid == 0) {
        std::ofstream out(transcript);
        const bool ok = host::RunSessionScript(host::ParseSessionScript(script), {1, 1, node},
                                               database.machine(), out);
        out.close();
        _exit(ok ? 0 : 1);
    }
    return pid;
}

// The workstation's exit status, once it has finished (killed after a minute).
int Finish(pid_t pid) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string Read(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Workstations, TwoEditorsSaveTheirOwnNodesAndCreateASharedMissingNodeOnce) {
    TempDatabase database{/*withDemoData=*/true};
    // Reception (node 1) also points at the missing MSG 12 that Support line (node 5) needs.
    database.exec(
        "UPDATE Node_XFER SET HoldNodeType = 'MSG', HoldNodeNumber = 12 "
        "WHERE ConfigID = 1 AND PartID = 1 AND NodeNumber = 1");
    // Another session holds off every insert into Node_MSG until both editors are at it.
    database.exec("BEGIN; LOCK TABLE Node_MSG IN EXCLUSIVE MODE");

    TempFolder folder;
    const std::string first = (folder.path() / "first.txt").string();
    const std::string second = (folder.path() / "second.txt").string();
    // Support line: skip STYLE 6, create MSG 12, stop at the next.
    const pid_t a = StartWorkstation(database, 5,
                                     "replace txtDescription \"Day line\"\n"
                                     "confirm skip\nconfirm create\nconfirm stop\nclick cmdOK\n",
                                     first);
    const pid_t b = StartWorkstation(
        database, 1, "replace txtDescription \"Front line\"\nconfirm create\nclick cmdOK\n",
        second);

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (database.count("SELECT 1 FROM pg_locks WHERE NOT granted AND "
                          "relation = 'node_msg'::regclass") < 2 &&
           std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_EQ(database.count("SELECT 1 FROM pg_locks WHERE NOT granted AND "
                             "relation = 'node_msg'::regclass"),
              2);
    database.exec("COMMIT");  // both creations go at the same moment
    // The workstation that lost the race saw the key error in an error box, which fails its
    // scripted run; the other finished cleanly.
    const int statusA = Finish(a);
    const int statusB = Finish(b);
    EXPECT_EQ(statusA + statusB, 1) << Read(first) << Read(second);

    const std::string msg12 = " WHERE ConfigID = 1 AND PartID = 1 AND NodeNumber = 12";
    EXPECT_EQ(database.count("SELECT 1 FROM Node_MSG" + msg12), 1);
    EXPECT_EQ(database.count("SELECT 1 FROM Node_General_Pool" + msg12 + " AND NodeTypeID = 0"), 1);
    const std::string keyError =
        "Source: PostgreSQL - DuplicateNode  / Description: duplicate key "
        "value violates unique constraint \"node_msg_pkey\"";
    const int told = (Read(first).find(keyError) != std::string::npos ? 1 : 0) +
                     (Read(second).find(keyError) != std::string::npos ? 1 : 0);
    EXPECT_EQ(told, 1) << Read(first) << Read(second);
    EXPECT_NE(Read(statusA == 1 ? first : second).find(keyError), std::string::npos);

    // Each saved its own node, and only that.
    EXPECT_EQ(database.rows("SELECT NodeNumber, NodeDescription, Dial, HoldNodeType, "
                            "HoldNodeNumber, StyleNodeNumber FROM Node_XFER WHERE ConfigID = 1 "
                            "AND PartID = 1 AND NodeNumber IN (1, 5) ORDER BY NodeNumber"),
              (std::vector<std::vector<std::string>>{{"1", "Front line", "2001", "MSG", "12", "2"},
                                                     {"5", "Day line", "3005", "MSG", "12", "6"}}));
}

// The component's two Business_Rules objects (the host's and the form's) share one connection:
// a workstation costs the server one.
TEST(Workstations, AnOpenEditorHoldsOneServerConnection) {
    Harness h{/*withDemoData=*/true};
    long long connections = 0;
    h.open(1, 1, 1, [&](editor::GUI&, editor::UserActions&) {
        connections = h.database.count(
            "SELECT 1 FROM pg_stat_activity WHERE datname = "
            "current_database() AND pid <> pg_backend_pid()");
    });
    EXPECT_EQ(h.windows->shownCount(), 1);
    EXPECT_EQ(connections, 1);
}

}  // namespace
}  // namespace xfer::test
