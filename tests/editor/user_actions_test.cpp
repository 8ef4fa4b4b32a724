#include "editor/controls/user_actions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/test_form.h"

namespace xfer::editor::test {
namespace {

struct Unusable {
    const char* what;
    std::function<void(TestForm&)> apply;
};

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

void Each(TestForm& f, void (Control::*set)(bool)) {
    for (Control* c : f.controls()) {
        (c->*set)(c == &f.fra);
    }
}

INSTANTIATE_TEST_SUITE_P(
    UserActions, Refused,
    ::testing::Values(Unusable{"FormNotLoaded", [](TestForm& f) { f.closeBox(); }},
                      Unusable{"FrameDisabled", [](TestForm& f) { f.fra.setEnabled(false); }},
                      Unusable{"FrameHidden", [](TestForm& f) { f.fra.setVisible(false); }},
                      Unusable{"Disabled", [](TestForm& f) { Each(f, &Control::setEnabled); }},
                      Unusable{"Hidden", [](TestForm& f) { Each(f, &Control::setVisible); }}),
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
}  // namespace xfer::editor::test
