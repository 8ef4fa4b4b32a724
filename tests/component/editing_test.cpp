// Editing the exception targets, the default targets and moving between nodes, as a user does.

#include <gtest/gtest.h>

#include "component/harness.h"
#include "support/partition_builder.h"

namespace xfer::test {
namespace {

using editor::Exception;
using editor::GUI;
using editor::UserActions;
using platform::answer::kCancel;
using platform::answer::kNo;
using platform::answer::kOK;
using platform::answer::kYes;

// The partition the edits here happen in. LIST has the limit 0 and TABLE no limit row; NOOP
// and BEEP have stored limits of 1. Every exception may point at MSG.
PartitionBuilder Partition(Harness& h) {
    PartitionBuilder p(h.database, 1, 1);
    p.typeNames(kStandardTypeNames)
        .limits({{"MSG", 99},
                 {"CMD", 50},
                 {"TIME", 20},
                 {"XFER", 30},
                 {"STYLE", 3},
                 {"MOH", 5},
                 {"LIST", 0},
                 {"NOOP", 1},
                 {"BEEP", 1}})
        .xferMayPointAt(rule_set::kHold, {"MSG", "CMD", "LIST", "NOOP", "BEEP"})
        .xferMayPointAt(rule_set::kMOH, {"MSG", "MOH", "TABLE", "NOOP", "BEEP"})
        .xferMayPointAt(rule_set::kBusy, {"MSG", "CMD", "TIME"})
        .xferMayPointAt(rule_set::kNoAnswer, {"MSG", "CMD"})
        .xferMayPointAt(rule_set::kAnswer, {"MSG", "CMD", "BEEP"})
        .style(1, "Blind transfer")
        .style(2, "Partial supervision")
        .style(3, "Full supervision")
        .node("MSG", 1, "Welcome greeting")
        .node("MSG", 2, "Please hold")
        .node("MSG", 3, "All lines are busy")
        .node("MSG", 4, "Nobody answered")
        .node("MOH", 1, "Strings")
        .node("CMD", 1, "Disconnect caller")
        .xfer({.number = 1,
               .style = 2,
               .dial = "2001",
               .label = "Reception",
               .targets =
                   {{{"NOOP", 1}, {"MOH", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}}})
        .xfer({.number = 2,
               .label = "Sales desk",
               .targets =
                   {{{"NOOP", 1}, {"BEEP", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}}})
        .xfer({.number = 3,
               .label = std::nullopt,
               .targets =
                   {{{"MSG", 2}, {"NOOP", 1}, {"MSG", 3}, {"CMD", 1}, {"MSG", 4}, {"MSG", 1}}}})
        .xfer({.number = 5, .label = "Support line"})
        // A type in lower case that the partition has no nodes of, and a type without a limit.
        .xfer({.number = 15,
               .label = "Overflow",
               .targets =
                   {{{"list", 2}, {"TABLE", 3}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}}})
        .xfer({.number = 30, .label = "Last line"});
    return p;
}

std::vector<std::string> Row(GUI& f, long row) {
    return Cells(f.LVExceptions.Item(row));
}
std::vector<std::string> Stored(Harness& h, int node, const std::string& exception) {
    return h.database.rows(
        "SELECT " + exception + "NodeType, " + exception +
        "NodeNumber FROM Node_XFER WHERE ConfigID=1 AND PartID=1 AND NodeNumber=" +
        std::to_string(node))[0];
}

TEST(EditingTest, PickersRewriteRowsAndOkSavesThem) {
    Harness h;
    Partition(h);
    h.answerConfirmations({platform::confirm::kSkip});
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        ASSERT_TRUE(user.click(f.cmdExceptionsEdit));
        ASSERT_TRUE(user.clickRow(f.LVExceptions, 3));
        ASSERT_TRUE(user.choose(f.cmbBusy1Node, std::string("MSG")));
        ASSERT_TRUE(user.type(f.cmbBusy1Number, "12", true));
        EXPECT_EQ(Row(f, 3),
                  (std::vector<std::string>{"3a", "3", "Busy 1", "MSG 12", "", "MSG", "0", "12"}));
        ASSERT_TRUE(user.clickRow(f.LVExceptions, 1));
        EXPECT_FALSE(f.cmbBusy1Node.Visible());
        ASSERT_TRUE(user.choose(f.cmbHoldNode, std::string("NOOP")));
        EXPECT_FALSE(f.cmbHoldNumber.Visible());
        EXPECT_EQ(f.cmbHoldNode.Width(), 1675);
        ASSERT_TRUE(user.click(f.cmdExceptionsEdit));
        EXPECT_EQ(f.cmdExceptionsEdit.Caption(), "Edit");
        ASSERT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_EQ(Stored(h, 1, "Busy1"), (std::vector<std::string>{"MSG", "12"}));
    EXPECT_EQ(Stored(h, 1, "Hold"), (std::vector<std::string>{"NOOP", "1"}));
    EXPECT_EQ(h.prompts().size(), 1u);
    EXPECT_TRUE(h.prompts()[0].starts_with("MSG 12 is referenced"));
}

TEST(EditingTest, TheRowClickLaysThePickersOverTheRowAndPresetsThem) {
    Harness h;
    Partition(h);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        user.clickRow(f.LVExceptions, 5);  // No Answer: MSG 4
        const auto& row = f.LVExceptions.Item(5);
        EXPECT_TRUE(f.cmbNoAnswerNode.Visible());
        EXPECT_EQ(f.focusedControl(), &f.cmbNoAnswerNode);
        EXPECT_EQ(f.cmbNoAnswerNode.Left(), f.LVExceptions.Left() + row.Left() + 1100);
        EXPECT_EQ(f.cmbNoAnswerNode.Top(), row.Top() + row.Height());
        EXPECT_EQ(f.cmbNoAnswerNumber.Left(), f.cmbNoAnswerNode.Left() + 975);
        EXPECT_EQ(f.cmbNoAnswerNode.Text(), "MSG");
        EXPECT_EQ(f.cmbNoAnswerNumber.Text(), "4");
        EXPECT_EQ(f.cmbNoAnswerNumber.ListCount(), 99);
        EXPECT_EQ(Row(f, 5)[4], "");  // the old target's label no longer applies
        for (const auto& e : editor::kExceptions) {
            if (e.id != Exception::NoAnswer) {
                EXPECT_FALSE(f.nodePicker(e.id).Visible());
            }
        }
        // Only the Hold picker takes the focus back on a mouse release.
        f.LVExceptions.MouseUp(1, 0, 0, 0);
        EXPECT_EQ(f.focusedControl(), &f.cmbNoAnswerNode);
        user.clickRow(f.LVExceptions, 1);
        EXPECT_EQ(f.focusedControl(), &f.cmbHoldNode);
    });
}

TEST(EditingTest, ATypeChangeKeepsTheNumberWhenTheTypeHasItElseNodeOne) {
    Harness h;
    Partition(h);
    std::vector<std::string> cells;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        user.clickRow(f.LVExceptions, 3);
        user.type(f.cmbBusy1Number, "12", true);
        user.choose(f.cmbBusy1Node, std::string("TIME"));  // 20 TIME nodes
        cells.push_back(Row(f, 3)[3] + "/" + Row(f, 3)[7]);
        user.choose(f.cmbBusy1Node, std::string("MSG"));
        user.type(f.cmbBusy1Number, "25", true);
        user.choose(f.cmbBusy1Node, std::string("TIME"));
        cells.push_back(Row(f, 3)[3] + "/" + Row(f, 3)[7] + "/" + Row(f, 3)[6]);
    });
    EXPECT_EQ(cells, (std::vector<std::string>{"TIME 12/12", "TIME 1/1/2"}));
}

