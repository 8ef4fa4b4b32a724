// Scripted sessions: the script language, and runs on the demo database that must either be
// carried out to the saved node or stop at the first thing a user could not have done.

#include <gtest/gtest.h>

#include <sstream>

#include "host/session_runner.h"
#include "platform/platform.h"
#include "support/temp_database.h"

namespace xfer::host {
namespace {

TEST(SessionScriptParse, ReadsEveryActionWithItsArguments) {
    const auto steps = ParseSessionScript(
        "# comment\n"
        "\n"
        "type txtDescription \"New \\\"label\\\"\"   # trailing comment\n"
        "REPLACE txtDial 12,34\n"
        "row 3\n"
        "scroll -1\n"
        "answer Cancel\n"
        "confirm create-all\n"
        "type txtDial \"\\b\"\n");
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps[0].line, 3);
    EXPECT_EQ(steps[0].verb, ScriptVerb::Type);
    EXPECT_EQ(steps[0].control, "txtDescription");
    EXPECT_EQ(steps[0].text, "New \"label\"");
    EXPECT_EQ(steps[0].source, "type txtDescription \"New \\\"label\\\"\"");
    EXPECT_EQ(steps[1].verb, ScriptVerb::Replace);
    EXPECT_EQ(steps[1].text, "12,34");
    EXPECT_EQ(steps[2].number, 3);
    EXPECT_EQ(steps[3].number, -1);
    EXPECT_EQ(steps[4].number, platform::answer::kCancel);
    EXPECT_EQ(steps[5].number, platform::confirm::kCreateAll);
    EXPECT_EQ(steps[6].text, "\b");
}

TEST(SessionScriptParse, NamesTheLineItCannotRead) {
    const std::pair<const char*, const char*> bad[] = {
        {"click cmdOK\njump cmdOK\n", "line 2: unknown action"},
        {"type txtDial\n", "line 1: type takes 2 arguments"},
        {"type txtDial \"12\n", "line 1: a quoted text is not closed"},
        {"answer maybe\n", "line 1: \"maybe\" is not one of"},
        {"row 0\n", "line 1: rows and columns count from 1"},
        {"scroll two\n", "line 1: \"two\" is not a whole number"},
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

class SessionScriptRun : public ::testing::Test {
  protected:
    bool Run(const std::string& script, std::int16_t node = 5) {
        return RunSessionScript(ParseSessionScript(script), {1, 1, node}, database.machine(),
                                transcript);
    }
    bool Says(const std::string& text) const {
        return transcript.str().find(text) != std::string::npos;
    }
    std::string Stored(const std::string& column) {
        return database.scalar("SELECT " + column +
                               " FROM Node_XFER WHERE ConfigID = 1 AND PartID = 1 AND "
                               "NodeNumber = 5");
    }

    test::TempDatabase database;
    std::ostringstream transcript;
};

TEST_F(SessionScriptRun, SavesTheEditsAndShowsThePromptsAndTheStoredNode) {
    EXPECT_TRUE(
        Run("replace txtDescription \"Night line\"\n"
            "choose cmbXStyle \"STYLE 2\"\n"
            "confirm create\nconfirm skip\nconfirm create-all\n"
            "click cmdOK\n"))
        << transcript.str();
    EXPECT_EQ(Stored("NodeDescription"), "Night line");
    EXPECT_EQ(Stored("StyleNodeNumber"), "2");
    EXPECT_EQ(database.count("SELECT 1 FROM Node_CMD WHERE ConfigID = 1 AND PartID = 1 AND "
                             "NodeNumber = 7"),
              0);  // skipped
    EXPECT_TRUE(Says("prompt] \"MSG 12 is referenced")) << transcript.str();
    EXPECT_TRUE(Says("-> skip"));
    EXPECT_TRUE(Says("Label: \"Night line\""));
}

TEST_F(SessionScriptRun, StopsAtWhatAUserCouldNotDoAndSavesNothing) {
    const std::pair<const char*, const char*> cases[] = {
        {"click cmdApply\n", "FAILED: line 1: cmdApply is disabled"},
        {"choose cmbHoldNode MSG\n", "FAILED: line 1: cmbHoldNode is hidden"},
        {"click cmdNowhere\n", "FAILED: line 1: the form has no control named cmdNowhere"},
        {"choose cmbXStyle \"STYLE 99\"\n", "FAILED: line 1: cmbXStyle has no entry"},
        // A pending change and the close box: the save prompt has no answer, nothing is saved.
        {"type txtDescription x\nclose\n", "FAILED: line 2: the box"},
        {"type txtDescription x\nanswer ok\nclose\n", "FAILED: line 3: the script answers Ok"},
    };
    for (const auto& [script, failure] : cases) {
        transcript.str("");
        EXPECT_FALSE(Run(script)) << script;
        EXPECT_TRUE(Says(failure)) << transcript.str();
        EXPECT_EQ(Stored("NodeDescription"), "Support line") << script;
    }
}

TEST_F(SessionScriptRun, APromptWithoutAnAnswerStopsTheCreatingAndFails) {
    EXPECT_FALSE(Run("type txtDescription x\nclick cmdOK\n"));
    EXPECT_TRUE(Says("FAILED: line 2: the prompt \"STYLE 6")) << transcript.str();
    EXPECT_TRUE(Says("-> stop"));
    EXPECT_EQ(database.count("SELECT 1 FROM Node_STYLE WHERE ConfigID = 1 AND PartID = 1 AND "
                             "NodeNumber = 6"),
              0);
}

TEST_F(SessionScriptRun, FailsWhenTheEditorDoesNotOpen) {
    EXPECT_FALSE(Run("click cmdOK\n", 99));
    EXPECT_TRUE(Says("FAILED: the editor did not open node 99")) << transcript.str();
}

}  // namespace
}  // namespace xfer::host
