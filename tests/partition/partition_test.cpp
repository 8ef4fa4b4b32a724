// The commands over a whole partition on databases built here: the check reports exactly the
// nodes the saving check would offer and writes nothing; where-used finds every referrer,
// through the MSG aliases, and nothing else.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "data/database.h"
#include "partition/partition_check.h"
#include "partition/references.h"
#include "platform/platform.h"
#include "support/partition_builder.h"
#include "support/temp_database.h"

namespace xfer::partition {
namespace {

using test::PartitionBuilder;
using Rows = std::vector<std::vector<std::string>>;

using test::ExceptionTarget;

// Configuration 1, partition 1 (and a neighbour, 1/2, that must never be looked at): STYLE 1
// to 4 offered, STYLE 1 and 2, MSG 1 and 4 and CMD 2 exist; MSG 7 exists in 1/2 only.
class Partition : public ::testing::Test {
  protected:
    Partition() {
        const std::vector<std::pair<test::TypeRef, std::optional<int>>> limits = {
            {"STYLE", 4}, {"MSG", 99}, {"CMD", 5}, {"XFER", 99}, {"GOTO", 9}};
        PartitionBuilder(database, 1, 1)
            .typeNames(test::kStandardTypeNames)
            .typeNames(test::kSpecialTypeNames)
            .limits(limits)
            .node("MSG", 1, "Welcome greeting")
            .node("MSG", 4, "Nobody answered")
            .node("CMD", 2, "Disconnect caller")
            .node("STYLE", 1, "Blind transfer")
            .node("STYLE", 2, "Partial supervision");
        PartitionBuilder(database, 1, 2).limits(limits).node("MSG", 7, "Night greeting");
    }

