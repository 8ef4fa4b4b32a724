// The control models and what a user can do to them, on a small form with one control of each
// kind the actions reach, the usable ones inside a frame.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "editor/controls/combo_box.h"
#include "editor/controls/form_base.h"
#include "editor/controls/list_view.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/text_box.h"
#include "editor/controls/user_actions.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::editor {
namespace {

class TestForm final : public FormBase {
  public:
    TestForm() : FormBase("Test", 4890, 5835) {
        for (Control* c :
             std::initializer_list<Control*>{&fra, &txt, &cmbList, &cmbEdit, &cmd, &lv}) {
            registerControl(*c);
            if (c != &fra) {
                c->setContainer(&fra);
            }
        }
        lv.setHeight(ListView::kHeaderHeight + 3 * ListView::kRowHeight);
        for (const char* entry : {"Alpha", "Beta", "Gamma"}) {
            cmbList.AddItem(entry);
            cmbEdit.AddItem(entry);
        }
    }
    void Load() { setLoaded(true); }
    void closeBox() override {
        clearFocus();
        setLoaded(false);
    }

    Frame fra{"fraTest"};
    TextBox txt{"txtTest"};
    ComboBox cmbList{"cmbList", ComboStyle::DropDownList};
    ComboBox cmbEdit{"cmbEdit", ComboStyle::DropDownCombo};
    CommandButton cmd{"cmdTest"};
    ListView lv{"LVTest"};
};

// The runtime error number that `f` raises, 0 when it raises none.
inline long ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const runtime::Error& e) {
        return e.number();
    }
    return 0;
}

TEST(TextBox, ChangeFiresForADifferentTextOnlyAndAReentrantHandlerSettles) {
    TextBox box("txt");
    int changes = 0;
    box.Change = [&] {
        ++changes;
        box.setText(runtime::ToUpper(box.Text()));
    };
    box.setText("abc");
    box.setText("ABC");
    EXPECT_EQ(box.Text(), "ABC");
    EXPECT_EQ(changes, 2);
}

// Code may set a text longer than MaxLength (a label stored before the limit); a user's edit
// may shorten it but never lengthen it, and MaxLength counts characters. An edit is one change
// of the whole text, or none when refused.
TEST(UserActions, AnEditIsOneChangeWithinMaxLengthInCharacters) {
    const struct {
        const char* initial;
        const char* text;  // the whole text after the edit
        int caret;
        bool taken;
    } cases[] = {
        {"abcdef", "abcde", 5, true},
        {"abcdef", "abcdefg", 7, false},
        {"ab", "\xc3\xa9t\xc3\xa9", 3, true},
        {"abc", "a\xff", 2, false},
    };
    for (const auto& c : cases) {
        TestForm form;
        form.Load();
        form.txt.setMaxLength(3);
        form.txt.setText(c.initial);
        std::vector<std::string> seen;
        form.txt.Change = [&] { seen.push_back(form.txt.Text()); };
        UserActions user(form);
        EXPECT_EQ(user.edit(form.txt, c.text, c.caret), c.taken) << c.text;
        EXPECT_EQ(form.txt.SelStart(), c.taken ? c.caret : 0);
        EXPECT_TRUE(user.type(form.txt, "x"));  // the box is full: the key is dropped
        EXPECT_EQ(form.txt.Text(), c.taken ? c.text : c.initial);
        EXPECT_EQ(seen, c.taken ? std::vector<std::string>{c.text} : std::vector<std::string>{});
    }
}

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

