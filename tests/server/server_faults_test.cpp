// What a server brings that a file does not, each reported through the procedures' error traps
// with the server's (or libpq's) own words: a server that is down or stops in the middle of a
// save, a refused password, and a lock held past the time-out by another workstation.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "business_rules/node_duplicator.h"
#include "component/harness.h"
#include "data/database_choice.h"
#include "data/database_copy.h"
#include "support/test_server.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;
namespace confirm = platform::confirm;

// An editor host whose database is the server `server` names through the registry, or through
// the host's --database option (where a password may be given).
struct ServerEditor {
    explicit ServerEditor(const std::string& server, bool asOption = false) {
        platform::PlatformParts parts;
        parts.shell = std::make_unique<FixedShell>("/nowhere");
        platform::Hive hive;
        std::map<std::string, std::string> options;
        if (asOption)
            options[data::kDatabaseOption] = server;
        else
            hive.setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kProductKey,
                           data::kDatabaseServerValue, server);
        parts.registry = std::make_unique<platform::HiveRegistry>(std::move(hive));
        parts.settings = std::make_unique<platform::FixedSettings>(
            std::map<std::string, std::string>{}, options);
        auto recorded = std::make_unique<RecordingMessageBoxes>();
        boxes = recorded.get();
        parts.messageBoxes = std::move(recorded);
        auto session = std::make_unique<host::SessionWindowSystem>();
        windows = session.get();
        parts.windows = std::move(session);
        parts.components = platform::DefaultComponents();
        components = parts.components.get();
        host = std::make_unique<host::EditorHost>(platform::PlatformServices(std::move(parts)));
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> result;
        for (const auto& box : boxes->shown())
            result.push_back(box.text);
        return result;
    }

    RecordingMessageBoxes* boxes = nullptr;
    host::SessionWindowSystem* windows = nullptr;
    platform::ComponentFactory* components = nullptr;
    std::unique_ptr<host::EditorHost> host;
};

constexpr const char* kLoaders[] = {"LoadNodeNameAndNodeTypeID",
                                    "LoadXStyle",
                                    "LoadHoldNode",
                                    "LoadMOHNode",
                                    "LoadBusy1Busy2Node",
                                    "LoadNoAnswerNode",
                                    "LoadAnswerNode",
                                    "LoadExistingNodesInRecordSelector"};

// Opening fails in every loader with the same reason, then the missing style list is reported;
// the editor is not shown.
void ExpectOpeningRefused(ServerEditor& editor, const std::string& reason) {
    EXPECT_FALSE(editor.host->open(1, 1, 1));
    const auto texts = editor.texts();
    ASSERT_EQ(texts.size(), std::size(kLoaders) + 1) << (texts.empty() ? "" : texts[0]);
    for (std::size_t i = 0; i < std::size(kLoaders); ++i) {
        EXPECT_TRUE(texts[i].starts_with(std::string("Source: PostgreSQL - ") + kLoaders[i] +
                                         " \r\nDescription: "))
            << texts[i];
        EXPECT_NE(texts[i].find(reason), std::string::npos) << texts[i];
    }
    EXPECT_EQ(editor.windows->shownCount(), 0);
}

TEST(ServerFaults, ARefusedPasswordStopsTheOpeningAndThePasswordFileLetsItIn) {
    TempDatabase database{/*withDemoData=*/true};
    const std::string role = "editor_" + std::to_string(getpid());
    database.exec("CREATE ROLE " + role +
                  " LOGIN PASSWORD 'right'; GRANT ALL ON ALL TABLES IN "
                  "SCHEMA public TO " +
                  role);
    const std::string server = database.connectionInfo() + " user=" + role;

    ServerEditor refused(server + " password=wrong", true);
    ExpectOpeningRefused(refused, "password authentication failed for user \"" + role + "\"");

    TempFolder home;
    const auto passfile = home.path() / "pgpass";
    std::ofstream(passfile) << "*:*:*:" << role << ":right\n";
    chmod(passfile.c_str(), 0600);
    ServerEditor admitted(server + " passfile=" + passfile.string());
    EXPECT_FALSE(admitted.host->open(1, 1, 1));
    EXPECT_EQ(admitted.windows->shownCount(), 1);
    EXPECT_TRUE(admitted.boxes->shown().empty()) << admitted.texts()[0];
}

// A confirmation dialog that stops the server when it is first shown, as if the server went
// down while the user was asked, then answers from its list.
class StoppingDialog final : public platform::ConfirmationDialog {
  public:
    StoppingDialog(const TestServer& server, std::vector<long>& answers)
        : server_(server), answers_(answers) {}
    long show(short, const std::string&, long, long, const std::string&) override {
        if (!stopped_)
            server_.stop(/*keepFolder=*/true);
        stopped_ = true;
        const long answer = answers_.front();
        answers_.erase(answers_.begin());
        return answer;
    }

  private:
    const TestServer& server_;
    std::vector<long>& answers_;
    bool stopped_ = false;
};

TEST(ServerFaults, AServerStoppingInTheMiddleOfASaveOrDownAtOpeningIsReported) {
    TempFolder folder;
    const TestServer server(folder.path().string());  // handed to the server's user
    server.start();
    const std::string database = server.connectionInfo("postgres");
    data::CreateServerDatabase(database, true);

    ServerEditor editor(database);
    std::vector<long> answers{confirm::kCreate, confirm::kStop};
    editor.components->registerComponent(platform::kConfirmationProgId, [&] {
        return std::make_shared<StoppingDialog>(server, answers);
    });
    editor.windows->setSession([](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "Never saved", true);
        user.click(f.cmdOK);
    });
    editor.host->open(1, 1, 5);
    // STYLE 6 cannot be copied, the check cannot reach the server for MSG 12 (offered again:
    // stop), and the save cannot either; each says why, and the form closes as after a save.
    const auto texts = editor.texts();
    ASSERT_EQ(texts.size(), 3u);
    for (const auto& [text, procedure] : {std::pair{texts[0], "DuplicateNode"},
                                          {texts[1], "NodeExisted"},
                                          {texts[2], "SaveChanges"}}) {
        EXPECT_TRUE(text.starts_with(std::string("Source: PostgreSQL - ") + procedure +
                                     " \r\nDescription: "))
            << text;
    }
    EXPECT_NE(texts[1].find("No such file or directory"), std::string::npos) << texts[1];
    EXPECT_FALSE(editor.host->form().isLoaded());

    // Down at opening.
    ServerEditor down(database);
    ExpectOpeningRefused(down, "Is the server running locally");

    // Up again: nothing was half-written, and the same host reconnects.
    server.start();
    editor.boxes->Clear();
    editor.windows->setSession(
        [](GUI& f, UserActions&) { EXPECT_EQ(f.txtDescription.Text(), "Support line"); });
    editor.host->open(1, 1, 5);
    EXPECT_TRUE(editor.boxes->shown().empty());
    EXPECT_EQ(data::ServerTableCount(database), 34);
    server.stop();
}

TEST(ServerFaults, ALockHeldPastTheTimeOutEndsTheCopyInItsTrapAndWritesNothing) {
    Harness h{/*withDemoData=*/true};
    h.database.exec("BEGIN; LOCK TABLE Node_CMD IN EXCLUSIVE MODE");
    data::DataBase db(h.platform());
    db.Conn.setBusyTimeout(std::chrono::milliseconds(200));
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

}  // namespace
}  // namespace xfer::test