TEST(EditingTest, NoNumberCommandsPerException) {
    Harness h;
    Partition(h);  // Hold may point at BEEP, where it is an ordinary numbered type
    std::vector<std::vector<std::string>> rows;
    std::vector<bool> numberShown;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        user.clickRow(f.LVExceptions, 1);
        user.choose(f.cmbHoldNode, std::string("BEEP"));
        rows.push_back(Row(f, 1));
        numberShown.push_back(f.cmbHoldNumber.Visible());
        user.clickRow(f.LVExceptions, 2);
        for (const char* command : {"NOOP", "BEEP"}) {
            user.choose(f.cmbMOHNode, std::string(command));
            rows.push_back(Row(f, 2));
            numberShown.push_back(f.cmbMOHNumber.Visible());
        }
        // The row click sets the hidden number picker's text; nothing reaches the row.
        f.cmbMOHNumber.setText("2");
        rows.push_back(Row(f, 2));
        h.boxes->Answer(kNo);
    });
    EXPECT_EQ(rows, (std::vector<std::vector<std::string>>{
                        {"1a", "1", "Hold", "BEEP 1", "", "BEEP", "815", "1"},
                        {"2a", "2", "MOH", "NOOP", "", "NOOP", "814", "1"},
                        {"2a", "2", "MOH", "BEEP", "", "BEEP", "815", "1"},
                        {"2a", "2", "MOH", "BEEP", "", "BEEP", "815", "1"}}));
    EXPECT_EQ(numberShown, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(h.boxTexts(), std::vector<std::string>{"Do you want to save changes?"});
}

