// Opening the editor as a host does, and reading the form inside the modal show.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "component/harness.h"
#include "support/partition_builder.h"

namespace xfer::test {
namespace {

using editor::GUI;
using Rows = std::vector<std::vector<std::string>>;

// Each node's boxes, rows and navigation as stored; OK with nothing changed closes at once and
// writes nothing, though the loader replaced a dial it cannot take. Row cells in full for XFER 2,
// whose types are stored in any case; the Command/Node cell and the target's label for others.
TEST(OpeningTest, ShowsEachNodeAsStored) {
    StandardHarness h;
    using V = std::vector<std::string>;
    const Rows node2 = {{"1a", "1", "Hold", "noop", "", "noop", "814", "1"},
                        {"2a", "2", "MOH", "beep", "", "beep", "815", "1"},
                        {"3a", "3", "Busy 1", "msg 3", "All lines are busy", "msg", "0", "3"},
                        {"4a", "4", "Busy 2", "Msg 5", "", "Msg", "0", "5"},
                        {"5a", "5", "No Answer", "DTMF 1", "Main menu", "DTMF", "6", "1"},
                        {"6a", "6", "Answer", "Beep", "", "Beep", "815", "1"}};
    const struct {
        std::int16_t node;
        V boxes;                       // dial, style, its label, label, position
        V targets;                     // compared when given
        std::vector<bool> navigation;  // first, previous, next, last
    } cases[] = {
        {1,
         {"2001", "STYLE 2", "Partial supervision", "Reception", "1 of 7"},
         {"NOOP/", "MOH 1/Strings", "MSG 3/All lines are busy", "MSG 3/All lines are busy",
          "MSG 4/Nobody answered", "BEEP/"},
         {false, false, true, true}},
        {2,
         {"2002", "STYLE 3", "Full supervision", "Sales desk", "2 of 7"},
         {},
         {true, true, true, true}},
        {3, {"", "STYLE 1", "Blind transfer", "", "3 of 7"}, {}, {true, true, true, true}},
        {13,
         {"", "STYLE 1", "Blind transfer", "Warehouse", "5 of 7"},
         {},
         {true, true, true, true}},
        {30,
         {"2030", "STYLE 1", "Blind transfer", "Last line", "7 of 7"},
         {"MSG 1/Welcome greeting", "NOOP/", "MSG 12/", "MSG 1/Welcome greeting",
          "MSG 1/Welcome greeting", "MSG 1/Welcome greeting"},
         {true, true, false, false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        EXPECT_FALSE(h.open(1, 1, c.node, [&](GUI& f, editor::UserActions& user) {
            EXPECT_EQ((V{f.txtDial.Text(), f.cmbXStyle.Text(), f.txtXStyleDescription.Text(),
                         f.txtDescription.Text(), f.lblRecordPosition.Caption()}),
                      c.boxes);
            Rows rows;
            V targets;
            for (long i = 1; i <= f.LVExceptions.ItemCount(); ++i) {
                rows.push_back(Cells(f.LVExceptions.Item(i)));
                targets.push_back(rows.back()[3] + "/" + rows.back()[4]);
            }
            if (c.node == 2) {
                EXPECT_EQ(rows, node2);
            } else if (!c.targets.empty()) {
                EXPECT_EQ(targets, c.targets);
            }
            EXPECT_EQ((std::vector<bool>{f.cmdFirst.Enabled(), f.cmdPrevious.Enabled(),
                                         f.cmdNext.Enabled(), f.cmdLast.Enabled()}),
                      c.navigation);
            for (const auto& e : editor::kExceptions)
                EXPECT_FALSE(f.nodePicker(e.id).Visible() || f.numberPicker(e.id).Visible());
            // Filled afresh at each opening: MSG, CMD, NOOP, BEEP and PMSG.
            EXPECT_EQ(f.cmbHoldNode.ListCount(), 5);
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
        std::function<void(StandardHarness&)> build;
        std::vector<std::string> messages;
    } cases[] = {
        {"no STYLE limit",
         [](StandardHarness& h) {
             h.database.exec("DELETE FROM Node_Type_Max WHERE NodeType_ID=5");
         },
         {"Please check the \"Max Number of each Node\" Section for STYLE Node in Partition "
          "Settings."}},
        {"no such node", [](StandardHarness&) {}, {"XFER 7 doesn't exist."}},
        {"a target type the catalogue does not know",
         [](StandardHarness& h) {
             PartitionBuilder(h.database, 1, 1).xfer({.number = 7});
             h.database.exec("UPDATE Node_XFER SET Busy2NodeType = 'FOO' WHERE NodeNumber = 7");
         },
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid procedure call or argument"}},
        {"a style beyond the style list (8 styles)",
         [](StandardHarness& h) {
             PartitionBuilder(h.database, 1, 1).xfer({.number = 7, .style = 9});
         },
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid property value"}},
    };
    for (const auto& c : cases) {
        StandardHarness h;
        c.build(h);
        EXPECT_FALSE(h.open(1, 1, 7));
        EXPECT_EQ(h.boxTexts(), c.messages) << c.name;
        EXPECT_EQ(h.windows->shownCount(), 0);
        EXPECT_FALSE(h.form().isLoaded());
        EXPECT_EQ(h.mouse->current(), platform::Pointer::Default);
        const auto& box = h.boxes->shown().front();
        EXPECT_EQ(box.title, c.messages[0].starts_with("Source") ? "Error" : "Information");
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

// What each exception's type picker offers from its rule set: types with a limit above 0, and
// for Hold, MOH and Answer also types without a limit row (PMSG, TABLE, HANGUP; not TABLE,
// GOTO or SMSG for Busy and No Answer). LIST, at the limit 0, is noted as not available.
TEST(OpeningTest, CollectionsHoldTheCatalogueLimitsAndTheTypesEachExceptionMayUse) {
    StandardHarness h;
    // Other rule sets and other parent types must not reach the pickers.
    h.database.exec(
        "INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, "
        "Child_Node_Type_ID) VALUES (4, 2, 5), (4, 4, 12), (6, 1, 2), (6, 3, 4), (9, 7, 7)");
    using V = std::vector<std::string>;
    std::string limits;
    std::vector<V> pickers;
    V notAvailable;
    h.open(1, 1, 1, [&](GUI& f, auto&) {
        for (const char* id : {"0", "8", "13", "816", "817"}) {
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
            for (long i = 1; i <= f.notAvailableFor(e.id).Count(); ++i)
                notAvailable.push_back(std::string(e.pickerName) + " " +
                                       f.notAvailableFor(e.id).Item(i).toText());
        }
    });
    // Stored limits are numbers; types without a row get text: GOTO 999, PMSG the MSG limit,
    // the others 0.
    EXPECT_EQ(limits, "0 number 99; 8 number 0; 13 text 0; 816 text 999; 817 text 99; ");
    const V busy{"MSG=0", "CMD=1", "TIME=2"};
    EXPECT_EQ(pickers, (std::vector<V>{{"MSG=0", "CMD=1", "NOOP=814", "BEEP=815", "PMSG=817"},
                                       {"MSG=0", "MOH=11", "TABLE=13", "NOOP=814", "BEEP=815"},
                                       busy,
                                       busy,
                                       {"MSG=0", "CMD=1"},
                                       {"MSG=0", "CMD=1", "BEEP=815", "HANGUP=999"}}));
    EXPECT_EQ(notAvailable, (V{"Hold LIST", "Answer LIST"}));
}

TEST(OpeningTest, TheTemplateNodeOpensAloneWithTheNavigationRowTakenAway) {
    Harness h;
    StandardPartition(h).xfer({.number = 0});
    // The tops of what moves up into the navigation row's place.
    const auto tops = [](GUI& f) {
        std::vector<int> tops;
        for (editor::Control* c : std::initializer_list<editor::Control*>{
                 &f.lblLabel, &f.txtDescription, &f.lblXStyle, &f.cmbXStyle, &f.fraExceptions,
                 &f.cmdOK, &f.StatusBar1})
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
        EXPECT_EQ(tops(f), (std::vector<int>{90, 90, 990, 990, 1470, 4410, 5040}));
        EXPECT_EQ(f.ClientHeight(), GUI::kClientHeight - 480);
    });
    // Unloading puts the designed form back for the next opening.
    EXPECT_EQ(tops(h.form()), (std::vector<int>{570, 540, 1470, 1440, 1950, 4890, 5520}));
    EXPECT_TRUE(h.form().cmbNode.Visible());
    EXPECT_EQ(h.form().ClientHeight(), GUI::kClientHeight);
}

}  // namespace
}  // namespace xfer::test
