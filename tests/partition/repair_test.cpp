// Creations cut between the node's own row and its general row, on both engines: check sees
// the half-created node with the XFER node that refers to it, repair completes or removes it
// in one transaction (or, dry, changes nothing), and the referring node then saves cleanly.

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

#include "data/database.h"
#include "host/session_runner.h"
#include "partition/partition_check.h"
#include "partition/partition_repair.h"
#include "platform/platform.h"
#include "support/partition_builder.h"
#include "support/temp_database.h"

namespace xfer::partition {
namespace {

using test::PartitionBuilder;

// XFER 1 refers to MSG 12 (Hold, Busy 2, No Answer) and CMD 3, which are not there yet; the
// templates they are created from are.
struct Scenario {
    Scenario() {
        PartitionBuilder(database, 1, 1)
            .typeNames(test::kStandardTypeNames)
            .limits({{"STYLE", 3}, {"MSG", 20}, {"CMD", 5}, {"XFER", 9}})
            .templates()
            .style(1, "Blind transfer")
            .xfer({.number = 1,
                   .label = "Reception",
                   .targets = {{{"MSG", 12},
                                {"NOOP", 1},
                                {"CMD", 3},
                                {"MSG", 12},
                                {"MSG", 12},
                                {"BEEP", 1}}}});
    }

    // Saves XFER 1 with OK, creating every missing node it refers to; true when it passed.
    bool save() {
        out.str("");
        return host::RunSessionScript(
            host::ParseSessionScript(
                "confirm create-all\ntype txtDescription \"x\"\nclick cmdOK\n"),
            {1, 1, 1}, database.machine(), out);
    }
    long long rows(const std::string& table, int type) {
        return database.count("SELECT 1 FROM " + table +
                              " WHERE ConfigID = 1 AND PartID = 1 AND NodeNumber = 12" +
                              (type < 0 ? "" : " AND NodeTypeID = " + std::to_string(type)));
    }
    std::vector<std::vector<std::string>> contents() {
        return database.rows(
            "SELECT NodeTypeID, NodeNumber, NodeDescription, DateModified FROM Node_General_Pool "
            "UNION ALL SELECT NodeTypeID, NodeNumber, VDAFilename, NodeDescription FROM Node_MSG "
            "ORDER BY 1, 2, 3, 4");
    }
    template <typename T>
    T withDb(const std::function<T(data::DataBase&)>& use) {
        const platform::PlatformServices services(database.machine());
        data::DataBase db(services.view());
        return use(db);
    }