TEST(EditingTest, ScrollingOrPressingTheHeaderTakesThePickersAwayInEditMode) {
    Harness h;
    Partition(h);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        for (int action = 0; action < 2; ++action) {
            user.clickRow(f.LVExceptions, 3);
            ASSERT_TRUE(f.cmbBusy1Node.Visible() && f.cmbBusy1Number.Visible());
            ASSERT_TRUE(action == 0 ? user.scroll(f.LVExceptions, 1)
                                    : user.pressHeader(f.LVExceptions, 2));
            EXPECT_FALSE(f.cmbBusy1Node.Visible() || f.cmbBusy1Number.Visible());
            EXPECT_EQ(f.cmdExceptionsEdit.Caption(), "Edit Off");
            EXPECT_TRUE(f.editModeFlag());
        }
    });
}

TEST(EditingTest, TypesThePartitionHasNoNodesOfAreReported) {
    Harness h;
    Partition(h);  // XFER 15 points Hold at list 2 and MOH at TABLE 3
    h.boxes->Answer(kOK);
    h.boxes->Answer(kOK);
    h.boxes->Answer(kOK);
    std::vector<std::string> hold;
    h.open(1, 1, 15, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        hold = Row(f, 1);
        EXPECT_FALSE(f.cmbHoldNode.Visible() || f.cmbHoldNumber.Visible());
        // MOH is TABLE 3: offered, but without a limit the partition has no TABLE node.
        user.clickRow(f.LVExceptions, 2);
        EXPECT_FALSE(f.cmbMOHNode.Visible() || f.cmbMOHNumber.Visible());
        h.boxes->Answer(kNo);
    });
    EXPECT_EQ(hold, (std::vector<std::string>{"1a", "1", "Hold", "list 2", "", "list", "8", "2"}));
    EXPECT_EQ(h.boxTexts(),
              (std::vector<std::string>{
                  "Please check the \"Max Number of each Node\" Section for list Node in Partition "
                  "Settings.",
                  "Source: QRV_XFER_Node - Combo_Change \r\nDescription: Type mismatch",
                  "Please check the \"Max Number of each Node\" Section for TABLE Node in "
                  "Partition Settings.",
                  "Do you want to save changes?"}));
}

TEST(EditingTest, EditPressedTwiceKeepsTargetsAndOnlyDropsTheSelectedRowsLabel) {
    Harness h;
    Partition(h);
    std::vector<std::vector<std::string>> before, after;
    h.open(1, 1, 3, [&](GUI& f, UserActions& user) {
        for (long r = 1; r <= 6; ++r)
            before.push_back(Row(f, r));
        user.click(f.cmdExceptionsEdit);
        EXPECT_FALSE(f.cmdExceptionsDefault.Enabled());
        user.click(f.cmdExceptionsEdit);
        for (long r = 1; r <= 6; ++r)
            after.push_back(Row(f, r));
        EXPECT_TRUE(f.cmdExceptionsDefault.Enabled());
        EXPECT_TRUE(f.cmdApply.Enabled());
        for (const auto& e : editor::kExceptions)
            EXPECT_FALSE(f.nodePicker(e.id).Visible());
        h.boxes->Answer(kNo);
    });
    before[0][4] = "";  // the first row was the selected one
    EXPECT_EQ(after, before);
}

