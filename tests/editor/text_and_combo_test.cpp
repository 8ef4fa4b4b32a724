#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/controls/user_actions.h"
#include "editor/test_form.h"
#include "runtime/text.h"

namespace xfer::editor::test {
namespace {

TEST(TextBox, ChangeFiresForADifferentTextOnlyAndAReentrantHandlerSettles) {
    TextBox box("txt");
    int changes = 0;
    box.Change = [&] {
        ++changes;
        box.setText(runtime::UCase(box.Text()));
    };
    box.setText("abc");
    box.setText("ABC");
    EXPECT_EQ(box.Text(), "ABC");
    EXPECT_EQ(changes, 2);
}

struct TypingCase {
    const char* initial;
    int maxLength;
    const char* keys;
    bool replace;
    const char* expected;
    int changes;
};

class Typing : public ::testing::TestWithParam<TypingCase> {};

TEST_P(Typing, KeysEditTheTextAtTheCaretWithinMaxLength) {
    const auto& c = GetParam();
    TestForm form;
    form.Load();
    form.txt.setMaxLength(c.maxLength);
    form.txt.setText(c.initial);  // code may pass MaxLength
    int changes = 0;
    form.txt.Change = [&] { ++changes; };
    ASSERT_TRUE(UserActions(form).type(form.txt, c.keys, c.replace));
    EXPECT_EQ(form.txt.Text(), c.expected);
    EXPECT_EQ(changes, c.changes);
}

INSTANTIATE_TEST_SUITE_P(TextBox, Typing,
                         ::testing::Values(TypingCase{"", 3, "abcd", false, "abc", 3},
                                           TypingCase{"abc", 3, "xy", true, "xy", 2},
                                           TypingCase{"abcdef", 3, "x", false, "abcdef", 0},
                                           TypingCase{"abc", 0, "\b\bz", false, "az", 3},
                                           TypingCase{"", 0, "\b", false, "", 0},
                                           TypingCase{"ab", 3, "\tc", false, "abc", 1}));

struct EditCase {
    const char* initial;
    int maxLength;
    const char* text;  // the whole text after the edit
    int caret;
    bool taken;
    const char* expected;
    int expectedCaret;
};

class OneEdit : public ::testing::TestWithParam<EditCase> {};

// A paste, cut, delete or undo is one change of the whole text, in the text box and the
// editable combo alike; positions count characters.
TEST_P(OneEdit, ChangesTheTextOnceOrNotAtAll) {
    const auto& c = GetParam();
    TestForm form;
    form.Load();
    form.txt.setMaxLength(c.maxLength);
    form.txt.setText(c.initial);
    form.cmbEdit.setText(c.initial);
    std::vector<std::string> seen;
    form.txt.Change = [&] { seen.push_back(form.txt.Text()); };
    form.cmbEdit.Change = [&] { seen.push_back(form.cmbEdit.Text()); };
    UserActions user(form);
    EXPECT_EQ(user.edit(form.txt, c.text, c.caret), c.taken);
    EXPECT_EQ(form.txt.Text(), c.expected);
    EXPECT_EQ(form.txt.SelStart(), c.expectedCaret);
    EXPECT_EQ(form.txt.SelLength(), 0);
    const bool changes = c.taken && std::string(c.initial) != c.text;
    EXPECT_EQ(seen, changes ? std::vector<std::string>{c.text} : std::vector<std::string>{});

    if (c.maxLength == 0) {  // the combo has no limit of its own
        seen.clear();
        EXPECT_EQ(user.edit(form.cmbEdit, c.text, c.caret), c.taken);
        EXPECT_EQ(form.cmbEdit.Text(), c.expected);
        EXPECT_EQ(form.cmbEdit.SelStart(), c.expectedCaret);
        EXPECT_EQ(seen.size(), changes ? 1u : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    UserActions, OneEdit,
    ::testing::Values(EditCase{"2001", 0, "200112-34", 9, true, "200112-34", 9},
                      EditCase{"Reception", 0, "ABReception", 2, true, "ABReception", 2},
                      EditCase{"abc", 5, "abcdef", 6, false, "abc", 0},
                      EditCase{"abcdef", 3, "abcde", 5, true, "abcde", 5},
                      EditCase{"abcdef", 3, "abcdefg", 7, false, "abcdef", 0},
                      EditCase{"ab", 3, "\xc3\xa9t\xc3\xa9", 3, true, "\xc3\xa9t\xc3\xa9", 3},
                      EditCase{"ab", 0, "a\xff", 2, false, "ab", 0},
                      EditCase{"ab", 0, "ab", 99, true, "ab", 2}));

// Caret and selection count characters, a key is one whole character, and text that is not
// UTF-8 never gets in: refused with 380, the box as it was.
TEST(TextBox, CaretSelectionAndKeysAreWholeCharacters) {
    TextBox box("txt");
    ComboBox combo("cmb", ComboStyle::DropDownCombo);
    box.setText("\u00e9\u4e2d\U0001F600a");
    combo.setText(box.Text());
    box.setSelStart(99);
    EXPECT_EQ(box.SelStart(), 4);
    box.setSelStart(1);
    box.setSelLength(2);
    EXPECT_TRUE(box.typeKey("\u00fc"));
    EXPECT_EQ(box.Text(), "\u00e9\u00fca");
    EXPECT_EQ(box.SelStart(), 2);
    EXPECT_TRUE(box.typeKey("\b"));
    EXPECT_EQ(box.Text(), "\u00e9a");
    for (const char* key : {"ab", "\xc3", "\x7f", "\u0085", ""})
        EXPECT_FALSE(box.typeKey(key)) << key;
    for (const char* bad : {"\xc3", "a\xff", "\xed\xa0\x80", "\xf8\x88\x80\x80\x80"}) {
        EXPECT_EQ(ErrorOf([&] { box.setText(bad); }), 380);
        EXPECT_EQ(ErrorOf([&] { combo.setText(bad); }), 380);
        EXPECT_EQ(ErrorOf([&] { combo.AddItem(bad); }), 380);
    }
    EXPECT_EQ(box.Text(), "\u00e9a");
    EXPECT_EQ(combo.Text(), "\u00e9\u4e2d\U0001F600a");
    EXPECT_EQ(combo.ListCount(), 0);
}

TEST(ComboBox, DropDownListSelectionFromCodeFiresClick) {
    TestForm form;
    int clicks = 0;
    form.cmbList.Click = [&] { ++clicks; };
    form.cmbList.setListIndex(1);
    form.cmbList.setListIndex(1);
    form.cmbList.setText("GAMMA");
    EXPECT_EQ(form.cmbList.Text(), "Gamma");
    EXPECT_EQ(ErrorOf([&] { form.cmbList.setListIndex(3); }), 380);
    EXPECT_EQ(ErrorOf([&] { form.cmbList.setListIndex(-2); }), 380);
    EXPECT_EQ(ErrorOf([&] { form.cmbList.setText("Zeta"); }), 383);
    EXPECT_EQ(form.cmbList.ListIndex(), 2);
    form.cmbList.setListIndex(-1);
    EXPECT_EQ(form.cmbList.Text(), "");
    form.cmbList.AddItem("Delta");
    form.cmbList.Clear();
    EXPECT_EQ(clicks, 3);
}

TEST(ComboBox, EditableComboSelectionSetsTextWithoutChange) {
    TestForm form;
    int clicks = 0, changes = 0;
    form.cmbEdit.Click = [&] { ++clicks; };
    form.cmbEdit.Change = [&] { ++changes; };
    form.cmbEdit.setListIndex(0);
    form.cmbEdit.setText("Alpha");
    form.cmbEdit.setText("12");
    form.cmbEdit.Clear();
    EXPECT_EQ(form.cmbEdit.Text(), "");
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(changes, 1);
}

// A generated range must read exactly like the same entries added one by one, also after an
// entry is added to it.
class GeneratedRange : public ::testing::TestWithParam<std::pair<long, long>> {};

TEST_P(GeneratedRange, ReadsLikeFilledEntries) {
    const auto [first, last] = GetParam();
    ComboBox generated("g", ComboStyle::DropDownCombo), filled("f", ComboStyle::DropDownCombo);
    generated.setRange(first, last);
    for (long n = first; n <= last; ++n) {
        filled.AddItem(std::to_string(n));
        filled.setItemData(filled.NewIndex(), n);
    }
    for (int round = 0; round < 2; ++round) {
        ASSERT_EQ(generated.ListCount(), filled.ListCount());
        EXPECT_EQ(generated.NewIndex(), filled.NewIndex());
        for (long i = -1; i <= filled.ListCount(); ++i) {
            EXPECT_EQ(generated.List(i), filled.List(i)) << i;
            EXPECT_EQ(ErrorOf([&] { generated.ItemData(i); }),
                      ErrorOf([&] { filled.ItemData(i); }));
            if (i >= 0 && i < filled.ListCount()) {
                EXPECT_EQ(generated.ItemData(i), filled.ItemData(i));
                generated.setListIndex(i);
                filled.setListIndex(i);
                EXPECT_EQ(generated.Text(), filled.Text());
            }
        }
        for (const char* probe : {"1", "01", "+1", "-0", "0", "-2", "3", "20", "21", " 3", "X"}) {
            EXPECT_EQ(generated.findExact(probe), filled.findExact(probe)) << probe;
        }
        generated.AddItem("x");
        filled.AddItem("x");
    }
}

INSTANTIATE_TEST_SUITE_P(ComboBox, GeneratedRange,
                         ::testing::Values(std::pair{1L, 20L}, std::pair{1L, 0L},
                                           std::pair{-2L, 3L}));

}  // namespace
}  // namespace xfer::editor::test