    test::TempDatabase database;
    std::ostringstream out;
};

// Makes the general row's insert fail, as a kill between the two statements would leave it.
void CutGeneralRowInsert(test::TempDatabase& db, bool on) {
    if (test::TempDatabase::OnServer()) {
        db.exec(on ? "CREATE FUNCTION cut() RETURNS trigger LANGUAGE plpgsql AS $$BEGIN IF "
                     "NEW.NodeNumber = 12 THEN RAISE EXCEPTION 'cut between the rows'; END IF; "
                     "RETURN NEW; END$$; CREATE TRIGGER cut BEFORE INSERT ON Node_General_Pool "
                     "FOR EACH ROW EXECUTE FUNCTION cut()"
                   : "DROP TRIGGER cut ON Node_General_Pool");
    } else {
        db.exec(on ? "CREATE TRIGGER cut BEFORE INSERT ON Node_General_Pool WHEN NEW.NodeNumber "
                     "= 12 BEGIN SELECT RAISE(ABORT, 'cut between the rows'); END"
                   : "DROP TRIGGER cut");
    }
}

TEST(HalfCreated, CheckSeesItRepairMendsItAndTheReferringNodeThenSaves) {
    struct Case {
        const char* name;
        std::function<void(Scenario&)> cut;
        bool generalRow;  // what is left: the general row (true) or the node's own row
        RepairKind repair;
    };
    const Case cases[] = {
        {"general row deleted after a whole creation",
         [](Scenario& t) {
             ASSERT_TRUE(t.save()) << t.out.str();
             t.database.exec(
                 "DELETE FROM Node_General_Pool WHERE NodeTypeID = 0 AND "
                 "NodeNumber = 12");
         },
         false, RepairKind::Completed},
        {"creation cut before its general row",
         [](Scenario& t) {
             CutGeneralRowInsert(t.database, true);
             EXPECT_FALSE(t.save());
             EXPECT_NE(t.out.str().find("cut between the rows"), std::string::npos) << t.out.str();
             CutGeneralRowInsert(t.database, false);
         },
         false, RepairKind::Completed},
        {"own row deleted after a whole creation",
         [](Scenario& t) {
             ASSERT_TRUE(t.save()) << t.out.str();
             t.database.exec("DELETE FROM Node_MSG WHERE NodeNumber = 12");
         },
         true, RepairKind::Removed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Scenario t;
        c.cut(t);
        const PartitionCheck check =
            t.withDb<PartitionCheck>([](data::DataBase& db) { return CheckPartition(db, 1, 1); });
        ASSERT_EQ(check.halfCreated.size(), 1u);
        const HalfCreatedNode& half = check.halfCreated[0];
        EXPECT_EQ(half.name, "MSG 12");
        EXPECT_EQ(half.generalRow, c.generalRow);
        ASSERT_EQ(half.referrers.size(), 1u);
        EXPECT_EQ(half.referrers[0].node, 1);
        EXPECT_EQ(half.referrers[0].sources,
                  (std::vector<std::string>{"Hold", "Busy 2", "No Answer"}));
        EXPECT_FALSE(check.clean());

        if (!c.generalRow) {
            // The fault itself: the save offers the node again and collides with its row.
            EXPECT_FALSE(t.save());
            EXPECT_NE(t.out.str().find("DuplicateNode"), std::string::npos) << t.out.str();
        }
        // A dry run says the same and changes nothing.
        const auto before = t.contents();
        const PartitionRepair dry = t.withDb<PartitionRepair>(
            [](data::DataBase& db) { return RepairPartition(db, 1, 1, true); });
        ASSERT_EQ(dry.actions.size(), 1u);
        EXPECT_EQ(dry.actions[0].kind, c.repair);
        EXPECT_EQ(t.contents(), before);

        const PartitionRepair repair = t.withDb<PartitionRepair>(
            [](data::DataBase& db) { return RepairPartition(db, 1, 1, false); });
        ASSERT_EQ(repair.actions.size(), 1u);
        EXPECT_EQ(repair.actions[0].kind, c.repair);
        EXPECT_TRUE(t.withDb<bool>(
            [](data::DataBase& db) { return CheckPartition(db, 1, 1).halfCreated.empty(); }));

        EXPECT_TRUE(t.save()) << t.out.str();
        EXPECT_EQ(t.out.str().find("DuplicateNode"), std::string::npos) << t.out.str();
        EXPECT_EQ(t.rows("Node_MSG", -1), 1);
        EXPECT_EQ(t.rows("Node_General_Pool", 0), 1);
    }
}

// A creation cut after the node row but before its detail rows is completed with the
// template's detail rows; one cut after them gets none twice.
TEST(HalfCreated, CompletingCopiesTheTemplatesDetailRowsOnlyWhereTheNodeHasNone) {
    struct Case {
        const char* name;
        bool detailsCut;
        bool detailsWritten;
    };
    for (const Case& c : {Case{"cut before the detail rows", true, true},
                          Case{"cut after the detail rows", false, false}}) {
        SCOPED_TRACE(c.name);
        Scenario t;
        ASSERT_TRUE(t.save()) << t.out.str();
        t.database.exec("DELETE FROM Node_General_Pool WHERE NodeTypeID = 1 AND NodeNumber = 3");
        if (c.detailsCut)
            t.database.exec("DELETE FROM Detail_CMD WHERE NodeMasterID = 3");
        const PartitionRepair repair = t.withDb<PartitionRepair>(
            [](data::DataBase& db) { return RepairPartition(db, 1, 1, false); });
        ASSERT_EQ(repair.actions.size(), 1u);
        EXPECT_EQ(repair.actions[0].node.name, "CMD 3");
        EXPECT_EQ(repair.actions[0].kind, RepairKind::Completed);
        EXPECT_EQ(repair.actions[0].detail.find("Detail_CMD rows") != std::string::npos,
                  c.detailsWritten)
            << repair.actions[0].detail;
        EXPECT_EQ(t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 3"),
                  t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 0"));
        EXPECT_EQ(t.database.count("SELECT 1 FROM Node_General_Pool WHERE NodeTypeID = 1 AND "
                                   "NodeNumber = 3"),
                  1);
    }
}

// A general row whose node row is gone is removed with the detail rows the node left, and
// nothing of the template's.
TEST(HalfCreated, RemovingAGeneralRowTakesTheNodesDetailRowsWithIt) {
    Scenario t;
    ASSERT_TRUE(t.save()) << t.out.str();
    t.database.exec("DELETE FROM Node_CMD WHERE NodeNumber = 3");
    const long long templateRows =
        t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 0");
    ASSERT_GT(t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 3"), 0);
    const PartitionRepair repair = t.withDb<PartitionRepair>(
        [](data::DataBase& db) { return RepairPartition(db, 1, 1, false); });
    ASSERT_EQ(repair.actions.size(), 1u);
    EXPECT_EQ(repair.actions[0].kind, RepairKind::Removed);
    EXPECT_EQ(t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 3"), 0);
    EXPECT_EQ(t.database.count("SELECT 1 FROM Detail_CMD WHERE NodeMasterID = 0"), templateRows);
    EXPECT_EQ(t.database.count("SELECT 1 FROM Node_General_Pool WHERE NodeTypeID = 1 AND "
                               "NodeNumber = 3"),
              0);
}

}  // namespace
}  // namespace xfer::partition