    void xfer(int number, int style, const std::array<ExceptionTarget, 6>& targets,
              int partition = 1) {
        PartitionBuilder(database, 1, partition)
            .xfer({.number = number, .style = style, .targets = targets});
    }
    // Everything the tools could have touched, as rows.
    Rows contents() {
        Rows all;
        for (const char* table : {"Node_General_Pool", "Node_XFER", "Node_Type_Max"}) {
            for (auto& row :
                 database.rows(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2, 3, 4"))
                all.push_back(std::move(row));
        }
        return all;
    }
    std::string fileBytes() {
        std::ifstream in(database.path(), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }
    data::DataBase& db() {
        if (!db_) {
            services_ = std::make_unique<platform::PlatformServices>(database.machine());
            db_ = std::make_unique<data::DataBase>(services_->view());
        }
        return *db_;
    }

    test::TempDatabase database;

  private:
    std::unique_ptr<platform::PlatformServices> services_;
    std::unique_ptr<data::DataBase> db_;
};

// "node: sources -> target" for each dangling reference, "node: reason" for each unchecked.
std::vector<std::string> Lines(const PartitionCheck& check) {
    std::vector<std::string> lines;
    for (const DanglingReference& d : check.dangling) {
        std::string sources;
        for (const std::string& s : d.sources)
            sources += (sources.empty() ? "" : ", ") + s;
        lines.push_back(std::to_string(d.node) + ": " + sources + " -> " + d.target + " (" +
                        d.targetTypeId + "/" + d.targetNumber + ")");
    }
    for (const UncheckedNode& u : check.unchecked)
        lines.push_back(std::to_string(u.node) + ": " + u.reason);
    return lines;
}

TEST_F(Partition, CheckReportsWhatSavingWouldOfferAndWritesNothing) {
    // Every reference exists, or is of a type the check never lists or never misses.
    xfer(0, 1, {{{"MSG", 1}, {"NOOP", 1}, {"CMD", 2}, {"GOTO", 3}, {"HANGUP", 1}, {"BEEP", 1}}});
    // MSG 7 twice (letter case ignored) and a second time from another node; GOTO (816) and
    // HANGUP (999) never checked; 7 exists only in partition 2.
    xfer(1, 2, {{{"MSG", 1}, {"NOOP", 1}, {"MSG", 7}, {"msg", 7}, {"GOTO", 3}, {"HANGUP", 1}}});
    // A missing style; PMSG 4 exists as MSG 4; SMSG 9 is missing as MSG 9; BEEP never missing.
    xfer(2, 3, {{{"PMSG", 4}, {"BEEP", 1}, {"SMSG", 9}, {"MSG", 7}, {"MSG", 1}, {"BEEP", 1}}});
    // Whole names: MSG 3 is checked although MSG 31 is listed before it. NOOP outside Hold and
    // MOH is a type name, 814: never checked either. BEEP in Hold is BEEP 5, never missing.
    xfer(3, 1, {{{"MSG", 31}, {"BEEP", 5}, {"MSG", 3}, {"NOOP", 2}, {"CMD", 2}, {"NOOP", 1}}});
    // Saving these would not get as far as the check.
    xfer(4, 0, {{{"MSG", 8}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}});
    xfer(5, 1, {{{"MSG", 8}, {"NOOP", 1}, {"MSG", 1}, {"FOO", 1}, {"MSG", 1}, {"BEEP", 1}}});
    xfer(6, 9, {{{"MSG", 8}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}});
    // Another partition is not looked at.
    xfer(1, 3, {{{"MSG", 50}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}}, 2);

    const Rows before = contents();
    database.close();  // the file alone holds everything now
    const std::string bytes = fileBytes();

    const PartitionCheck check = CheckPartition(db(), 1, 1);
    EXPECT_EQ(check.nodes, 7);
    EXPECT_EQ(Lines(check),
              (std::vector<std::string>{
                  "1: Busy 1, Busy 2 -> MSG 7 (0/7)",
                  "2: Style -> STYLE 3 (5/3)",
                  "2: Busy 1 -> MSG 9 (0/9)",
                  "2: Busy 2 -> MSG 7 (0/7)",
                  "3: Hold -> MSG 31 (0/31)",
                  "3: Busy 1 -> MSG 3 (0/3)",
                  "4: no style is chosen: saving stops before the check lists anything",
                  "5: the editor would not load it: Busy 2: \"FOO\" is not a node type",
                  "6: the editor would not load it: STYLE 9 is not in the style list (STYLE 1 to "
                  "STYLE 4)",
              }));
    EXPECT_FALSE(check.clean());
    EXPECT_EQ(fileBytes(), bytes);
    EXPECT_EQ(contents(), before);
}

TEST_F(Partition, RefsFindsEveryReferrerThroughTheAliasesAndNothingElse) {
    xfer(1, 2, {{{"MSG", 4}, {"NOOP", 1}, {"MSG", 41}, {"CMD", 4}, {"SMSG", 4}, {"BEEP", 1}}});
    xfer(2, 4, {{{"pmsg", 4}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}});
    xfer(3, 1, {{{"MSG", 1}, {"BEEP", 1}, {"MSG", 1}, {"MSG", 1}, {"GOTO", 4}, {"BEEP", 1}}});
    xfer(1, 4, {{{"MSG", 4}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}}, 2);

    struct Case {
        const char* type;
        std::int16_t number;
        std::string target;
        std::vector<std::string> referrers;  // "node source shown"
    };
    const std::vector<std::string> msg4{"1 Hold MSG 4", "1 No Answer SMSG 4", "2 Hold pmsg 4"};
    const Case cases[] = {
        {"MSG", 4, "MSG 4", msg4},
        {"PMSG", 4, "MSG 4", msg4},
        {"818", 4, "MSG 4", msg4},
        {"0", 4, "MSG 4", msg4},
        {"STYLE", 4, "STYLE 4", {"2 Style STYLE 4"}},
        {"CMD", 4, "CMD 4", {"1 Busy 2 CMD 4"}},
        {"GOTO", 4, "GOTO 4", {"3 No Answer GOTO 4"}},
        {"BEEP", 1, "BEEP 1", {"1 Answer BEEP", "2 Answer BEEP", "3 MOH BEEP", "3 Answer BEEP"}},
        {"MSG", 40, "MSG 40", {}},
    };
    for (const Case& c : cases) {
        const ReferenceSearch search = FindReferrers(db(), 1, 1, c.type, c.number);
        std::vector<std::string> found;
        for (const Referrer& r : search.referrers)
            found.push_back(std::to_string(r.node) + " " + r.source + " " + r.shown);
        EXPECT_EQ(search.target, c.target) << c.type;
        EXPECT_EQ(found, c.referrers) << c.type << " " << c.number;
    }
    EXPECT_THROW(FindReferrers(db(), 1, 1, "FOO", 1), UnknownNodeType);
}

}  // namespace
}  // namespace xfer::partition
