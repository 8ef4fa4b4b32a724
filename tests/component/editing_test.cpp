// Editing the exception targets, the default targets and moving between nodes, as a user does.

#include <gtest/gtest.h>

#include "component/harness.h"

namespace xfer::test {
namespace {

using editor::Exception;
using editor::GUI;
using editor::UserActions;
using platform::answer::kCancel;
using platform::answer::kNo;
using platform::answer::kOK;
using platform::answer::kYes;
using V = std::vector<std::string>;
using Rows = std::vector<V>;

V Row(GUI& f, long row) {
    return Cells(f.LVExceptions.Item(row));
}
V Stored(Harness& h, int node, const std::string& exception) {
    return h.database.rows(
        "SELECT " + exception + "NodeType, " + exception +
        "NodeNumber FROM Node_XFER WHERE ConfigID=1 AND PartID=1 AND NodeNumber=" +
        std::to_string(node))[0];
}

// A pick rewrites the selected row: a type keeps the row's number when it has a node of that
// number, else takes node 1; a typed number stays inside the picker's range, key by key
// (input_rules_test.cpp); NOOP and BEEP are commands without a number in MOH, NOOP in Hold,
// and BEEP in Answer. OK saves the rows as they stand.
TEST(EditingTest, PicksRewriteTheSelectedRowAndOkSavesThem) {
    StandardHarness h;  // Hold may point at BEEP, where it is an ordinary numbered type
    h.answerConfirmations({platform::confirm::kSkip});
    V cells;  // Command/Node, NodeTypeID and NodeNumber of the row after a step
    std::vector<bool> numberShown;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        const auto cell = [&](long r) {
            cells.push_back(Row(f, r)[3] + "/" + Row(f, r)[6] + "/" + Row(f, r)[7]);
        };
        ASSERT_TRUE(user.click(f.cmdExceptionsEdit));
        ASSERT_TRUE(user.clickRow(f.LVExceptions, 3));  // Busy 1: MSG 3
        ASSERT_TRUE(user.type(f.cmbBusy1Number, "12", true));
        ASSERT_TRUE(user.choose(f.cmbBusy1Node, std::string("TIME")));  // 20 TIME nodes
        cell(3);
        user.choose(f.cmbBusy1Node, std::string("MSG"));
        user.type(f.cmbBusy1Number, "25", true);
        user.choose(f.cmbBusy1Node, std::string("TIME"));
        cell(3);
        user.type(f.cmbBusy1Number, "205", true);
        cell(3);
        user.choose(f.cmbBusy1Node, std::string("MSG"));
        user.type(f.cmbBusy1Number, "12", true);
        EXPECT_EQ(Row(f, 3), (V{"3a", "3", "Busy 1", "MSG 12", "", "MSG", "0", "12"}));
        ASSERT_TRUE(user.clickRow(f.LVExceptions, 1));
        user.choose(f.cmbHoldNode, std::string("BEEP"));
        EXPECT_EQ(Row(f, 1), (V{"1a", "1", "Hold", "BEEP 1", "", "BEEP", "815", "1"}));
        numberShown.push_back(f.cmbHoldNumber.Visible());
        ASSERT_TRUE(user.choose(f.cmbHoldNode, std::string("NOOP")));
        numberShown.push_back(f.cmbHoldNumber.Visible());
        EXPECT_EQ(f.cmbHoldNode.Width(), 1675);
        user.clickRow(f.LVExceptions, 2);
        user.choose(f.cmbMOHNode, std::string("BEEP"));
        numberShown.push_back(f.cmbMOHNumber.Visible());
        // The row click sets the hidden number picker's text; nothing reaches the row.
        f.cmbMOHNumber.setText("2");
        EXPECT_EQ(Row(f, 2), (V{"2a", "2", "MOH", "BEEP", "", "BEEP", "815", "1"}));
        ASSERT_TRUE(user.click(f.cmdExceptionsEdit));
        ASSERT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_EQ(cells, (V{"TIME 12/2/12", "TIME 1/2/1", "TIME 20/2/20"}));
    EXPECT_EQ(numberShown, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(Stored(h, 1, "Busy1"), (V{"MSG", "12"}));
    EXPECT_EQ(Stored(h, 1, "Hold"), (V{"NOOP", "1"}));
    EXPECT_EQ(Stored(h, 1, "MOH"), (V{"BEEP", "1"}));
    EXPECT_EQ(h.prompts(), V{"MSG 12 is referenced but it does not exist.\r\nDo you want to "
                             "auto create node 'MSG 12'?"});
    EXPECT_TRUE(h.boxes->shown().empty());
}

// Edit mode lays a row's pickers over it on a click until the rows move; turning it off keeps
// the targets and only drops the clicked rows' labels. A form closed in edit mode opens with
// the flag still set: the first press turns edit mode off.
TEST(EditingTest, EditModeLaysThePickersOverTheClickedRowAndOutlivesTheForm) {
    StandardHarness h;
    Rows before, after;
    h.boxes->Answer(kNo);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        for (long r = 1; r <= 6; ++r)
            before.push_back(Row(f, r));
        user.click(f.cmdExceptionsEdit);
        EXPECT_FALSE(f.cmdExceptionsDefault.Enabled());
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
        // Scrolling or a press on the header takes the pickers away; edit mode stays on.
        for (int action = 0; action < 2; ++action) {
            user.clickRow(f.LVExceptions, 3);
            ASSERT_TRUE(f.cmbBusy1Node.Visible() && f.cmbBusy1Number.Visible());
            ASSERT_TRUE(action == 0 ? user.scroll(f.LVExceptions, 1)
                                    : user.pressHeader(f.LVExceptions, 2));
            EXPECT_FALSE(f.cmbBusy1Node.Visible() || f.cmbBusy1Number.Visible());
            EXPECT_EQ(f.cmdExceptionsEdit.Caption(), "Edit Off");
        }
        user.click(f.cmdExceptionsEdit);
        for (long r = 1; r <= 6; ++r)
            after.push_back(Row(f, r));
        EXPECT_TRUE(f.cmdExceptionsDefault.Enabled());
        EXPECT_TRUE(f.cmdApply.Enabled());
        for (const auto& e : editor::kExceptions)
            EXPECT_FALSE(f.nodePicker(e.id).Visible());
        user.click(f.cmdExceptionsEdit);
    });
    for (long clicked : {0, 2, 4})
        before[clicked][4] = "";
    EXPECT_EQ(after, before);
    V captions;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        captions.push_back(f.cmdExceptionsEdit.Caption());
        user.click(f.cmdExceptionsEdit);
        captions.push_back(f.cmdExceptionsEdit.Caption());
        h.boxes->Answer(kNo);
    });
    EXPECT_EQ(captions, (V{"Edit", "Edit Off"}));
}

