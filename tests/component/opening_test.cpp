// Opening the editor as a host does, and reading the form inside the modal show.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "runtime/error.h"

#include "business_rules/business_rules.h"
#include "component/harness.h"
#include "data/database.h"
#include "support/partition_builder.h"

namespace xfer::test {
namespace {

using editor::GUI;
using Rows = std::vector<std::vector<std::string>>;

// Each node's boxes, rows and navigation as stored; OK with nothing changed closes at once and
// writes nothing, though the loader replaced a dial it cannot take.
TEST(OpeningTest, ShowsEachNodeAsStored) {
    Harness h;
    StandardPartition(h);
    using V = std::vector<std::string>;
    const struct {
        std::int16_t node;
        V boxes;                       // dial, style, its label, label, position
        Rows rows;                     // compared when given
        std::vector<bool> navigation;  // first, previous, next, last
    } cases[] = {
        {1,
         {"2001", "STYLE 2", "Partial supervision", "Reception", "1 of 7"},
         {{"1a", "1", "Hold", "NOOP", "", "NOOP", "814", "1"},
          {"2a", "2", "MOH", "MOH 1", "Strings", "MOH", "11", "1"},
          {"3a", "3", "Busy 1", "MSG 3", "All lines are busy", "MSG", "0", "3"},
          {"4a", "4", "Busy 2", "MSG 3", "All lines are busy", "MSG", "0", "3"},
          {"5a", "5", "No Answer", "MSG 4", "Nobody answered", "MSG", "0", "4"},
          {"6a", "6", "Answer", "BEEP", "", "BEEP", "815", "1"}},
         {false, false, true, true}},
        {2,
         {"2002", "STYLE 3", "Full supervision", "Sales desk", "2 of 7"},
         {{"1a", "1", "Hold", "noop", "", "noop", "814", "1"},
          {"2a", "2", "MOH", "beep", "", "beep", "815", "1"},
          {"3a", "3", "Busy 1", "msg 3", "All lines are busy", "msg", "0", "3"},
          {"4a", "4", "Busy 2", "Msg 5", "", "Msg", "0", "5"},
          {"5a", "5", "No Answer", "DTMF 1", "Main menu", "DTMF", "6", "1"},
          {"6a", "6", "Answer", "Beep", "", "Beep", "815", "1"}},
         {true, true, true, true}},
        {3, {"", "STYLE 1", "Blind transfer", "", "3 of 7"}, {}, {true, true, true, true}},
        {13,
         {"", "STYLE 1", "Blind transfer", "Warehouse", "5 of 7"},
         {},
         {true, true, true, true}},
        {30,
         {"2030", "STYLE 1", "Blind transfer", "Last line", "7 of 7"},
         {{"1a", "1", "Hold", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
          {"2a", "2", "MOH", "NOOP", "", "NOOP", "814", "1"},
          {"3a", "3", "Busy 1", "MSG 12", "", "MSG", "0", "12"},
          {"4a", "4", "Busy 2", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
          {"5a", "5", "No Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
          {"6a", "6", "Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"}},
         {true, true, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_FALSE(h.open(1, 1, c.node, [&](GUI& f, editor::UserActions& user) {
            EXPECT_EQ((V{f.txtDial.Text(), f.cmbXStyle.Text(), f.txtXStyleDescription.Text(),
                         f.txtDescription.Text(), f.lblRecordPosition.Caption()}),
                      c.boxes);
            Rows rows;
            for (long i = 1; i <= f.LVExceptions.ItemCount(); ++i)
                rows.push_back(Cells(f.LVExceptions.Item(i)));
            if (!c.rows.empty()) {
                EXPECT_EQ(rows, c.rows);
            }
            EXPECT_EQ((std::vector<bool>{f.cmdFirst.Enabled(), f.cmdPrevious.Enabled(),
                                         f.cmdNext.Enabled(), f.cmdLast.Enabled()}),
                      c.navigation);
            for (const auto& e : editor::kExceptions)
                EXPECT_FALSE(f.nodePicker(e.id).Visible() || f.numberPicker(e.id).Visible());
            EXPECT_FALSE(f.cmdApply.Enabled());
            EXPECT_TRUE(user.click(f.cmdOK));
            EXPECT_FALSE(f.isLoaded());
        }));
    }
    EXPECT_EQ(h.windows->shownCount(), 5);
    EXPECT_TRUE(h.boxes->shown().empty()) << h.boxTexts()[0];
    EXPECT_TRUE(h.prompts().empty());
    EXPECT_EQ(h.database.scalar("SELECT Dial FROM Node_XFER WHERE NodeNumber=13"), "12-34");
    EXPECT_FALSE(h.form().isLoaded());
    EXPECT_EQ(h.mouse->current(), platform::Pointer::Default);
}

TEST(OpeningTest, NodesThatCannotOpenSayWhyAndShowNoForm) {
    const struct {
        const char* name;
        std::function<void(Harness&)> build;
        std::vector<std::string> messages;
    } cases[] = {
        {"no STYLE limit",
         [](Harness& h) {
             PartitionBuilder(h.database, 1, 1)
                 .typeNames(kStandardTypeNames)
                 .limits({{"MSG", 99}, {"XFER", 30}})
                 .xfer({.number = 1});
         },
         {"Please check the \"Max Number of each Node\" Section for STYLE Node in Partition "
          "Settings."}},
        {"no such node", [](Harness& h) { StandardPartition(h); }, {"XFER 7 doesn't exist."}},
        {"a target type the catalogue does not know",
         [](Harness& h) {
             StandardPartition(h).xfer({.number = 7});
             h.database.exec("UPDATE Node_XFER SET Busy2NodeType = 'FOO' WHERE NodeNumber = 7");
         },
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid procedure call or argument"}},
        {"a style beyond the style list (8 styles)",
         [](Harness& h) { StandardPartition(h).xfer({.number = 7, .style = 9}); },
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid property value"}},
    };
    for (const auto& c : cases) {
        Harness h;
        c.build(h);
        EXPECT_FALSE(h.open(1, 1, 7));
        EXPECT_EQ(h.boxTexts(), c.messages) << c.name;
        EXPECT_EQ(h.windows->shownCount(), 0);
        EXPECT_FALSE(h.form().isLoaded());
        EXPECT_EQ(h.mouse->current(), platform::Pointer::Default);
        const auto& box = h.boxes->shown().front();
        EXPECT_EQ(box.title, c.messages[0].starts_with("Source") ? "Error" : "Information");
        if (std::string(c.name) == "no STYLE limit") {
            // An empty style list stops before any command: the pointer never turned busy.
            EXPECT_TRUE(h.mouse->history().empty());
        }
    }
}

TEST(OpeningTest, AMissingDatabaseFileGivesOneMessagePerLoaderThenTheStyleMessage) {
    Harness h;
    std::filesystem::remove(h.database.path());
    EXPECT_FALSE(h.open(1, 1, 1));
    const auto texts = h.boxTexts();
    ASSERT_EQ(texts.size(), 9u);
    std::size_t i = 0;
    for (const char* procedure : {"LoadNodeNameAndNodeTypeID", "LoadXStyle", "LoadHoldNode",
                                  "LoadMOHNode", "LoadBusy1Busy2Node", "LoadNoAnswerNode",
                                  "LoadAnswerNode", "LoadExistingNodesInRecordSelector"}) {
        EXPECT_TRUE(texts[i].starts_with("Source: " + ProviderSource() + " - " + procedure +
                                         " \r\nDescription: "))
            << texts[i];
        ++i;
    }
    EXPECT_TRUE(texts.back().starts_with("Please check the \"Max Number of each Node\""));
    EXPECT_EQ(h.windows->shownCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(h.database.path()));
}

TEST(OpeningTest, CollectionsHoldTheCatalogueLimitsAndTheTypesEachExceptionMayUse) {
    Harness h;
    PartitionBuilder p(h.database, 1, 1);
    p.typeNames(kStandardTypeNames)
        .typeNames({{10, "FAX"}})
        .typeNames(kSpecialTypeNames)
        // TABLE, 816-818, NOOP, BEEP and 999 have no limit row; LIST has the limit 0.
        .limits({{"MSG", 99}, {"LIST", 0}})
        .xfer({.number = 1});
    for (const char* type : {"CMD", "TIME", "DATE", "XFER", "STYLE", "DTMF", "VOX", "AUTO", "FAX",
                             "MOH", "PAAS", "DBN"})
        p.limits({{type, 5}});
    using V = std::vector<std::string>;
    // What each rule set lists, and what the exception's type picker offers: types with a
    // limit above 0, and for Hold, MOH and Answer also types without a limit row.
    const struct {
        int ruleSet;
        std::vector<TypeRef> listed;
        V offered;
    } sets[] = {
        {rule_set::kHold,
         {"MSG", "CMD", "XFER", "DTMF", "LIST", "TABLE", "NOOP", "PMSG"},
         {"MSG=0", "CMD=1", "XFER=4", "DTMF=6", "TABLE=13", "NOOP=814", "PMSG=817"}},
        {rule_set::kMOH,
         {"MSG", "LIST", "MOH", "TABLE", "NOOP", "BEEP"},
         {"MSG=0", "MOH=11", "TABLE=13", "NOOP=814", "BEEP=815"}},
        {rule_set::kBusy,
         {"MSG", "CMD", "TIME", "XFER", "DTMF", "VOX", "LIST", "AUTO", "FAX", "TABLE", "DBN",
          "GOTO", "PMSG"},
         {"MSG=0", "CMD=1", "TIME=2", "XFER=4", "DTMF=6", "VOX=7", "AUTO=9", "FAX=10", "DBN=15"}},
        {rule_set::kNoAnswer,
         {"MSG", "CMD", "DATE", "XFER", "DTMF", "LIST", "AUTO", "PAAS", "TABLE", "GOTO", "SMSG"},
         {"MSG=0", "CMD=1", "DATE=3", "XFER=4", "DTMF=6", "AUTO=9", "PAAS=12"}},
        {rule_set::kAnswer,
         {"MSG", "CMD", "XFER", "LIST", "TABLE", "BEEP", "HANGUP"},
         {"MSG=0", "CMD=1", "XFER=4", "TABLE=13", "BEEP=815", "HANGUP=999"}},
    };
    for (const auto& s : sets)
        p.xferMayPointAt(s.ruleSet, s.listed);
    // Other rule sets and other parent types must not reach the pickers.
    h.database.exec(
        "INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, "
        "Child_Node_Type_ID) VALUES (4, 2, 5), (4, 4, 12), (6, 1, 0), (6, 1, 4), (9, 7, 815)");

    std::string limits;
    std::vector<V> pickers, notAvailable;
    h.open(1, 1, 1, [&](GUI& f, auto&) {
        for (const char* id : {"0", "8", "13", "814", "815", "816", "817", "818", "999"}) {
            const auto& v = f.MaxNodeNumberCollection().Item(id);
            limits += std::string(id) + (v.isText() ? " text " : " number ") + v.toText() + "; ";
        }
        EXPECT_EQ(f.NodeTypeIDCollection().Item("xfer").toText(), "4");
        for (const auto& e : editor::kExceptions) {
            V entries;
            auto& picker = f.nodePicker(e.id);
            for (long i = 0; i < picker.ListCount(); ++i) {
                entries.push_back(picker.List(i) + "=" + std::to_string(picker.ItemData(i)));
            }
            pickers.push_back(entries);
            V names;
            auto& c = f.notAvailableFor(e.id);
            for (long i = 1; i <= c.Count(); ++i)
                names.push_back(c.Item(i).toText());
            notAvailable.push_back(names);
        }
    });
    // Stored limits are numbers; types without a row get text: 816 999, 817 and 818 the MSG
    // limit, the others 0.
    EXPECT_EQ(limits,
              "0 number 99; 8 number 0; 13 text 0; 814 text 0; 815 text 0; 816 text 999; 817 text "
              "99; 818 text 99; 999 text 0; ");
    EXPECT_EQ(pickers, (std::vector<V>{sets[0].offered, sets[1].offered, sets[2].offered,
                                       sets[2].offered, sets[3].offered, sets[4].offered}));
    for (const auto& names : notAvailable)
        EXPECT_EQ(names, V{"LIST"});
}

TEST(OpeningTest, TheTemplateNodeOpensAloneWithTheNavigationRowTakenAway) {
    Harness h;
    StandardPartition(h).xfer({.number = 0});
    // The tops of what moves up into the navigation row's place.
    const auto tops = [](GUI& f) {
        std::vector<int> tops;
        for (editor::Control* c : std::initializer_list<editor::Control*>{
                 &f.lblLabel, &f.txtDescription, &f.lblDial, &f.txtDial, &f.lblXStyle, &f.cmbXStyle,
                 &f.txtXStyleDescription, &f.fraExceptions, &f.cmdOK, &f.cmdCancel, &f.cmdApply,
                 &f.StatusBar1})
            tops.push_back(c->Top());
        return tops;
    };
    h.open(1, 1, 0, [&](GUI& f, auto&) {
        std::vector<std::string> selector;
        for (long i = 0; i < f.cmbNode.ListCount(); ++i)
            selector.push_back(f.cmbNode.List(i));
        EXPECT_EQ(selector, std::vector<std::string>{"XFER 0"});
        EXPECT_FALSE(f.cmdFirst.Visible() || f.cmdPrevious.Visible() || f.cmbNode.Visible() ||
                     f.lblRecordPosition.Visible() || f.cmdNext.Visible() || f.cmdLast.Visible());
        // The labels and the frame go up by the row's height; each box aligns with its label.
        EXPECT_EQ(tops(f), (std::vector<int>{90, 90, 540, 540, 990, 990, 990, 1470, 4410, 4410,
                                             4410, 5040}));
        EXPECT_EQ(f.ClientHeight(), GUI::kClientHeight - 480);
    });
    // Unloading puts the designed form back for the next opening.
    EXPECT_EQ(tops(h.form()), (std::vector<int>{570, 540, 1020, 990, 1470, 1440, 1440, 1950, 4890,
                                                4890, 4890, 5520}));
    EXPECT_TRUE(h.form().cmbNode.Visible());
    EXPECT_EQ(h.form().ClientHeight(), GUI::kClientHeight);
}

TEST(OpeningTest, OneHostObjectServesSeveralOpeningsWithFreshCollections) {
    Harness h;
    StandardPartition(h);
    business_rules::Business_Rules host(h.component());
    const data::DataBase* database = &host.DataBase();
    std::vector<long> counts;
    h.windows->setSession([&](GUI& f, auto&) {
        counts.push_back(f.NotAvailableHoldNode().Count());
        counts.push_back(f.cmbHoldNode.ListCount());
    });
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 1));
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 2));
    EXPECT_EQ(counts, (std::vector<long>{1, 4, 1, 4}));  // LIST; MSG, CMD, NOOP and BEEP
    EXPECT_EQ(&host.DataBase(), database);
    EXPECT_EQ(h.windows->shownCount(), 2);
    EXPECT_THROW(h.form().NodeNameCollection(), runtime::Error);  // released after each call
}

}  // namespace
}  // namespace xfer::test
