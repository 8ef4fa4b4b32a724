// Real keys and mouse in the editor's pickers and list, and the entries behind the pickers.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "desktop/entries_model.h"
#include "desktop/window_fixture.h"

namespace xfer::desktop::test {
namespace {

using editor::GUI;

// Up and Down in the list and in a number picker move by one entry, in their direction; a
// press on the header takes the pickers away, as the rows may move under them.
TEST_F(WindowTest, UpAndDownMoveByOneAndTheHeaderTakesThePickersAway) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        const auto row = [&] { return form.LVExceptions.SelectedItem()->Index(); };
        const QRect busy = list->visualItemRect(list->topLevelItem(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, busy.center());
        ASSERT_EQ(row(), 3);
        QTest::keyClick(list, Qt::Key_Down);
        EXPECT_EQ(row(), 4);
        QTest::keyClick(list, Qt::Key_Up);
        QTest::keyClick(list, Qt::Key_Up);
        EXPECT_EQ(row(), 2);
        QTest::keyClick(list, Qt::Key_Down);
        ASSERT_EQ(row(), 3);  // Busy 1: MSG 3

        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdExceptionsEdit"), Qt::LeftButton);
        auto* picker = Widget<QComboBox>(dialog, "cmbBusy1Number");
        ASSERT_TRUE(picker->isVisible());
        QTest::mouseClick(picker->lineEdit(), Qt::LeftButton);
        ASSERT_EQ(form.cmbBusy1Number.Text(), "3");
        QTest::keyClick(picker->lineEdit(), Qt::Key_Down);
        EXPECT_EQ(form.cmbBusy1Number.Text(), "4");
        QTest::keyClick(picker->lineEdit(), Qt::Key_Up);
        QTest::keyClick(picker->lineEdit(), Qt::Key_Up);
        EXPECT_EQ(form.cmbBusy1Number.Text(), "2");
        EXPECT_EQ(picker->currentText(), "2");

        QHeaderView* header = list->header();
        QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {},
                            QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
        EXPECT_FALSE(picker->isVisible());
        EXPECT_FALSE(form.cmbBusy1Number.Visible());
    });
}

TEST(EntriesModel, PassesQtsModelTester) {
    long count = 3;
    EntriesModel model([&count] { return count; },
                       [](long i) { return "STYLE " + std::to_string(i + 1); }, nullptr);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.reload();
    EXPECT_EQ(model.rowCount({}), 3);
    EXPECT_EQ(model.index(2, 0).data().toString(), "STYLE 3");
    count = 32767;
    model.reload();
    EXPECT_EQ(model.index(32766, 0).data().toString(), "STYLE 32767");
    count = 0;
    model.reload();
    EXPECT_EQ(model.rowCount({}), 0);
}

}  // namespace
}  // namespace xfer::desktop::test
