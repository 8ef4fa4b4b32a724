// A preview (--dry-run) runs scripted sessions on a snapshot: the transcript shows what would
// be stored, later sessions of the run see it, and the database is unchanged: the file byte for
// byte, the server row for row. A bulk run names the nodes stored by a session that failed.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "host/bulk_run.h"
#include "host/session_runner.h"
#include "support/partition_builder.h"
#include "support/temp_database.h"

namespace xfer::host {
namespace {

using test::PartitionBuilder;

class Preview : public ::testing::Test {
  protected:
    Preview() {
        PartitionBuilder(database, 1, 1)
            .typeNames(test::kStandardTypeNames)
            .limits({{"STYLE", 3}, {"MSG", 20}, {"XFER", 9}})
            .templates()
            .style(1, "Blind transfer")
            .xfers(
                1, 3,
                {.targets = {
                     {{"MSG", 0}, {"NOOP", 1}, {"MSG", 0}, {"MSG", 0}, {"MSG", 0}, {"BEEP", 1}}}});
    }
    // Everything a session can write, as rows, and the file's bytes with no connection open.
    std::string state() {
        std::string all;
        for (const auto& row :
             database.rows("SELECT NodeTypeID, NodeNumber, NodeDescription, DateModified FROM "
                           "Node_General_Pool UNION ALL SELECT NodeTypeID, NodeNumber, Dial, "
                           "NodeDescription FROM Node_XFER ORDER BY 1, 2, 3, 4")) {
            for (const auto& field : row)
                all += field + "|";
            all += "\n";
        }
        database.close();
        if (!test::TempDatabase::OnServer()) {
            std::ifstream in(database.path(), std::ios::binary);
            std::stringstream bytes;
            bytes << in.rdbuf();
            all += bytes.str();
        }
        return all;
    }

    test::TempDatabase database;
    std::ostringstream out;
};

TEST_F(Preview, ShowsWhatWouldBeStoredAndLeavesTheDatabaseAsItWas) {
    const std::string before = state();
    {
        const auto transcript = MakeTranscript(TranscriptFormat::Text, out);
        SessionRunner runner(database.machine(), *transcript, true);
        // Each session stores with Apply, then fails an expectation.
        const auto steps = ParseSessionScript(
            "replace txtDial \"9,2001\"\nclick cmdApply\nexpect txtDial Text \"7\"\n"
            "click cmdCancel\n");
        const BulkSummary summary =
            RunBulkSession(runner, *transcript, steps, 1, 1, {1, 2, 3}, true);
        EXPECT_EQ(summary.failed, (std::vector<std::int16_t>{1, 2, 3}));
        EXPECT_EQ(summary.storedFailed, (std::vector<std::int16_t>{1, 2, 3}));
        EXPECT_NE(out.str().find("Dial: \"9,2001\""), std::string::npos) << out.str();
        EXPECT_NE(out.str().find("stored although their session did not pass: XFER 1, 2, 3"),
                  std::string::npos)
            << out.str();
        // What the run stored is seen by the sessions that follow it.
        const auto again = ParseSessionScript("expect txtDial Text \"9,2001\"\nclick cmdCancel\n");
        EXPECT_TRUE(runner.run(again, {1, 1, 1}).passed()) << out.str();
    }
    EXPECT_EQ(state(), before);
}

TEST_F(Preview, ABulkRunThatStoresNothingNamesNoNodeAsStored) {
    const auto transcript = MakeTranscript(TranscriptFormat::Text, out);
    SessionRunner runner(database.machine(), *transcript, false);
    const auto steps = ParseSessionScript("expect txtDial Text \"7\"\nclick cmdCancel\n");
    const BulkSummary summary = RunBulkSession(runner, *transcript, steps, 1, 1, {1, 2}, true);
    EXPECT_EQ(summary.failed.size(), 2u);
    EXPECT_TRUE(summary.storedFailed.empty());
    EXPECT_EQ(out.str().find("stored although"), std::string::npos) << out.str();
}

}  // namespace
}  // namespace xfer::host
