// Text is Unicode: the label and the dial count characters, keys are whole characters, and
// nothing half a character long, or otherwise not UTF-8, reaches the form or the database.

#include <gtest/gtest.h>

#include "component/harness.h"
#include "runtime/utf8.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;

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
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandardHarness h;  // XFER 1's style and targets exist: OK saves without a question
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

// Keys that are not UTF-8 are refused whole: the texts and the pending-change flag stay as
// they were. A character the dial does not allow is typed as one key and refused as one
// character: the box holds it whole for the check, never a part of it, then the last valid
// text comes back.
TEST(UnicodeText, KeysAreRefusedAsWholeCharacters) {
    StandardHarness h;
    std::vector<std::string> held;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        for (const char* keys : {"ab\xc3", "\xff", "a\xe2\x82", "\xed\xa0\x80", "\xc0\xaf"}) {
            EXPECT_FALSE(user.type(f.txtDescription, keys, true)) << keys;
            EXPECT_FALSE(user.type(f.txtDial, keys)) << keys;
        }
        EXPECT_EQ(f.txtDescription.Text(), "Reception");
        EXPECT_EQ(f.txtDial.Text(), "2001");
        EXPECT_FALSE(f.cmdApply.Enabled());
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
    EXPECT_EQ(held, (std::vector<std::string>{"1", "1\u00e9", "1", "12", "12\u20ac", "12"}));
    EXPECT_EQ(h.database.scalar("SELECT Dial FROM Node_XFER WHERE NodeNumber=1"), "12");
    EXPECT_EQ(storedLabels(h), (std::vector<std::string>{"Reception", "Reception"}));
}

}  // namespace
}  // namespace xfer::test
