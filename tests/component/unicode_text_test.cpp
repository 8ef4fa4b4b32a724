// Text is Unicode: the label and the dial count characters, keys are whole characters, and
// nothing half a character long, or otherwise not UTF-8, reaches the form or the database.

#include <gtest/gtest.h>

#include "component/harness.h"
#include "runtime/utf8.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;

// One XFER node (1) whose style and targets all exist, so that OK saves without a question.
void addXferNode(TempDatabase& db) {
    for (const char* sql : {
             "INSERT INTO SR_Node_Type_Names (ID, English_Name) VALUES (0, 'MSG'), (4, 'XFER'), "
             "(5, 'STYLE')",
             "INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, Max_Number) VALUES "
             "(1, 1, 0, 9), (1, 1, 4, 9), (1, 1, 5, 9)",
             "INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, "
             "Child_Node_Type_ID) VALUES (4, 1, 0), (4, 3, 0), (4, 5, 0), (4, 6, 0), (4, 7, 0)",
             "INSERT INTO Node_STYLE (ConfigID, PartID, NodeNumber, SuperviseID, NodeDescription) "
             "VALUES (1, 1, 1, 0, 'Plain')",
             "INSERT INTO Node_XFER (ConfigID, PartID, NodeNumber, StyleNodeNumber, HoldNodeType, "
             "HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType, Busy1NodeNumber, "
             "Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, NoAnswerNodeNumber, "
             "AnswerNodeType, AnswerNodeNumber, NodeDescription) VALUES (1, 1, 1, 1, 'MSG', 1, "
             "'1', 'MSG', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'Old')",
             "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
             "NodeDescription) VALUES (1, 1, 0, 1, 'MSG', 'Hello'), (1, 1, 4, 1, 'XFER', 'Old'), "
             "(1, 1, 5, 1, 'STYLE', 'Plain')",
         }) {
        db.exec(sql);
    }
}

std::string times(int n, const std::string& text) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += text;
    return out;
}

std::vector<std::string> storedLabels(Harness& h) {
    std::vector<std::string> labels;
    for (const char* table : {"Node_XFER", "Node_General_Pool"}) {
        labels.push_back(h.database.scalar(std::string("SELECT NodeDescription FROM ") + table +
                                           " WHERE ConfigID=1 AND PartID=1 AND NodeTypeID=4 AND "
                                           "NodeNumber=1"));
    }
    return labels;
}

TEST(UnicodeText, TheLabelTakesThirtyCharactersAndStoresThemWhole) {
    const struct {
        const char* what;
        std::string keys;   // typed over the whole label
        std::string saved;  // in both tables
    } cases[] = {
        {"30 x e-acute", times(30, "\u00e9"), times(30, "\u00e9")},
        {"31 x e-acute: the last is refused", times(31, "\u00e9"), times(30, "\u00e9")},
        {"29 ASCII and e-acute", times(29, "a") + "\u00e9", times(29, "a") + "\u00e9"},
        {"31 CJK, astral and combining", times(28, "\u4e2d") + "\U0001F600e\u0301",
         times(28, "\u4e2d") + "\U0001F600e"},
        {"backspace takes e-acute whole", "ab\u00e9\b", "ab"},
        {"backspace takes an astral character whole", "a\U0001F600\b\b", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Harness h(/*withDemoData=*/false);
        addXferNode(h.database);
        h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
            ASSERT_TRUE(user.type(f.txtDescription, c.keys, true));
            EXPECT_EQ(f.txtDescription.SelStart(),
                      static_cast<int>(runtime::utf8::Length(c.saved)));
            ASSERT_TRUE(user.click(f.cmdOK));
        });
        EXPECT_EQ(h.boxTexts(), std::vector<std::string>{});
        const auto stored = storedLabels(h);
        EXPECT_EQ(stored, (std::vector<std::string>{c.saved, c.saved}));
        for (const std::string& label : stored)
            EXPECT_TRUE(runtime::utf8::IsValid(label));
    }
}

// A character the dial does not allow is typed as one key and refused as one character: the
// box holds it whole for the check, never a part of it, then the last valid text comes back.
TEST(UnicodeText, TheDialRefusesAMultiByteCharacterAsOneKey) {
    Harness h(/*withDemoData=*/false);
    addXferNode(h.database);
    std::vector<std::string> held;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        f.txtDial.setObserver([&](editor::Control&, editor::Prop p) {
            if (p == editor::Prop::Text)
                held.push_back(f.txtDial.Text());
        });
        ASSERT_TRUE(user.type(f.txtDial, "1\u00e92\u20ac", true));
        EXPECT_EQ(f.txtDial.Text(), "12");
        EXPECT_EQ(f.txtDial.SelStart(), 2);
        ASSERT_TRUE(user.click(f.cmdOK));
    });
    EXPECT_EQ(h.boxTexts(), std::vector<std::string>{});
    EXPECT_EQ(held, (std::vector<std::string>{"1\u00e9", "1", "12", "12\u20ac", "12"}));
    EXPECT_EQ(h.database.scalar("SELECT Dial FROM Node_XFER WHERE NodeNumber=1"), "12");
}

// Keys that are not UTF-8 are refused whole: the label and the pending-change flag stay as they
// were, and cancelling leaves the stored label alone.
TEST(UnicodeText, KeysThatAreNotUtf8AreRefusedWhole) {
    Harness h(/*withDemoData=*/false);
    addXferNode(h.database);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        for (const char* keys : {"ab\xc3", "\xff", "a\xe2\x82", "\xed\xa0\x80", "\xc0\xaf"}) {
            EXPECT_FALSE(user.type(f.txtDescription, keys, true)) << keys;
            EXPECT_FALSE(user.type(f.txtDial, keys)) << keys;
        }
        EXPECT_EQ(f.txtDescription.Text(), "Old");
        EXPECT_EQ(f.txtDial.Text(), "1");
        EXPECT_FALSE(f.cmdApply.Enabled());
        ASSERT_TRUE(user.click(f.cmdCancel));
    });
    EXPECT_EQ(storedLabels(h), (std::vector<std::string>{"Old", "Old"}));
}

}  // namespace
}  // namespace xfer::test