TEST(EditingTest, AnUnknownRowKeyMeansAnswer) {
    Harness h;
    Partition(h);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        auto& extra = f.LVExceptions.AddItem("9z", "7");
        for (long i = 1; i <= 6; ++i)
            extra.setSubItems(i, f.LVExceptions.Item(6).SubItems(i));
        user.click(f.cmdExceptionsEdit);
        user.clickRow(f.LVExceptions, 7);
        EXPECT_TRUE(f.cmbAnswerNode.Visible());
        EXPECT_EQ(f.cmbAnswerNode.Text(), "BEEP");
        h.boxes->Answer(kNo);
    });
}

TEST(EditingTest, AFormClosedInEditModeNeedsTwoPressesToEditAgain) {
    Harness h;
    Partition(h);
    h.boxes->Answer(kNo);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) { user.click(f.cmdExceptionsEdit); });
    std::vector<std::string> captions;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        captions.push_back(f.cmdExceptionsEdit.Caption());
        user.click(f.cmdExceptionsEdit);
        captions.push_back(f.cmdExceptionsEdit.Caption());
        h.boxes->Answer(kNo);
    });
    EXPECT_EQ(captions, (std::vector<std::string>{"Edit", "Edit Off"}));
}

TEST(EditingTest, EachPickerHandlerReportsUnderItsOwnName) {
    for (const auto& e : editor::kExceptions) {
        Harness h;
        Partition(h);
        std::vector<std::string> row;
        const long index = static_cast<long>(e.id) + 1;
        h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.click(f.cmdExceptionsEdit);
            user.clickRow(f.LVExceptions, index);
            f.LVExceptions.Item(index).setSubItems(editor::cell::kNodeNumber, "x");
            f.LVExceptions.Item(index).setSubItems(editor::cell::kTargetLabel, "old");
            user.choose(f.nodePicker(e.id), std::string("MSG"));
            row = Row(f, index);
            h.boxes->Answer(kNo);
        });
        EXPECT_EQ(h.boxTexts()[0], "Source: QRV_XFER_Node - cmb" + std::string(e.pickerName) +
                                       "Node_Click \r\nDescription: Type mismatch");
        // The type was rewritten before the failure, the label was not cleared.
        EXPECT_EQ(row[3], "MSG x");
        EXPECT_EQ(row[4], "old");
    }
}

TEST(EditingTest, DefaultsReplaceTheSixRowsAndAreSavedOnlyByOk) {
    const std::vector<std::vector<std::string>> defaults = {
        {"1a", "1", "Hold", "MSG 1", "", "MSG", "0", "1"},
        {"2a", "2", "MOH", "NOOP 1", "", "NOOP", "814", "1"},
        {"3a", "3", "Busy 1", "MSG 1", "", "MSG", "0", "1"},
        {"4a", "4", "Busy 2", "MSG 1", "", "MSG", "0", "1"},
        {"5a", "5", "No Answer", "MSG 1", "", "MSG", "0", "1"},
        {"6a", "6", "Answer", "MSG 1", "", "MSG", "0", "1"}};
    for (bool ok : {false, true}) {
        Harness h;
        Partition(h);
        const auto stored =
            h.database.rows("SELECT * FROM Node_XFER WHERE NodeNumber=2 AND PartID=1");
        h.boxes->Answer(kNo);
        h.open(1, 1, 2, [&](GUI& f, UserActions& user) {
            user.click(f.cmdExceptionsDefault);
            std::vector<std::vector<std::string>> rows;
            for (long r = 1; r <= 6; ++r)
                rows.push_back(Row(f, r));
            EXPECT_EQ(rows, defaults);
            EXPECT_TRUE(f.cmdApply.Enabled());
            user.click(ok ? f.cmdOK : f.cmdCancel);
        });
        if (ok) {
            EXPECT_EQ(Stored(h, 2, "MOH"), (std::vector<std::string>{"NOOP", "1"}));
            EXPECT_EQ(Stored(h, 2, "Answer"), (std::vector<std::string>{"MSG", "1"}));
        } else {
            EXPECT_EQ(h.database.rows("SELECT * FROM Node_XFER WHERE NodeNumber=2 AND PartID=1"),
                      stored);
        }
    }
}