TEST(EditingTest, TypesThePartitionHasNoNodesOfAreReported) {
    StandardHarness h;  // XFER 15 points Hold at list 2 and MOH at TABLE 3
    V hold;             // the three reports are answered with their only button, OK
    h.open(1, 1, 15, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        hold = Row(f, 1);
        EXPECT_FALSE(f.cmbHoldNode.Visible() || f.cmbHoldNumber.Visible());
        // MOH is TABLE 3: offered, but without a limit the partition has no TABLE node.
        user.clickRow(f.LVExceptions, 2);
        EXPECT_FALSE(f.cmbMOHNode.Visible() || f.cmbMOHNumber.Visible());
        h.boxes->Answer(kNo);
    });
    EXPECT_EQ(hold, (V{"1a", "1", "Hold", "list 2", "", "list", "8", "2"}));
    EXPECT_EQ(h.boxTexts(),
              (V{"Please check the \"Max Number of each Node\" Section for list Node in Partition "
                 "Settings.",
                 "Source: QRV_XFER_Node - Combo_Change \r\nDescription: Type mismatch",
                 "Please check the \"Max Number of each Node\" Section for TABLE Node in "
                 "Partition Settings.",
                 "Do you want to save changes?"}));
}

// Defaults put MSG 1 everywhere but MOH, which gets NOOP; only OK writes them.
TEST(EditingTest, DefaultsReplaceTheSixRowsAndAreSavedOnlyByOk) {
    StandardHarness h;  // XFER 2: MOH beep, Answer Beep
    h.open(1, 1, 2, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsDefault);
        V targets;
        for (long r = 1; r <= 6; ++r)
            targets.push_back(Row(f, r)[3]);
        EXPECT_EQ(targets, (V{"MSG 1", "NOOP 1", "MSG 1", "MSG 1", "MSG 1", "MSG 1"}));
        EXPECT_EQ(Row(f, 2), (V{"2a", "2", "MOH", "NOOP 1", "", "NOOP", "814", "1"}));
        EXPECT_EQ(Row(f, 6), (V{"6a", "6", "Answer", "MSG 1", "", "MSG", "0", "1"}));
        EXPECT_TRUE(f.cmdApply.Enabled());
        EXPECT_EQ(Stored(h, 2, "MOH"), (V{"beep", "1"}));
        user.click(f.cmdOK);
    });
    EXPECT_EQ(Stored(h, 2, "MOH"), (V{"NOOP", "1"}));
    EXPECT_EQ(Stored(h, 2, "Answer"), (V{"MSG", "1"}));
}

