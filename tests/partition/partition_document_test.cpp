// A partition as a document on databases built here: export, import into an empty partition
// of another configuration and export again give the same bytes but for the source; every
// refusal of the import leaves the database as it was; --create-missing creates exactly the
// missing referenced nodes; diff tells node by node what differs.

#include <gtest/gtest.h>

#include "data/database.h"
#include "partition/partition_diff.h"
#include "partition/partition_export.h"
#include "partition/partition_import.h"
#include "platform/platform.h"
#include "support/partition_builder.h"
#include "support/temp_database.h"

namespace xfer::partition {
namespace {

using test::ExceptionTarget;
using test::PartitionBuilder;
using Rows = std::vector<std::vector<std::string>>;

// Configuration 1 partition 1 holds three XFER nodes between them using every exception kind,
// the commands, the MSG aliases, quotes the label rule allows and text beyond ASCII.
// Configuration 2 partition 1 is empty but for its limits and template nodes.
class Documents : public ::testing::Test {
  protected:
    Documents() {
        const std::vector<std::pair<test::TypeRef, std::optional<int>>> limits = {
            {"STYLE", 4}, {"MSG", 99}, {"SMSG", 99}, {"CMD", 5}, {"TIME", 9}, {"XFER", 20}};
        PartitionBuilder(database, 1, 1)
            .typeNames(test::kStandardTypeNames)
            .typeNames(test::kSpecialTypeNames)
            .xferMayPointAt(test::rule_set::kHold, {"MSG", "CMD", "NOOP", "PMSG"})
            .xferMayPointAt(test::rule_set::kMOH, {"MSG", "NOOP", "BEEP"})
            .xferMayPointAt(test::rule_set::kBusy, {"MSG", "CMD", "XFER", "SMSG", "NOOP"})
            .xferMayPointAt(test::rule_set::kNoAnswer, {"MSG", "XFER"})
            .xferMayPointAt(test::rule_set::kAnswer, {"MSG", "BEEP", "TIME"})
            .limits(limits)
            .templates()
            .node("STYLE", 1, "Blind")
            .node("STYLE", 2, "Supervised")
            .node("STYLE", 4, "Last of the list")
            .node("MSG", 1, "Welcome")
            .node("MSG", 4, "Busy")
            .node("MSG", 12, "Hold music")
            .node("CMD", 2, "Hang up")
            .node("TIME", 3, "Office hours")
            .xfer({.number = 1,
                   .style = 1,
                   .dial = "9,2001",
                   .label = "Reception",
                   .targets = {{{"NOOP", 1},
                                {"BEEP", 1},
                                {"MSG", 4},
                                {"CMD", 2},
                                {"XFER", 2},
                                {"BEEP", 1}}}})
            .xfer({.number = 2,
                   .style = 2,
                   .dial = "AUTO",
                   .label = "O'Brien's desk",
                   .targets = {{{"PMSG", 12},
                                {"NOOP", 1},
                                {"SMSG", 1},
                                {"XFER", 1},
                                {"MSG", 1},
                                {"TIME", 3}}}})
            .xfer(
                {.number = 3,
                 .style = 1,
                 .dial = "",
                 .label = "Zürich 中文 ☎ l'accueil",
                 .targets = {
                     {{"CMD", 2}, {"MSG", 12}, {"MSG", 1}, {"MSG", 4}, {"MSG", 12}, {"MSG", 1}}}});
        PartitionBuilder(database, 2, 1).limits(limits).templates();
    }

    data::DataBase& db() {
        if (!db_) {
            services_ = std::make_unique<platform::PlatformServices>(database.machine());
            db_ = std::make_unique<data::DataBase>(services_->view());
        }
        return *db_;
    }
    std::string exported(int config, int partition) {
        return DocumentText(ExportPartition(db(), static_cast<std::int16_t>(config),
                                            static_cast<std::int16_t>(partition)));
    }
    ImportReport import(const std::string& text, int config, ImportOptions options = {}) {
        return ImportPartition(db(), static_cast<std::int16_t>(config), 1, ReadDocument(text),
                               options);
    }
    Rows contents() {
        Rows all;
        for (const char* table : {"Node_General_Pool", "Node_XFER", "Node_MSG", "Node_STYLE"}) {
            for (auto& row :
                 database.rows(std::string("SELECT * FROM ") + table + " ORDER BY 1, 2, 3, 4"))
                all.push_back(std::move(row));
        }
        return all;
    }

    test::TempDatabase database;

