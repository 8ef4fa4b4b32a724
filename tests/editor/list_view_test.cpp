#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/controls/user_actions.h"
#include "editor/test_form.h"

namespace xfer::editor::test {
namespace {

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

TEST(ListView, BadIndexesAndKeysRaise) {
    ListView lv("lv");
    Fill(lv);
    ListItem& row = lv.Item("3A");
    EXPECT_EQ(row.Index(), 3);
    const std::vector<std::pair<long, std::function<void()>>> cases = {
        {380, [&] { row.SubItems(0); }},
        {380, [&] { row.SubItems(7); }},
        {380, [&] { row.setSubItems(7, "x"); }},
        {35602, [&] { lv.AddItem("1A", "x"); }},
        {35601, [&] { lv.Item("7a"); }},
        {35600, [&] { lv.Item(0L); }},
        {35600, [&] { lv.Item(7L); }},
        {35600, [&] { lv.Column(8); }},
        {380, [&] { lv.ClearColumns(), row.SubItems(1); }}};
    row.setSubItems(6, "12");
    for (const auto& [number, action] : cases) {
        EXPECT_EQ(ErrorOf(action), number);
    }
    AddColumns(lv);  // the cells outlive the columns
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

}  // namespace
}  // namespace xfer::editor::test