// Leaving a node with an edit pending asks once whether to save it: Yes saves, No drops the
// edit, Cancel stays with it. Cancel, the close box, the navigation buttons and the node
// selector all ask; a Yes whose label is refused stays on the node with its edits.
TEST(EditingTest, LeavingANodeWithPendingEditsAsksOnce) {
    const struct {
        void (GUI::*leave)();  // none: choose XFER 5 in the node selector
        std::int16_t from;
        std::vector<int> answers;
        std::int16_t at;    // the node shown afterwards; 0: the form closed
        std::string label;  // in the label box afterwards
        std::string saved;  // XFER 1's stored label
        std::string typed = "+";
    } cases[] = {
        {&GUI::cmdCancel_Click, 1, {kYes}, 0, "", "Reception+"},
        {&GUI::cmdCancel_Click, 1, {kNo}, 0, "", "Reception"},
        {&GUI::cmdCancel_Click, 1, {kCancel}, 1, "Reception+", "Reception"},
        {&GUI::closeBox, 1, {kYes}, 0, "", "Reception+"},
        {&GUI::closeBox, 1, {kCancel}, 1, "Reception+", "Reception"},
        {&GUI::cmdFirst_Click, 2, {kNo}, 1, "Reception", "Reception"},
        {&GUI::cmdPrevious_Click, 2, {kNo}, 1, "Reception", "Reception"},
        {&GUI::cmdNext_Click, 1, {kNo}, 2, "Sales desk", "Reception"},
        {&GUI::cmdLast_Click, 1, {kNo}, 30, "Last line", "Reception"},
        {&GUI::cmdFirst_Click, 2, {kCancel}, 2, "Sales desk+", "Reception"},
        {&GUI::cmdPrevious_Click, 2, {kCancel}, 2, "Sales desk+", "Reception"},
        {&GUI::cmdNext_Click, 1, {kCancel}, 1, "Reception+", "Reception"},
        {&GUI::cmdLast_Click, 1, {kCancel}, 1, "Reception+", "Reception"},
        {nullptr, 1, {kCancel}, 1, "Reception+", "Reception"},
        {nullptr, 1, {kNo}, 5, "Support line", "Reception"},
        {nullptr, 1, {kYes}, 5, "Support line", "Reception+"},
        {nullptr, 1, {kYes, kOK}, 1, "Reception\"", "Reception", "\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(&c - cases));
        StandardHarness h;
        for (int answer : c.answers)
            h.boxes->Answer(answer);
        h.boxes->Answer(kNo);  // the close box at the end of a session left open
        h.open(1, 1, c.from, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, c.typed);
            if (c.leave != nullptr) {
                (f.*c.leave)();
            } else {
                user.choose(f.cmbNode, std::string("XFER 5"));
            }
            ASSERT_EQ(f.isLoaded(), c.at != 0);
            if (c.at != 0) {
                EXPECT_EQ(f.nodeNumber(), c.at);
                EXPECT_EQ(f.cmbNode.Text(), "XFER " + std::to_string(c.at));
                EXPECT_EQ(f.txtDescription.Text(), c.label);
                EXPECT_EQ(f.cmdApply.Enabled(), c.at == c.from);
            }
        });
        const auto& boxes = h.boxes->shown();
        EXPECT_EQ(boxes.size(), c.answers.size() + (c.at == c.from ? 1 : 0));
        EXPECT_EQ(boxes[0], (platform::MessageBoxRequest{"Do you want to save changes?",
                                                         platform::mb::kYesNoCancel,
                                                         platform::mb::kQuestion, "Confirmation"}));
        EXPECT_EQ(h.database.scalar("SELECT NodeDescription FROM Node_XFER WHERE NodeNumber=1"),
                  c.saved);
    }
}

}  // namespace
}  // namespace xfer::test
