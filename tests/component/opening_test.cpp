// Opening the editor as a host does, and reading the form inside the modal show.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

#include "runtime/error.h"

#include "business_rules/business_rules.h"
#include "component/harness.h"
#include "data/database.h"
#include "support/partition_builder.h"

namespace xfer::test {
namespace {

using editor::GUI;
using Rows = std::vector<std::vector<std::string>>;

// What the openings here rely on: the type names, the limits, three styles and the nodes the
// exceptions point at (MSG 5 exists without a label; MSG 2 does not exist).
PartitionBuilder Partition(Harness& h) {
    PartitionBuilder p(h.database, 1, 1);
    p.typeNames(kStandardTypeNames)
        .limits({{"MSG", 99}, {"XFER", 30}, {"STYLE", 3}, {"DTMF", 40}, {"MOH", 5}})
        .style(1, "Blind transfer")
        .style(2, "Partial supervision")
        .style(3, "Full supervision")
        .node("MSG", 1, "Welcome greeting")
        .node("MSG", 3, "All lines are busy")
        .node("MSG", 4, "Nobody answered")
        .node("MSG", 5, std::nullopt)
        .node("MOH", 1, "Strings")
        .node("DTMF", 1, "Main menu");
    return p;
}

struct Shown {
    std::string dial, style, styleLabel, label, position;
    Rows rows;
    std::vector<bool> navigation;  // first, previous, next, last
    bool pickersHidden = false, applyEnabled = true;
};

Shown Read(GUI& f) {
    Shown s{f.txtDial.Text(),
            f.cmbXStyle.Text(),
            f.txtXStyleDescription.Text(),
            f.txtDescription.Text(),
            f.lblRecordPosition.Caption(),
            {},
            {},
            true,
            f.cmdApply.Enabled()};
    for (long i = 1; i <= f.LVExceptions.ItemCount(); ++i)
        s.rows.push_back(Cells(f.LVExceptions.Item(i)));
    s.navigation = {f.cmdFirst.Enabled(), f.cmdPrevious.Enabled(), f.cmdNext.Enabled(),
                    f.cmdLast.Enabled()};
    for (const auto& e : editor::kExceptions) {
        s.pickersHidden =
            s.pickersHidden && !f.nodePicker(e.id).Visible() && !f.numberPicker(e.id).Visible();
    }
    return s;
}

TEST(OpeningTest, ShowsEachNodeAsStored) {
    Harness h;
    Partition(h)
        .xfer({.number = 1,
               .style = 2,
               .dial = "2001",
               .label = "Reception",
               .targets =
                   {{{"NOOP", 1}, {"MOH", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}}})
        // Type texts as stored, whatever their case; a target without a label.
        .xfer({.number = 2,
               .style = 3,
               .dial = "2002",
               .label = "Sales desk",
               .targets =
                   {{{"noop", 1}, {"beep", 1}, {"msg", 3}, {"Msg", 5}, {"DTMF", 1}, {"Beep", 1}}}})
        // NOOP only where the exception knows it as a command; MSG 2 does not exist.
        .xfer({.number = 30,
               .style = 1,
               .dial = "2030",
               .label = "Last line",
               .targets = {
                   {{"MSG", 1}, {"NOOP", 1}, {"MSG", 2}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}}}});
    const struct {
        std::int16_t node;
        Shown expected;
    } cases[] = {
        {1,
         {"2001",
          "STYLE 2",
          "Partial supervision",
          "Reception",
          "1 of 3",
          {{"1a", "1", "Hold", "NOOP", "", "NOOP", "814", "1"},
           {"2a", "2", "MOH", "MOH 1", "Strings", "MOH", "11", "1"},
           {"3a", "3", "Busy 1", "MSG 3", "All lines are busy", "MSG", "0", "3"},
           {"4a", "4", "Busy 2", "MSG 3", "All lines are busy", "MSG", "0", "3"},
           {"5a", "5", "No Answer", "MSG 4", "Nobody answered", "MSG", "0", "4"},
           {"6a", "6", "Answer", "BEEP", "", "BEEP", "815", "1"}},
          {false, false, true, true}}},
        {2,
         {"2002",
          "STYLE 3",
          "Full supervision",
          "Sales desk",
          "2 of 3",
          {{"1a", "1", "Hold", "noop", "", "noop", "814", "1"},
           {"2a", "2", "MOH", "beep", "", "beep", "815", "1"},
           {"3a", "3", "Busy 1", "msg 3", "All lines are busy", "msg", "0", "3"},
           {"4a", "4", "Busy 2", "Msg 5", "", "Msg", "0", "5"},
           {"5a", "5", "No Answer", "DTMF 1", "Main menu", "DTMF", "6", "1"},
           {"6a", "6", "Answer", "Beep", "", "Beep", "815", "1"}},
          {true, true, true, true}}},
        {30,
         {"2030",
          "STYLE 1",
          "Blind transfer",
          "Last line",
          "3 of 3",
          {{"1a", "1", "Hold", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"2a", "2", "MOH", "NOOP", "", "NOOP", "814", "1"},
           {"3a", "3", "Busy 1", "MSG 2", "", "MSG", "0", "2"},
           {"4a", "4", "Busy 2", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"5a", "5", "No Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"6a", "6", "Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"}},
          {true, true, false, false}}},
    };
    for (const auto& c : cases) {
        Shown shown;
        EXPECT_FALSE(h.open(1, 1, c.node, [&](GUI& f, editor::UserActions&) { shown = Read(f); }));
        const Shown& e = c.expected;
        EXPECT_EQ(shown.dial, e.dial) << c.node;
        EXPECT_EQ(shown.style, e.style) << c.node;
        EXPECT_EQ(shown.styleLabel, e.styleLabel) << c.node;
        EXPECT_EQ(shown.label, e.label) << c.node;
        EXPECT_EQ(shown.position, e.position) << c.node;
        EXPECT_EQ(shown.rows, e.rows) << c.node;
        EXPECT_EQ(shown.navigation, e.navigation) << c.node;
        EXPECT_TRUE(shown.pickersHidden) << c.node;
        EXPECT_FALSE(shown.applyEnabled) << c.node;
    }
    EXPECT_EQ(h.windows->shownCount(), 3);
    EXPECT_TRUE(h.boxes->shown().empty()) << h.boxTexts()[0];
    EXPECT_FALSE(h.form().isLoaded());
    EXPECT_EQ(h.mouse->current(), platform::Pointer::Default);
}

TEST(OpeningTest, NullFieldsGiveEmptyBoxesAndABadDialIsReplacedAtOnce) {
    Harness h;
    Partition(h)
        .xfer({.number = 3, .dial = std::nullopt, .label = std::nullopt})
        .xfer({.number = 13, .dial = "12-34", .label = "Warehouse"});
    std::vector<std::string> seen;
    h.open(1, 1, 3, [&](GUI& f, auto&) { seen = {f.txtDial.Text(), f.txtDescription.Text()}; });
    EXPECT_EQ(seen, (std::vector<std::string>{"", ""}));
    h.open(1, 1, 13, [&](GUI& f, auto&) { seen = {f.txtDial.Text(), f.txtDescription.Text()}; });
    EXPECT_EQ(seen, (std::vector<std::string>{"", "Warehouse"}));
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
        {"no such node",
         [](Harness& h) { Partition(h).xfer({.number = 1}).xfer({.number = 8}); },
         {"XFER 7 doesn't exist."}},
        {"a target type the catalogue does not know",
         [](Harness& h) {
             Partition(h).xfer({.number = 7,
                                .targets = {{{"NOOP", 1},
                                             {"NOOP", 1},
                                             {"MSG", 1},
                                             {"FOO", 1},
                                             {"MSG", 1},
                                             {"BEEP", 1}}}});
         },
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid procedure call or argument"}},
        {"a style beyond the style list (3 styles)",
         [](Harness& h) { Partition(h).xfer({.number = 7, .style = 4}); },
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
    const std::vector<std::string> procedures = {"LoadNodeNameAndNodeTypeID",
                                                 "LoadXStyle",
                                                 "LoadHoldNode",
                                                 "LoadMOHNode",
                                                 "LoadBusy1Busy2Node",
                                                 "LoadNoAnswerNode",
                                                 "LoadAnswerNode",
                                                 "LoadExistingNodesInRecordSelector"};
    const auto texts = h.boxTexts();
    ASSERT_EQ(texts.size(), procedures.size() + 1);
    for (std::size_t i = 0; i < procedures.size(); ++i) {
        EXPECT_TRUE(texts[i].starts_with("Source: " + ProviderSource() + " - " + procedures[i] +
                                         " \r\nDescription: "))
            << texts[i];
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
        .limits({{"MSG", 99},
                 {"CMD", 50},
                 {"TIME", 20},
                 {"DATE", 20},
                 {"XFER", 30},
                 {"STYLE", 8},
                 {"DTMF", 40},
                 {"VOX", 10},
                 {"LIST", 0},
                 {"AUTO", 25},
                 {"FAX", 5},
                 {"MOH", 5},
                 {"PAAS", 4},
                 {"DBN", 3}})
        .xfer({.number = 1});
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

    std::map<std::string, std::string> limits;
    std::vector<V> pickers, notAvailable;
    h.open(1, 1, 1, [&](GUI& f, auto&) {
        for (const char* id : {"0", "8", "13", "814", "815", "816", "817", "818", "999"}) {
            const auto& v = f.MaxNodeNumberCollection().Item(id);
            limits[id] = (v.isText() ? "text " : "number ") + v.toText();
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
    EXPECT_EQ(limits, (std::map<std::string, std::string>{{"0", "number 99"},
                                                          {"8", "number 0"},
                                                          {"13", "text 0"},
                                                          {"814", "text 0"},
                                                          {"815", "text 0"},
                                                          {"816", "text 999"},
                                                          {"817", "text 99"},
                                                          {"818", "text 99"},
                                                          {"999", "text 0"}}));
    EXPECT_EQ(pickers, (std::vector<V>{sets[0].offered, sets[1].offered, sets[2].offered,
                                       sets[2].offered, sets[3].offered, sets[4].offered}));
    for (const auto& names : notAvailable)
        EXPECT_EQ(names, V{"LIST"});
}

TEST(OpeningTest, TheTemplateNodeOpensAloneWithTheNavigationRowTakenAway) {
    Harness h;
    Partition(h).xfer({.number = 0}).xfer({.number = 1}).xfer({.number = 2});
    std::map<std::string, int> tops;
    std::vector<std::string> selector;
    int height = 0;
    bool navigationVisible = true;
    h.open(1, 1, 0, [&](GUI& f, auto&) {
        for (auto* c : std::initializer_list<editor::Control*>{
                 &f.lblLabel, &f.txtDescription, &f.lblDial, &f.txtDial, &f.lblXStyle, &f.cmbXStyle,
                 &f.txtXStyleDescription, &f.fraExceptions, &f.cmdOK, &f.cmdApply}) {
            tops[c->Name()] = c->Top();
        }
        for (long i = 0; i < f.cmbNode.ListCount(); ++i)
            selector.push_back(f.cmbNode.List(i));
        height = f.ClientHeight();
        navigationVisible = f.cmdFirst.Visible() || f.cmdPrevious.Visible() ||
                            f.cmbNode.Visible() || f.lblRecordPosition.Visible() ||
                            f.cmdNext.Visible() || f.cmdLast.Visible();
    });
    EXPECT_EQ(selector, std::vector<std::string>{"XFER 0"});
    EXPECT_FALSE(navigationVisible);
    EXPECT_EQ(tops, (std::map<std::string, int>{{"lblLabel", 90},
                                                {"txtDescription", 90},
                                                {"lblDial", 540},
                                                {"txtDial", 540},
                                                {"lblXStyle", 990},
                                                {"cmbXStyle", 990},
                                                {"txtXStyleDescription", 990},
                                                {"fraExceptions", 1470},
                                                {"cmdOK", 4410},
                                                {"cmdApply", 4410}}));
    EXPECT_EQ(height, GUI::kClientHeight - 480);
    // Unloading puts the designed form back for the next opening.
    EXPECT_EQ(h.form().lblLabel.Top(), 570);
    EXPECT_TRUE(h.form().cmbNode.Visible());
    EXPECT_EQ(h.form().ClientHeight(), GUI::kClientHeight);
}

TEST(OpeningTest, OneHostObjectServesSeveralOpeningsWithFreshCollections) {
    Harness h;
    Partition(h)
        .limits({{"LIST", 0}})
        .xferMayPointAt(rule_set::kHold, {"MSG", "LIST", "NOOP"})
        .xfer({.number = 1})
        .xfer({.number = 2});
    business_rules::Business_Rules host(h.component());
    const data::DataBase* database = &host.DataBase();
    std::vector<long> counts;
    h.windows->setSession([&](GUI& f, auto&) {
        counts.push_back(f.NotAvailableHoldNode().Count());
        counts.push_back(f.cmbHoldNode.ListCount());
    });
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 1));
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 2));
    EXPECT_EQ(counts, (std::vector<long>{1, 2, 1, 2}));  // LIST; MSG and NOOP
    EXPECT_EQ(&host.DataBase(), database);
    EXPECT_EQ(h.windows->shownCount(), 2);
    EXPECT_THROW(h.form().NodeNameCollection(), runtime::Error);  // released after each call
}

}  // namespace
}  // namespace xfer::test