struct NavigationCase {
    const char* name;
    std::int16_t from;
    std::function<void(GUI&, UserActions&)> act;
    std::vector<int> answers;
    std::int16_t at;    // the node shown afterwards
    std::string label;  // the label box afterwards
    bool pending;       // cmdApply afterwards
    std::size_t prompts;
};

TEST(EditingTest, NavigationSettlesPendingEditsOnce) {
    const NavigationCase cases[] = {
        // The buttons are disabled there; the handlers still settle the edits when run.
        {"first on the first",
         1,
         [](GUI& f, UserActions&) { f.cmdFirst_Click(); },
         {kNo},
         1,
         "Reception+",
         false,
         1},
        {"last on the last",
         30,
         [](GUI& f, UserActions&) { f.cmdLast_Click(); },
         {kNo},
         30,
         "Last line+",
         false,
         1},
        {"next asks once",
         1,
         [](GUI& f, UserActions& u) { u.click(f.cmdNext); },
         {kNo},
         2,
         "Sales desk",
         false,
         1},
        {"previous",
         2,
         [](GUI& f, UserActions& u) { u.click(f.cmdPrevious); },
         {kNo},
         1,
         "Reception",
         false,
         1},
        {"selector, cancel",
         1,
         [](GUI& f, UserActions& u) { u.choose(f.cmbNode, std::string("XFER 5")); },
         {kCancel},
         1,
         "Reception+",
         true,
         1},
        {"selector, no",
         1,
         [](GUI& f, UserActions& u) { u.choose(f.cmbNode, std::string("XFER 5")); },
         {kNo},
         5,
         "Support line",
         false,
         1},
        {"selector, yes",
         1,
         [](GUI& f, UserActions& u) { u.choose(f.cmbNode, std::string("XFER 5")); },
         {kYes},
         5,
         "Support line",
         false,
         1},
    };
    for (const auto& c : cases) {
        Harness h;
        Partition(h);
        for (int a : c.answers)
            h.boxes->Answer(a);
        h.boxes->Answer(kNo);  // leaving at the end
        std::int16_t at = 0;
        std::string label, selected, position;
        bool pending = false;
        h.open(1, 1, c.from, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "+");
            c.act(f, user);
            at = f.nodeNumber();
            label = f.txtDescription.Text();
            pending = f.cmdApply.Enabled();
            selected = f.cmbNode.Text();
            position = f.lblRecordPosition.Caption();
        });
        EXPECT_EQ(at, c.at) << c.name;
        EXPECT_EQ(label, c.label) << c.name;
        EXPECT_EQ(pending, c.pending) << c.name;
        EXPECT_EQ(selected, "XFER " + std::to_string(c.at)) << c.name;
        EXPECT_EQ(h.boxes->shown().size(), c.prompts + (pending ? 1 : 0)) << c.name;
        if (c.answers[0] == kYes) {
            EXPECT_EQ(h.database.scalar(
                          "SELECT NodeDescription FROM Node_XFER WHERE PartID=1 AND ConfigID=1 "
                          "AND NodeNumber=1"),
                      "Reception+");
        }
    }
}

TEST(EditingTest, AYesWhoseLabelIsRefusedStaysOnTheNodeWithItsEdits) {
    Harness h;
    Partition(h);
    h.boxes->Answer(kYes);
    h.boxes->Answer(kOK);
    h.boxes->Answer(kNo);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "\"", false);
        user.choose(f.cmbNode, std::string("XFER 5"));
        EXPECT_EQ(f.nodeNumber(), 1);
        EXPECT_EQ(f.cmbNode.Text(), "XFER 1");
        EXPECT_EQ(f.txtDescription.Text(), "Reception\"");
        EXPECT_TRUE(f.cmdApply.Enabled());
    });
    EXPECT_EQ(h.boxTexts()[1],
              "Double quotes and continuous single quotes are not allowed in the Label field");
}

}  // namespace
}  // namespace xfer::test
