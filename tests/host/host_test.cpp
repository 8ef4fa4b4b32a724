// The host's tools on databases built here. Scripted sessions: the script language and its
// ranges, and runs that act, look and check, report each mismatch and go on, and fail on what a
// user could not have done. Where the database is: a folder the connection string cannot
// carry, or a registry folder that no path can hold, is refused with the reason before anything
// is created on disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "data/database.h"
#include "data/folders.h"
#include "host/bulk_run.h"
#include "host/database_location.h"
#include "host/session_runner.h"
#include "platform/platform.h"
#include "runtime/error.h"
#include "support/partition_builder.h"
#include "support/platform_doubles.h"
#include "support/temp_database.h"

namespace xfer::host {
namespace {

TEST(SessionScriptParse, ReadsEveryLineWithItsArguments) {
    struct Case {
        const char* line;
        ScriptVerb verb;
        std::string control, property, text;
        long number;
    };
    const Case cases[] = {
        {"type txtDescription \"New \\\"label\\\"\"  # comment", ScriptVerb::Type, "txtDescription",
         "", "New \"label\"", 0},
        {"REPLACE txtDial 12,34", ScriptVerb::Replace, "txtDial", "", "12,34", 0},
        // A '#' starts a comment only where a word would start, never inside a text.
        {"replace txtDial \"*72,2008#\" # code", ScriptVerb::Replace, "txtDial", "", "*72,2008#",
         0},
        {"replace txtDial \"#1\"", ScriptVerb::Replace, "txtDial", "", "#1", 0},
        {"replace txtDial *72#", ScriptVerb::Replace, "txtDial", "", "*72#", 0},
        {"type txtDial \"\\b\"", ScriptVerb::Type, "txtDial", "", "\b", 0},
        {"row 6", ScriptVerb::Row, "", "", "", 6},
        {"scroll -99", ScriptVerb::Scroll, "", "", "", -99},
        {"answer Cancel", ScriptVerb::Answer, "", "", "Cancel", platform::answer::kCancel},
        {"confirm create-all", ScriptVerb::Confirm, "", "", "create-all",
         platform::confirm::kCreateAll},
        {"show rows", ScriptVerb::Show, "rows", "", "", 0},
        {"expect cmdApply enabled \"true\"", ScriptVerb::Expect, "cmdApply", "Enabled", "true", 0},
        {"expect row 3 command/node \"MSG 12\"", ScriptVerb::Expect, "row", "Command/Node",
         "MSG 12", 3},
        {"expect ROW 2 3 \"MSG 1\"", ScriptVerb::Expect, "row", "Command/Node", "MSG 1", 2},
        {"type txtDescription \"caf\xC3\xA9\"", ScriptVerb::Type, "txtDescription", "",
         "caf\xC3\xA9", 0},
    };
    for (const Case& c : cases) {
        const auto steps = ParseSessionScript(std::string("# first\n\n") + c.line + "\n");
        ASSERT_EQ(steps.size(), 1u) << c.line;
        const ScriptStep& s = steps[0];
        EXPECT_EQ(s.line, 3) << c.line;
        EXPECT_EQ(s.verb, c.verb) << c.line;
        EXPECT_EQ(s.control, c.control) << c.line;
        EXPECT_EQ(s.property, c.property) << c.line;
        EXPECT_EQ(s.text, c.text) << c.line;
        EXPECT_EQ(s.number, c.number) << c.line;
    }
    // The transcript echoes a line as written, without its comment.
    EXPECT_EQ(ParseSessionScript("replace txtDial \"1#2\"  # the code\n")[0].source,
              "replace txtDial \"1#2\"");
}

TEST(SessionScriptParse, RefusesWhatItCannotReadNamingTheLine) {
    const std::pair<const char*, const char*> bad[] = {
        {"click cmdOK\njump cmdOK\n", "line 2: unknown action"},
        {"type txtDial\n", "line 1: type takes 2 arguments"},
        {"type txtDial \"12\n", "line 1: a quoted text is not closed"},
        {"type txtDial \"\\q\"\n", "line 1: unknown escape \\q"},
        {"answer maybe\n", "line 1: \"maybe\" is not one of"},
        {"row 7\n", "line 1: row: 7 is not in range 1 to 6"},
        {"header 8\n", "line 1: column: 8 is not in range 1 to 7"},
        {"scroll 99999999999999999999999\n", "line 1: scroll: 99999999999999999999999 is not in"},
        {"scroll two\n", "line 1: scroll: 'two' is not a decimal number"},
        {"row 010\n", "line 1: row: '010' is not a decimal number"},
        {"click cmdOK\ntype txtDial \"\xC3(\"\n", "line 2: the text is not valid UTF-8 (byte 15"},
        {"expect cmdOK Colour \"red\"\n", "line 1: \"Colour\" is not a property"},
        {"expect cmdOK Caption\n", "line 1: expect takes a control, a property and a value"},
        {"expect row 1 Price \"x\"\n", "line 1: \"Price\" is not a cell of a row"},
        {"expect row 1 0 \"x\"\n", "line 1: column: 0 is not in range 1 to 7"},
    };
    for (const auto& [script, message] : bad) {
        try {
            ParseSessionScript(script);
            ADD_FAILURE() << script;
        } catch (const ScriptError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

TEST(NodeList, ReadsDecimalNumbersAndRangesOnly) {
    using Nodes = std::vector<std::int16_t>;
    const std::pair<const char*, Nodes> good[] = {
        {"1,5,12-14", {1, 5, 12, 13, 14}},
        {"-3--1", {-3, -2, -1}},
        {"5,5,4-6", {5, 4, 6}},
        {"32766-32767", {32766, 32767}},
    };
    for (const auto& [text, nodes] : good)
        EXPECT_EQ(ParseNodeList(text), nodes) << text;
    const std::pair<const char*, const char*> bad[] = {
        {"0x10", "\"0x10\": '0x10' is not a decimal number"},
        {"010", "'010' is not a decimal number"},
        {"3, +4", "' +4' is not a decimal number"},
        {" 1", "' 1' is not a decimal number"},
        {"1,,2", "an empty entry"},
        {"12-", "\"12-\": '' is not a decimal"},
        {"20-12", "the range \"20-12\" runs backwards"},
        {"40000", "\"40000\": 40000 is not in range -32768 to 32767"},
    };
    for (const auto& [text, message] : bad) {
        try {
            ParseNodeList(text);
            ADD_FAILURE() << text;
        } catch (const NodeListError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
}

using test::PartitionBuilder;
namespace rule_set = test::rule_set;

// Partition 1: STYLE 1-3 offered (1 and 2 exist), MSG 1-3 and CMD 1 exist. XFER 1 refers to
// existing nodes only, XFER 2 to STYLE 3, MSG 12 (twice) and CMD 4, which do not exist. Partition 2
// holds ten XFER nodes whose targets all exist. Hold may point at MSG, CMD, XFER and NOOP, the busy
// exceptions at MSG, CMD and GOTO.
class SessionRun : public ::testing::Test {
  protected:
    SessionRun() {
        PartitionBuilder(database, 1, 1)
            .typeNames(test::kStandardTypeNames)
            .typeNames(test::kSpecialTypeNames)
            .xferMayPointAt(rule_set::kHold, {"MSG", "CMD", "XFER", "NOOP"})
            .xferMayPointAt(rule_set::kBusy, {"MSG", "CMD", "GOTO"});
        for (int partition : {1, 2}) {
            PartitionBuilder(database, 1, partition)
                .limits({{"STYLE", 3}, {"MSG", 20}, {"CMD", 5}, {"XFER", 99}, {"GOTO", 9}})
                .style(1, "Blind transfer")
                .style(2, "Partial supervision")
                .node("MSG", 1, "Welcome greeting")
                .node("MSG", 2, "Please hold")
                .node("MSG", 3, "All lines are busy")
                .node("CMD", 1, "Front desk");
        }
        PartitionBuilder(database, 1, 1)
            .xfer(
                {.number = 1,
                 .targets =
                     {{{"MSG", 1}, {"NOOP", 1}, {"MSG", 2}, {"MSG", 2}, {"CMD", 1}, {"BEEP", 1}}}})
            .xfer(
                {.number = 2,
                 .style = 3,
                 .targets = {
                     {{"MSG", 12}, {"NOOP", 1}, {"CMD", 4}, {"MSG", 12}, {"MSG", 1}, {"MSG", 1}}}});
        PartitionBuilder(database, 1, 2)
            .xfers(
                1, 10,
                {.style = 2,
                 .targets = {
                     {{"MSG", 1}, {"NOOP", 1}, {"MSG", 2}, {"MSG", 3}, {"CMD", 1}, {"BEEP", 1}}}});
    }

    SessionOutcome Run(const std::string& script, std::int16_t node) {
        const auto transcript = MakeTranscript(TranscriptFormat::Text, out);
        SessionRunner runner(database.machine(), *transcript);
        return runner.run(ParseSessionScript(script), {1, 1, node});
    }
    bool Says(const std::string& text) const { return out.str().find(text) != std::string::npos; }
    std::string Stored(int partition, int node, const std::string& column) {
        return database.scalar(
            "SELECT " + column + " FROM Node_XFER WHERE ConfigID = 1 AND PartID = " +
            std::to_string(partition) + " AND NodeNumber = " + std::to_string(node));
    }

    test::TempDatabase database;
    std::ostringstream out;
};

TEST_F(SessionRun, LooksAtTheFormAndReportsEachMismatchWithoutStopping) {
    struct Case {
        const char* script;
        bool carriedOut;
        int expectations, mismatches;
        std::vector<std::string> says;
    };
    const Case cases[] = {
        // A picker's item data, a value in any letter case and the line each expectation that
        // holds writes. The rest of the form is looked at by examples/check-exceptions.session,
        // which tests/desktop/partition_cli_test.sh runs.
        {"click cmdExceptionsEdit\n"
         "row 3\n"
         "expect cmbBusy1Node ItemData \"0, 1, 816\"\n"
         "click cmdExceptionsEdit\n"
         "expect cmdApply Enabled TRUE\n"
         "answer no\n"
         "click cmdCancel\n",
         true,
         2,
         0,
         {"> expect cmbBusy1Node ItemData \"0, 1, 816\"\n  as expected\n", "result: passed"}},
        // Wrong expectations are reported with line, expected and actual; later lines run.
        {"expect cmdApply Enabled \"true\"\n"
         "expect lblRecordPosition Caption \"2 of 3\"\n"
         "expect row 1 Command/Node \"MSG 1\"\n"
         "click cmdCancel\n"
         "expect txtDial Text \"100\"\n",
         true,
         4,
         3,
         {"MISMATCH line 1: cmdApply Enabled: expected \"true\", actual \"false\"",
          "MISMATCH line 2: lblRecordPosition Caption: expected \"2 of 3\", actual \"1 of 2\"",
          "MISMATCH line 5: txtDial Text: expected \"100\", actual (the form is closed)",
          "result: failed: 3 of 4 expectations not met"}},
        // What show writes.
        {"show cmbHoldNode\nshow rows\n",
         true,
         0,
         0,
         {"cmbHoldNode (drop-down list): Text \"\", Enabled \"true\", Visible \"false\"",
          "entries: \"MSG\" (0), \"CMD\" (1), \"XFER\" (4), \"NOOP\" (814)",
          "row 3 [3a]: \"3\" | \"Busy 1\" | \"MSG 2\" | \"Please hold\" | \"MSG\" | \"0\" | "
          "\"2\""}},
        // What a user could not do ends the run.
        {"expect cmdApply Enabled false\nclick cmdApply\nexpect cmdApply Enabled false\n",
         false,
         1,
         0,
         {"FAILED: line 2: cmdApply is disabled"}},
        {"expect cmdNowhere Text x\n", false, 0, 0, {"line 1: the form has no control"}},
    };
    for (const Case& c : cases) {
        out.str("");
        const SessionOutcome outcome = Run(c.script, 1);
        EXPECT_EQ(outcome.carriedOut, c.carriedOut) << out.str();
        EXPECT_EQ(outcome.expectations, c.expectations) << out.str();
        EXPECT_EQ(outcome.mismatches, c.mismatches) << out.str();
        EXPECT_EQ(outcome.passed(), c.carriedOut && c.mismatches == 0);
        for (const std::string& text : c.says)
            EXPECT_TRUE(Says(text)) << text << " not in:\n" << out.str();
    }
}

TEST_F(SessionRun, SavesTheEditsAndShowsThePromptsAndTheStoredNode) {
    const SessionOutcome outcome =
        Run("replace txtDescription \"Night line\"\n"
            "choose cmbXStyle \"STYLE 2\"\n"
            "expect txtXStyleDescription Text \"Partial supervision\"\n"
            "confirm skip\nconfirm skip\nconfirm skip\n"
            "click cmdOK\n",
            2);
    EXPECT_TRUE(outcome.passed()) << out.str();
    EXPECT_EQ(Stored(1, 2, "NodeDescription"), "Night line");
    EXPECT_EQ(Stored(1, 2, "StyleNodeNumber"), "2");
    EXPECT_TRUE(Says("prompt] \"MSG 12 is referenced but it does not exist. / Do you want"))
        << out.str();
    EXPECT_TRUE(Says("[status] Saving node information. Please wait..."));
    EXPECT_TRUE(Says("Label: \"Night line\""));
}

TEST_F(SessionRun, StopsAtWhatAUserCouldNotDoAndSavesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"choose cmbHoldNode MSG\n", "FAILED: line 1: cmbHoldNode is hidden"},
        {"choose cmbXStyle \"STYLE 99\"\n", "FAILED: line 1: cmbXStyle has no entry"},
        // A pending change and the close box: the save prompt has no answer.
        {"type txtDescription x\nclose\n", "FAILED: line 2: the box"},
        {"type txtDescription x\nanswer ok\nclose\n", "FAILED: line 3: the script answers Ok"},
        // A creation prompt without an answer stops the creating.
        {"type txtDescription x\nclick cmdOK\n", "FAILED: line 2: the prompt \"STYLE 3"},
    };
    for (const auto& [script, failure] : cases) {
        out.str("");
        EXPECT_FALSE(Run(script, 2).passed()) << script;
        EXPECT_TRUE(Says(failure)) << out.str();
    }
    EXPECT_EQ(database.count("SELECT 1 FROM Node_General_Pool WHERE NodeTypeID = 5 AND "
                             "NodeNumber = 3"),
              0);
    out.str("");
    EXPECT_FALSE(Run("click cmdOK\n", 99).passed());
    EXPECT_TRUE(Says("FAILED: the editor did not open node 99")) << out.str();
}

// A box with only OK takes an "answer ok" queued for it and leaves any other answer to the
// question it belongs to.
TEST_F(SessionRun, AnOkBoxTakesOnlyAnOkMeantForIt) {
    const char* scripts[] = {
        "type txtDescription \"\\\"\"\nanswer no\nclick cmdOK\nclose\n",
        "type txtDescription \"\\\"\"\nanswer ok\nclick cmdOK\nanswer no\nclose\n",
    };
    for (const char* script : scripts) {
        out.str("");
        EXPECT_TRUE(Run(script, 1).passed()) << out.str();
        EXPECT_TRUE(Says("Double quotes")) << out.str();
    }
    EXPECT_EQ(Stored(1, 1, "NodeDescription").find('"'), std::string::npos);
}

// `show` describes the form and controls nobody sees, as they are; a script that ends with the
// editor open closes it with the close box, and says so.
TEST_F(SessionRun, ShowsHiddenPartsAndClosesWhatTheScriptLeftOpen) {
    EXPECT_TRUE(Run("show form\nshow StatusBar1\nshow lstNodeTypeName\n", 1).passed());
    for (const char* line :
         {"  form (form): Caption \"XFER Node Editor\", Loaded \"true\"",
          "  StatusBar1 (status bar): Text \"\", Enabled \"true\"", "ListCount \"0\"",
          "    entries: none", "> (end of script: the close box)"}) {
        EXPECT_TRUE(Says(line)) << line << "\n" << out.str();
    }
}

// What a failed node does to a bulk run, stopping it or not, tests/desktop/partition_cli_test.sh
// checks through the program.
TEST_F(SessionRun, BulkRunEditsEveryNodeOfThePartitionInOneHost) {
    const auto steps = ParseSessionScript(
        "replace txtDial \"9,5555\"\nexpect txtDial Text \"9,5555\"\nclick cmdOK\n");
    const auto transcript = MakeTranscript(TranscriptFormat::Text, out);
    SessionRunner runner(database.machine(), *transcript);
    const BulkSummary all =
        RunBulkSession(runner, *transcript, steps, 1, 2, SelectorNodes(runner, 1, 2), false);
    EXPECT_EQ(all.passed.size(), 10u) << out.str();
    for (int node = 1; node <= 10; ++node)
        EXPECT_EQ(Stored(2, node, "Dial"), "9,5555") << node;
    EXPECT_TRUE(Says("=== XFER 1 (1 of 10) ===\nopen config 1, partition 2, node 1\n"));
    EXPECT_TRUE(Says("=== 10 nodes: 10 passed ==="));
}

namespace fs = std::filesystem;

TEST(DatabaseLocation, UnusablePathsAreRefusedBeforeAnythingIsCreated) {
    using namespace std::string_literals;
    const struct {
        const char* what;
        std::string shellFolder;    // under the temp folder; "" for none
        bool productFolder;         // Quorvel/VDACOM+ exists under the shell folder
        std::string commonAppData;  // the registry value, under the temp folder; "" for none
        bool located;               // the editor looks there (else only the demo goes there)
        std::string message;
    } cases[] = {
        {"';' in the shell folder", "a;b", false, "", false,
         "/a;b/Quorvel/VDACOM+/Database/NewDB.mdb contains ';', which would end the connection "
         "string's Data Source"},
        {"';' in the shell folder that has the product folder", "a;b", true, "", true,
         "contains ';'"},
        {"';' in the registry's folder", "", false, "c;d", true, "/c;d/Quorvel/VDACOM+/Database"},
        {"NUL in the registry's folder", "", false, "e\0f"s, true,
         "The registry value \"Common AppData\" holds a NUL character (byte "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder temp;
        const std::string root = temp.path().string();
        if (c.productFolder)
            fs::create_directories(temp.path() / c.shellFolder / "Quorvel" / "VDACOM+");
        const auto before = std::distance(fs::recursive_directory_iterator(temp.path()),
                                          fs::recursive_directory_iterator());
        platform::PlatformParts parts;
        parts.shell = std::make_unique<test::FixedShell>(
            c.shellFolder.empty() ? std::nullopt : std::optional(root + "/" + c.shellFolder));
        platform::Hive hive;
        if (!c.commonAppData.empty()) {
            hive.setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kShellFoldersKey,
                           data::kCommonAppDataValue, root + "/" + c.commonAppData);
        }
        parts.registry = std::make_unique<platform::HiveRegistry>(std::move(hive));
        const platform::PlatformServices services(std::move(parts));

        const auto refused = [&](const std::function<void()>& attempt) {
            try {
                attempt();
                return std::string("taken");
            } catch (const runtime::Error& e) {
                return e.description();
            }
        };
        EXPECT_NE(refused([&] { EnsureDemoDatabase(services.view()); }).find(c.message),
                  std::string::npos);
        if (c.located) {
            EXPECT_NE(refused([&] { LocateDatabase(services.view()); }).find(c.message),
                      std::string::npos);
            EXPECT_NE(refused([&] { data::DataBase db(services.view()); }).find(c.message),
                      std::string::npos);
        }
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.path()),
                                fs::recursive_directory_iterator()),
                  before);
    }
}

}  // namespace
}  // namespace xfer::host