// Unloading puts a text box back as designed, its caret too: a form loaded again with the
// designed text must not keep a caret beyond it.
TEST(TextBox, RestoringTheDesignResetsTheCaret) {
    TestForm form;
    form.txt.setText("abc");
    form.txt.setSelStart(2);
    form.txt.setSelLength(1);
    form.txt.restoreDesign();
    EXPECT_EQ(form.txt.Text(), "");
    EXPECT_EQ(form.txt.SelStart(), 0);
    EXPECT_EQ(form.txt.SelLength(), 0);
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
    EXPECT_EQ(ErrorOf([&] { form.cmbList.setText("Zeta"); }), 383);
    EXPECT_EQ(form.cmbList.ListIndex(), 2);
    form.cmbList.setListIndex(-1);
    EXPECT_EQ(form.cmbList.Text(), "");
    EXPECT_EQ(form.cmbList.ListIndex(), -1);
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

// A number picker's entries are a range of numbers, made into entries of their own only when
// another entry joins them; a typed number finds its entry either way.
TEST(ComboBox, ARangeListsItsNumbersAndBecomesEntriesWhenOneIsAdded) {
    ComboBox combo("cmb", ComboStyle::DropDownCombo);
    combo.setRange(5, 7);
    const std::pair<const char*, long> typed[] = {
        {"5", 0}, {"7", 2}, {"4", -1}, {"8", -1}, {"06", -1}};
    for (const auto& [text, index] : typed) {
        combo.setText(text);
        EXPECT_EQ(combo.ListIndex(), index) << text;
    }
    combo.AddItem("x");
    EXPECT_EQ(combo.ListCount(), 4);
    EXPECT_EQ(combo.List(0), "5");
    EXPECT_EQ(combo.List(2), "7");
    EXPECT_EQ(combo.ItemData(2), 7);
    EXPECT_EQ(combo.List(3), "x");
}

// Numbered entries after a text (the record selector's, the style list's) read, are found and
// are selected exactly as the same entries added one by one; added to a list that has entries,
// they are appended as real ones.
TEST(ComboBox, NumberedEntriesReadAndAreFoundAsAddedOnes) {
    const auto numbered = [](ComboBox& combo) {
        combo.addNumbered("XFER ", std::vector<long>{1, 7, 12});
        combo.addNumbered("STYLE ", 2, 3);  // the list has entries now: appended one by one
    };
    const auto added = [](ComboBox& combo) {
        for (const auto& [text, data] : std::vector<std::pair<std::string, long>>{
                 {"XFER 1", 1}, {"XFER 7", 7}, {"XFER 12", 12}, {"STYLE 2", 2}, {"STYLE 3", 3}}) {
            combo.AddItem(text);
            combo.setItemData(combo.NewIndex(), data);
        }
    };
    ComboBox a("a", ComboStyle::DropDownList), b("b", ComboStyle::DropDownList);
    numbered(a);
    added(b);
    ASSERT_EQ(a.ListCount(), b.ListCount());
    EXPECT_EQ(a.NewIndex(), b.NewIndex());
    for (long i = 0; i < b.ListCount(); ++i) {
        EXPECT_EQ(a.List(i), b.List(i));
        EXPECT_EQ(a.ItemData(i), b.ItemData(i));
    }
    for (const char* text : {"xfer 7", "XFER 12", "STYLE 3", "XFER 2", "XFER 012", "XFER7"}) {
        EXPECT_EQ(a.findExact(text), b.findExact(text)) << text;
    }
    ComboBox only("c", ComboStyle::DropDownList);
    only.addNumbered("XFER ", std::vector<long>{3, 9});
    EXPECT_EQ(only.NewIndex(), 1);
    EXPECT_EQ(only.findExact("xfer 9"), 1);
    EXPECT_EQ(only.findExact("XFER 4"), -1);
    EXPECT_FALSE(only.isGeneratedRange());
    ComboBox styles("s", ComboStyle::DropDownList);
    styles.addNumbered("STYLE ", 1, 12);
    EXPECT_EQ(styles.NewIndex(), 11);
    EXPECT_EQ(styles.List(9), "STYLE 10");
    EXPECT_EQ(styles.findExact("style 12"), 11);
    EXPECT_THROW(only.addNumbered("\xff ", 1, 2), runtime::Error);
    EXPECT_EQ(only.ListCount(), 2);
}

// The view mirrors the model by what it is told: each change once, and nothing for a value
// set again.
TEST(ComboBox, TheViewIsToldOfEachChangeOnce) {
    ComboBox combo("cmb", ComboStyle::DropDownCombo);
    combo.setText("12345");
    std::vector<Prop> told;
    combo.setObserver([&](Control&, Prop what) { told.push_back(what); });
    combo.setSelStart(2);
    combo.setSelStart(2);
    combo.setFont("Tahoma", 8.25, true);
    combo.setFont("Tahoma", 8.25, true);
    combo.setFont("Tahoma", 9, true);
    EXPECT_EQ(told, (std::vector<Prop>{Prop::Selection, Prop::All, Prop::All}));
}

void AddColumns(ListView& lv) {
    for (int width : {0, 1100, 1600, 1600, 0, 0, 0}) {
        lv.AddColumn("", width);
    }
}

// Seven columns as the exceptions list has them, six keyed rows.
void Fill(ListView& lv) {
    AddColumns(lv);
    for (int i = 1; i <= 6; ++i) {
        lv.AddItem(std::to_string(i) + "a", std::to_string(i));
    }
}

TEST(ListView, KeysIgnoreCaseAndCellsOutliveTheColumns) {
    ListView lv("lv");
    Fill(lv);
    ListItem& row = lv.Item("3A");
    EXPECT_EQ(row.Index(), 3);
    EXPECT_EQ(ErrorOf([&] { lv.AddItem("1A", "x"); }), 35602);
    EXPECT_EQ(ErrorOf([&] { row.SubItems(7); }), 380);
    row.setSubItems(6, "12");
    lv.ClearColumns();  // as the form's reset does
    EXPECT_EQ(ErrorOf([&] { row.SubItems(1); }), 380);
    AddColumns(lv);
    EXPECT_EQ(row.SubItems(6), "12");
}

TEST(ListView, FirstRowBecomesTheSelectedRowWithoutTheMark) {
    ListView lv("lv");
    Fill(lv);
    EXPECT_EQ(lv.SelectedItem(), &lv.Item(1L));
    EXPECT_FALSE(lv.Item(1L).Selected());
    lv.Item(4L).setSelected(true);
    lv.Item(5L).setSelected(true);
    EXPECT_EQ(lv.SelectedItem(), &lv.Item(5L));
    EXPECT_TRUE(lv.Item(4L).Selected());
    lv.ClearItems();
    EXPECT_EQ(lv.SelectedItem(), nullptr);
    lv.AddItem("k", "x");
    EXPECT_EQ(lv.SelectedItem(), &lv.Item("k"));
}

TEST(ListView, RowGeometryFollowsScrolling) {
    TestForm form;
    form.Load();
    Fill(form.lv);  // 6 rows, 3 visible
    EXPECT_EQ(form.lv.Item(3L).Width(), 4300);
    for (const auto& [rows, top] : std::vector<std::pair<int, long>>{{2, 2}, {5, 3}, {-9, 0}}) {
        ASSERT_TRUE(UserActions(form).scroll(form.lv, rows));
        EXPECT_EQ(form.lv.TopIndex(), top);
        EXPECT_EQ(form.lv.Item(4L).Top(),
                  ListView::kHeaderHeight + (3 - top) * ListView::kRowHeight);
    }
}

struct Unusable {
    const char* what;
    std::function<void(TestForm&)> apply;
};

// The case's name in test listings, not the bytes of the object.
void PrintTo(const Unusable& c, std::ostream* os) {
    *os << c.what;
}

class Refused : public ::testing::TestWithParam<Unusable> {};

// Nothing a user does reaches a control that is hidden or disabled, itself or by its frame.
TEST_P(Refused, EveryActionDoesNothing) {
    TestForm form;
    form.Load();
    form.lv.AddColumn("#", 100);
    form.lv.AddItem("1a", "1");
    int events = 0;
    form.cmd.Click = form.cmbList.Click = form.cmbEdit.Change = form.txt.Change = [&] { ++events; };
    form.lv.ItemClick = [&](ListItem&) { ++events; };
    GetParam().apply(form);
    UserActions user(form);
    EXPECT_FALSE(user.click(form.cmd) || user.type(form.txt, "a") || user.type(form.cmbEdit, "a") ||
                 user.choose(form.cmbList, 1) || user.clickRow(form.lv, 1) ||
                 user.scroll(form.lv, 1) || user.pressHeader(form.lv, 1) || user.focus(form.txt));
    EXPECT_EQ(events, 0);
    EXPECT_EQ(form.focusedControl(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    UserActions, Refused,
    ::testing::Values(Unusable{"FormNotLoaded", [](TestForm& f) { f.closeBox(); }},
                      Unusable{"FrameHidden", [](TestForm& f) { f.fra.setVisible(false); }},
                      Unusable{"Disabled",
                               [](TestForm& f) {
                                   for (Control* c : f.controls())
                                       c->setEnabled(c == &f.fra);  // all but the frame
                               }}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(UserActions, ClickRowSelectsTheRowAloneThenFiresItemClickClickMouseUp) {
    TestForm form;
    form.Load();
    form.lv.AddColumn("#", 100);
    for (const char* key : {"1a", "2a", "3a"}) {
        form.lv.AddItem(key, key).setSelected(true);
    }
    std::vector<std::string> events;
    form.lv.ItemClick = [&](ListItem& row) { events.push_back("ItemClick " + row.Key()); };
    form.lv.Click = [&] { events.push_back("Click"); };
    form.lv.MouseUp = [&](int button, int, int, int) {
        events.push_back("MouseUp " + std::to_string(button));
    };
    ASSERT_TRUE(UserActions(form).clickRow(form.lv, 2));
    EXPECT_EQ(events, (std::vector<std::string>{"ItemClick 2a", "Click", "MouseUp 1"}));
    EXPECT_EQ(form.lv.SelectedItem(), &form.lv.Item(2L));
    EXPECT_FALSE(form.lv.Item(1L).Selected() || form.lv.Item(3L).Selected());
    EXPECT_FALSE(UserActions(form).clickRow(form.lv, 4));
}

TEST(UserActions, FocusMovesWithLostFocusBeforeGotFocus) {
    TestForm form;
    form.Load();
    std::vector<std::string> events;
    for (Control* c : std::initializer_list<Control*>{&form.txt, &form.cmd}) {
        c->GotFocus = [&events, c] { events.push_back(c->Name() + " got"); };
        c->LostFocus = [&events, c] { events.push_back(c->Name() + " lost"); };
    }
    UserActions user(form);
    user.focus(form.txt);
    user.click(form.cmd);
    user.click(form.cmd);
    EXPECT_EQ(events, (std::vector<std::string>{"txtTest got", "txtTest lost", "cmdTest got"}));
    form.fra.setEnabled(false);  // the focus leaves what can no longer be reached
    EXPECT_EQ(form.focusedControl(), nullptr);
    EXPECT_EQ(ErrorOf([&] { form.cmd.SetFocus(); }), 5);
}

TEST(UserActions, TypingAndChoosing) {
    TestForm form;
    form.Load();
    UserActions user(form);
    EXPECT_FALSE(user.type(form.cmbList, "a"));
    EXPECT_TRUE(user.choose(form.cmbList, "beta"));
    EXPECT_EQ(form.cmbList.ListIndex(), 1);
    EXPECT_FALSE(user.choose(form.cmbList, "zeta"));
    EXPECT_TRUE(user.type(form.cmbEdit, "12\b3"));
    EXPECT_EQ(form.cmbEdit.Text(), "13");
    form.txt.setLocked(true);
    EXPECT_FALSE(user.type(form.txt, "a"));
    EXPECT_EQ(form.txt.Text(), "");
}

}  // namespace
}  // namespace xfer::editor
