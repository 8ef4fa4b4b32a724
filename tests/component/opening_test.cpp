// Opening the editor as a host does, on the demo database, and reading the form inside the
// modal show.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "runtime/error.h"

#include "business_rules/business_rules.h"
#include "component/harness.h"
#include "data/database.h"

namespace xfer::test {
namespace {

using editor::GUI;
using Rows = std::vector<std::vector<std::string>>;

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
            s.pickersHidden && !f.NodePicker(e.id).Visible() && !f.NumberPicker(e.id).Visible();
    }
    return s;
}

struct OpenCase {
    std::int16_t node;
    Shown expected;
};

TEST(OpeningTest, ShowsEachNodeAsStored) {
    const OpenCase cases[] = {
        {1,
         {"2001",
          "STYLE 2",
          "Partial supervision",
          "Reception",
          "1 of 11",
          {{"1a", "1", "Hold", "NOOP", "", "NOOP", "814", "1"},
           {"2a", "2", "MOH", "MOH 1", "Light classical", "MOH", "11", "1"},
           {"3a", "3", "Busy 1", "MSG 3", "All lines are busy", "MSG", "0", "3"},
           {"4a", "4", "Busy 2", "MSG 3", "All lines are busy", "MSG", "0", "3"},
           {"5a", "5", "No Answer", "MSG 4", "Nobody answered", "MSG", "0", "4"},
           {"6a", "6", "Answer", "BEEP", "", "BEEP", "815", "1"}},
          {false, false, true, true},
          true,
          false}},
        // Type texts as stored, whatever their case; a target without a label.
        {2,
         {"2002",
          "STYLE 3",
          "Full supervision",
          "Sales desk",
          "2 of 11",
          {{"1a", "1", "Hold", "noop", "", "noop", "814", "1"},
           {"2a", "2", "MOH", "beep", "", "beep", "815", "1"},
           {"3a", "3", "Busy 1", "msg 3", "All lines are busy", "msg", "0", "3"},
           {"4a", "4", "Busy 2", "Msg 5", "", "Msg", "0", "5"},
           {"5a", "5", "No Answer", "DTMF 1", "Main menu", "DTMF", "6", "1"},
           {"6a", "6", "Answer", "Beep", "", "Beep", "815", "1"}},
          {true, true, true, true},
          true,
          false}},
        // The last entry of the selector.
        {30,
         {"2030",
          "STYLE 1",
          "Blind transfer",
          "Last line",
          "11 of 11",
          {{"1a", "1", "Hold", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"2a", "2", "MOH", "NOOP", "", "NOOP", "814", "1"},
           {"3a", "3", "Busy 1", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"4a", "4", "Busy 2", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"5a", "5", "No Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"},
           {"6a", "6", "Answer", "MSG 1", "Welcome greeting", "MSG", "0", "1"}},
          {true, true, false, false},
          true,
          false}},
    };
    Harness h;
    for (const auto& c : cases) {
        Shown shown;
        EXPECT_FALSE(h.Open(1, 1, c.node, [&](GUI& f, editor::UserActions&) { shown = Read(f); }));
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
    EXPECT_FALSE(h.form().IsLoaded());
    EXPECT_EQ(h.mouse->Current(), platform::Pointer::Default);
}

TEST(OpeningTest, NullFieldsGiveEmptyBoxesAndABadDialIsReplacedAtOnce) {
    Harness h;
    std::vector<std::string> seen;
    h.Open(1, 1, 3, [&](GUI& f, auto&) { seen = {f.txtDial.Text(), f.txtDescription.Text()}; });
    EXPECT_EQ(seen, (std::vector<std::string>{"", ""}));
    h.Open(1, 1, 13, [&](GUI& f, auto&) { seen = {f.txtDial.Text(), f.txtDescription.Text()}; });
    EXPECT_EQ(seen, (std::vector<std::string>{"", "Warehouse"}));
}

TEST(OpeningTest, NodesThatCannotOpenSayWhyAndShowNoForm) {
    struct Case {
        std::int16_t config, partition, node;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {2,
         1,
         1,
         {"Please check the \"Max Number of each Node\" Section for STYLE Node in Partition "
          "Settings."}},
        {1, 1, 7, {"XFER 7 doesn't exist."}},
        {1,
         2,
         2,
         {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid procedure call or argument"}},
        {1, 2, 4, {"Source: QRV_XFER_Node - LoadData \r\nDescription: Invalid property value"}},
    };
    for (const auto& c : cases) {
        Harness h;
        EXPECT_FALSE(h.Open(c.config, c.partition, c.node));
        EXPECT_EQ(h.boxTexts(), c.messages) << c.node;
        EXPECT_EQ(h.windows->shownCount(), 0);
        EXPECT_FALSE(h.form().IsLoaded());
        EXPECT_EQ(h.mouse->Current(), platform::Pointer::Default);
        const auto& box = h.boxes->shown().front();
        EXPECT_EQ(box.title, c.messages[0].starts_with("Source") ? "Error" : "Information");
    }
    // An empty style list stops before any command: the pointer never turned busy.
    Harness h;
    h.Open(2, 1, 1);
    EXPECT_TRUE(h.mouse->history().empty());
}

TEST(OpeningTest, AMissingDatabaseFileGivesOneMessagePerLoaderThenTheStyleMessage) {
    Harness h;
    std::filesystem::remove(h.database.path());
    EXPECT_FALSE(h.Open(1, 1, 1));
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
        EXPECT_TRUE(texts[i].starts_with("Source: Microsoft JET Database Engine - " +
                                         procedures[i] + " \r\nDescription: "))
            << texts[i];
    }
    EXPECT_TRUE(texts.back().starts_with("Please check the \"Max Number of each Node\""));
    EXPECT_EQ(h.windows->shownCount(), 0);
    EXPECT_FALSE(std::filesystem::exists(h.database.path()));
}

TEST(OpeningTest, CollectionsHoldTheCatalogueLimitsAndTheTypesNoExceptionMayUse) {
    Harness h;
    std::map<std::string, std::string> limits;
    std::vector<std::vector<std::string>> pickers, notAvailable;
    h.Open(1, 1, 1, [&](GUI& f, auto&) {
        for (const char* id : {"0", "8", "13", "814", "815", "816", "817", "818", "999"}) {
            const auto& v = f.MaxNodeNumberCollection().Item(id);
            limits[id] = (v.isText() ? "text " : "number ") + v.toText();
        }
        EXPECT_EQ(f.NodeTypeIDCollection().Item("xfer").toText(), "4");
        for (const auto& e : editor::kExceptions) {
            std::vector<std::string> entries;
            auto& p = f.NodePicker(e.id);
            for (long i = 0; i < p.ListCount(); ++i) {
                entries.push_back(p.List(i) + "=" + std::to_string(p.ItemData(i)));
            }
            pickers.push_back(entries);
            std::vector<std::string> names;
            auto& c = f.NotAvailableFor(e.id);
            for (long i = 1; i <= c.Count(); ++i)
                names.push_back(c.Item(i).toText());
            notAvailable.push_back(names);
        }
    });
    EXPECT_EQ(limits, (std::map<std::string, std::string>{{"0", "number 99"},
                                                          {"8", "number 0"},
                                                          {"13", "text 0"},
                                                          {"814", "text 0"},
                                                          {"815", "text 0"},
                                                          {"816", "text 999"},
                                                          {"817", "text 99"},
                                                          {"818", "text 99"},
                                                          {"999", "text 0"}}));
    using V = std::vector<std::string>;
    const V busy{"MSG=0", "CMD=1",  "TIME=2", "XFER=4", "DTMF=6",
                 "VOX=7", "AUTO=9", "FAX=10", "DBN=15"};
    EXPECT_EQ(
        pickers,
        (std::vector<V>{{"MSG=0", "CMD=1", "XFER=4", "DTMF=6", "TABLE=13", "NOOP=814", "PMSG=817"},
                        {"MSG=0", "MOH=11", "TABLE=13", "NOOP=814", "BEEP=815"},
                        busy,
                        busy,
                        {"MSG=0", "CMD=1", "DATE=3", "XFER=4", "DTMF=6", "AUTO=9", "PAAS=12"},
                        {"MSG=0", "CMD=1", "XFER=4", "TABLE=13", "BEEP=815", "HANGUP=999"}}));
    for (const auto& names : notAvailable)
        EXPECT_EQ(names, V{"LIST"});
}

TEST(OpeningTest, TheTemplateNodeOpensAloneWithTheNavigationRowTakenAway) {
    Harness h;
    std::map<std::string, int> tops;
    std::vector<std::string> selector;
    int height = 0;
    bool navigationVisible = true;
    h.Open(1, 1, 0, [&](GUI& f, auto&) {
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
    business_rules::Business_Rules host(h.component());
    const data::DataBase* database = &host.DataBase();
    std::vector<long> counts;
    h.windows->setSession([&](GUI& f, auto&) {
        counts.push_back(f.NotAvailableHoldNode().Count());
        counts.push_back(f.cmbHoldNode.ListCount());
    });
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 1));
    EXPECT_FALSE(host.ShowNodeEditor(1, 1, 2));
    EXPECT_EQ(counts, (std::vector<long>{1, 7, 1, 7}));
    EXPECT_EQ(&host.DataBase(), database);
    EXPECT_EQ(h.windows->shownCount(), 2);
    EXPECT_THROW(h.form().NodeNameCollection(), runtime::Error);  // released after each call
}

}  // namespace
}  // namespace xfer::test