  private:
    std::unique_ptr<platform::PlatformServices> services_;
    std::unique_ptr<data::DataBase> db_;
};

// A target as the export document writes it, its type identifier left for the catalogue to give.
std::string Target(const std::string& type, const std::string& number) {
    return "\"type\": \"" + type + "\",\n          \"number\": " + number +
           ",\n          \"typeId\": null";
}
const std::string kSmsg1 =
    "\"type\": \"SMSG\",\n          \"number\": 1,\n          \"typeId\": 818";

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

TEST_F(Documents, RoundTripIntoAnotherConfigurationGivesTheSameBytesButTheSource) {
    const std::string first = exported(1, 1);
    EXPECT_EQ(first, exported(1, 1));
    EXPECT_NE(first.find("\"label\": \"Zürich 中文 ☎ l'accueil\""), std::string::npos);
    EXPECT_NE(
        first.find("\"type\": \"PMSG\",\n          \"number\": 12,\n          \"typeId\": 817"),
        std::string::npos);

    const ImportReport report = import(first, 2, {.createMissing = true});
    ASSERT_TRUE(report.accepted()) << report.refused.front().reason;
    EXPECT_TRUE(report.written);
    EXPECT_EQ(report.changes.size(), 3u);

    const std::string second = exported(2, 1);
    EXPECT_EQ(Replaced(first, "\"config\": 1,", "\"config\": 2,"), second);
    // Nothing left to change: a second import writes nothing.
    EXPECT_TRUE(import(second, 2).changes.empty());
}

TEST_F(Documents, CreateMissingCreatesExactlyTheMissingReferencedNodes) {
    const Rows before = database.rows(
        "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE ConfigID = 2 ORDER BY 1, 2");
    const ImportReport report = import(exported(1, 1), 2, {.createMissing = true});
    ASSERT_TRUE(report.accepted());
    // In the order saving would offer them, each once; BEEP, NOOP and the XFER nodes of the
    // document itself are not among them; PMSG 12 and SMSG 1 are MSG nodes.
    EXPECT_EQ(report.created, (std::vector<std::string>{"STYLE 1", "MSG 4", "CMD 2", "STYLE 2",
                                                        "MSG 12", "MSG 1", "TIME 3"}));
    Rows added = database.rows(
        "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE ConfigID = 2 AND "
        "NodeNumber > 0 ORDER BY 1, 2");
    EXPECT_EQ(added, (Rows{{"0", "1"},
                           {"0", "4"},
                           {"0", "12"},
                           {"1", "2"},
                           {"2", "3"},
                           {"4", "1"},
                           {"4", "2"},
                           {"4", "3"},
                           {"5", "1"},
                           {"5", "2"}}));
    EXPECT_EQ(before.size() + added.size(),
              database.rows("SELECT 1 FROM Node_General_Pool WHERE ConfigID = 2").size());
}

// Each refusal leaves the database as it was, the change to XFER 1's label and the new XFER 9
// included; the report names the node, the field and the reason.
TEST_F(Documents, EveryRefusalChangesNothing) {
    const std::string renumbered =
        Replaced(Replaced(exported(1, 1), "\"label\": \"Reception\"", "\"label\": \"Front desk\""),
                 "\"node\": 3,", "\"node\": 9,");
    // XFER 1 takes the last style of the list.
    const std::string base = Replaced(renumbered, "\"style\": 1,", "\"style\": 4,");
    struct Case {
        const char* what;
        std::string from, to;  // in XFER 2's part of the export document
        const char* field;
        const char* reason;
    };
    const std::vector<Case> cases = {
        {"double quote", "\"O'Brien's desk\"", R"("O\"Brien")", "label", "double quotes"},
        {"two single quotes", "\"O'Brien's desk\"", "\"O''Brien\"", "label", "double quotes"},
        {"31 characters", "\"O'Brien's desk\"", "\"" + std::string(31, 'x') + "\"", "label",
         "more than 30"},
        {"dial", "\"AUTO\"", "\"12-34\"", "dial", "not a number to dial"},
        {"dial AUTO repeated", "\"AUTO\"", "\"AUTOA\"", "dial", "not a number to dial"},
        {"style missing", "\"style\": 2", "\"style\": 3", "style", "STYLE 3 does not exist"},
        {"style beyond the list", "\"style\": 2", "\"style\": 5", "style", "not in the partition"},
        {"type not offered", kSmsg1, Target("TIME", "1"), "exceptions.busy1", "does not offer"},
        {"NOOP in Busy 1", kSmsg1, Target("NOOP", "1"), "exceptions.busy1",
         "command that Busy 1 does not take"},
        {"unknown type", kSmsg1, Target("FOO", "1"), "exceptions.busy1", "not a node type"},
        {"number over the maximum", "\"number\": 3,", "\"number\": 10,", "exceptions.answer",
         "1 to 9"},
        {"number 0", "\"number\": 3,", "\"number\": 0,", "exceptions.answer", "1 to 9"},
        {"command with a number", "\"NOOP\",\n          \"number\": 1",
         "\"NOOP\",\n          \"number\": 2", "exceptions.moh", "its number is 1"},
        {"identifier of another type", "\"typeId\": 818", "\"typeId\": 3", "exceptions.busy1",
         "document says 3"},
        {"missing target", "\"number\": 3,", "\"number\": 7,", "exceptions.answer",
         "TIME 7 does not exist"},
        {"node beyond XFER's limit", "\"node\": 2,", "\"node\": 21,", "node", "0 to 20"},
    };
    const Rows before = contents();
    const auto node2 = base.find("\"node\": 2,");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string text = base;
        const auto at = text.find(c.from, node2);
        ASSERT_NE(at, std::string::npos);
        text.replace(at, c.from.size(), c.to);
        const ImportReport report = import(text, 1, {.createMissing = false});
        ASSERT_EQ(report.refused.size(), 1u);
        EXPECT_EQ(report.refused[0].field, c.field);
        EXPECT_NE(report.refused[0].reason.find(c.reason), std::string::npos)
            << report.refused[0].reason;
        EXPECT_FALSE(report.written);
        EXPECT_EQ(contents(), before);
    }
    // The same document without a fault goes in whole.
    const ImportReport accepted = import(base, 1);
    ASSERT_TRUE(accepted.accepted()) << accepted.refused.front().reason;
    EXPECT_EQ(database.scalar("SELECT NodeDescription FROM Node_General_Pool WHERE ConfigID = 1 "
                              "AND NodeTypeID = 4 AND NodeNumber = 1"),
              "Front desk");
    EXPECT_EQ(accepted.leftAlone, (std::vector<std::int16_t>{3}));
}

TEST_F(Documents, DryRunTellsTheChangesAndWritesNothing) {
    const std::string text = Replaced(exported(1, 1), "\"dial\": \"AUTO\"", "\"dial\": \"4321\"");
    const Rows before = contents();
    const ImportReport report = import(text, 1, {.dryRun = true});
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(DifferenceText(report.changes, "A", "B"), "XFER 2: dial: \"AUTO\" -> \"4321\"\n");
}

TEST(DocumentReading, RefusesWhatIsNotADocumentSayingWhere) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"{\n  \"format\": \"xfer-partition\",\n  x\n}", "line 3, column 3"},
        {R"({"format": "xfer-partition", "version": 2, "config": 1, "partition": 1, "nodes": []})",
         "version 2 is not one this program reads"},
        {R"({"format": "other", "version": 1, "config": 1, "partition": 1, "nodes": []})",
         "format: expected \"xfer-partition\""},
        {R"({"format": "xfer-partition", "version": 1, "config": 1, "partition": 1, "nodes": [], "x": 1})",
         "unknown field \"x\""},
        {R"({"format": "xfer-partition", "version": 1, "config": 40000, "partition": 1, "nodes": []})",
         "config: 40000 is out of range"},
        {R"({"format": "xfer-partition", "version": 1, "config": 32768, "partition": 1, "nodes": []})",
         "config: 32768 is out of range"},
        {R"({"format": "xfer-partition", "version": 1, "config": 1, "partition": -32769, "nodes": []})",
         "partition: -32769 is out of range"},
        {R"({"format": "xfer-partition", "version": 1, "config": 1, "partition": 1, "nodes": [{}]})",
         "nodes[0]: the field \"node\" is missing"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ReadDocument(text);
            ADD_FAILURE() << "accepted " << text;
        } catch (const DocumentError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
    // The range's own ends are numbers a database can hold.
    const PartitionDocument edges = ReadDocument(
        R"({"format": "xfer-partition", "version": 1, "config": 32767, "partition": -32768, "nodes": []})");
    EXPECT_EQ(edges.config, 32767);
    EXPECT_EQ(edges.partition, -32768);
}

TEST(DocumentDiff, NamesNodesOnOneSideAndEachChangedField) {
    PartitionDocument a;
    a.nodes.resize(2);
    a.nodes[0].node = 1;
    a.nodes[1].node = 2;
    PartitionDocument b = a;
    b.config = 9;  // the source is not compared
    EXPECT_TRUE(DiffDocuments(a, b).empty());
    b.nodes[0].exceptions[4].number = 7;
    b.nodes[0].label = "New";
    b.nodes[1].node = 3;
    EXPECT_EQ(DifferenceText(DiffDocuments(a, b), "A", "B"),
              "XFER 1: label: \"\" -> \"New\"\n"
              "XFER 1: exceptions.noAnswer.number: null -> 7\n"
              "XFER 2: only in A\n"
              "XFER 3: only in B\n");
}

}  // namespace
}  // namespace xfer::partition
