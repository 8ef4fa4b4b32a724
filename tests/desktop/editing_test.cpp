// Real keys and mouse in the editor's text boxes, pickers and list: selections made in either
// direction, the focus after Apply, what a paste stores, the keys of the pickers and the list.

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolTip>
#include <QTreeWidget>

#include "desktop/entries_model.h"
#include "desktop/widgets.h"
#include "desktop/window_fixture.h"

namespace xfer::desktop::test {
namespace {

using editor::GUI;

// The x of the boundary before character `n` of a line edit's text, as drawn from its start.
int XBefore(QLineEdit* edit, int n) {
    return edit->contentsRect().x() + 2 + edit->textMargins().left() +
           edit->fontMetrics().horizontalAdvance(edit->text().left(n));
}

void Press(QWidget* w, Qt::Key key, int times, Qt::KeyboardModifiers modifiers = {}) {
    for (int i = 0; i < times; ++i)
        QTest::keyClick(w, key, modifiers);
}

struct Selecting {
    const char* what;
    const char* box;
    std::function<void(QLineEdit*)> select;
    const char* expected;  // after typing "9" over the selection
};

void PrintTo(const Selecting& c, std::ostream* os) {
    *os << c.what;
}

class Selections : public WindowTest, public ::testing::WithParamInterface<Selecting> {};

TEST_P(Selections, AKeyReplacesWhatWasSelectedInEitherDirection) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* edit = Widget<QLineEdit>(dialog, GetParam().box);
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(2, edit->height() / 2));
        ASSERT_EQ(QApplication::focusWidget(), edit);
        GetParam().select(edit);
        QTest::keyClicks(edit, "9");
        EXPECT_EQ(edit->text().toStdString(), GetParam().expected);
        auto& model = std::string(GetParam().box) == "txtDial" ? form.txtDial : form.txtDescription;
        EXPECT_EQ(model.Text(), GetParam().expected);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Window, Selections,
    ::testing::Values(
        Selecting{"ShiftLeftFiveFromTheEnd", "txtDescription",
                  [](QLineEdit* e) {
                      QTest::keyClick(e, Qt::Key_End);
                      Press(e, Qt::Key_Left, 5, Qt::ShiftModifier);
                  },
                  "Rece9"},
        Selecting{"ShiftRightShrinksALeftwardSelection", "txtDescription",
                  [](QLineEdit* e) {
                      QTest::keyClick(e, Qt::Key_End);
                      Press(e, Qt::Key_Left, 3, Qt::ShiftModifier);
                      QTest::keyClick(e, Qt::Key_Right, Qt::ShiftModifier);
                  },
                  "Recepti9"},
        Selecting{"ShiftHomeFromTheMiddle", "txtDescription",
                  [](QLineEdit* e) {
                      QTest::keyClick(e, Qt::Key_End);
                      Press(e, Qt::Key_Left, 2);
                      QTest::keyClick(e, Qt::Key_Home, Qt::ShiftModifier);
                  },
                  "9on"},
        Selecting{"DialShiftLeftTwice", "txtDial",
                  [](QLineEdit* e) {
                      QTest::keyClick(e, Qt::Key_End);
                      Press(e, Qt::Key_Left, 2, Qt::ShiftModifier);
                  },
                  "209"},
        Selecting{"RightToLeftDrag", "txtDescription",
                  [](QLineEdit* e) {
                      const int y = e->height() / 2;
                      QTest::mousePress(e, Qt::LeftButton, {}, QPoint(XBefore(e, 9) + 1, y));
                      QTest::mouseMove(e, QPoint(XBefore(e, 6) + 5, y));
                      QTest::mouseMove(e, QPoint(XBefore(e, 4), y));
                      QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(XBefore(e, 4), y));
                  },
                  "Rece9"},
        Selecting{"LeftToRightDrag", "txtDescription",
                  [](QLineEdit* e) {
                      const int y = e->height() / 2;
                      QTest::mousePress(e, Qt::LeftButton, {}, QPoint(XBefore(e, 1), y));
                      QTest::mouseMove(e, QPoint(XBefore(e, 3) + 3, y));
                      QTest::mouseMove(e, QPoint(XBefore(e, 5), y));
                      QTest::mouseRelease(e, Qt::LeftButton, {}, QPoint(XBefore(e, 5), y));
                  },
                  "R9tion"}),
    [](const auto& info) { return std::string(info.param.what); });

// An elided value is drawn from its first character; a click into it puts the caret under the
// pointer, wherever the text had scrolled to while it last had the focus.
TEST_F(WindowTest, AClickIntoAnElidedValuePutsTheCaretUnderThePointer) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        form.txtDescription.setText(std::string(30, 'W'));
        auto* label = Widget<QLineEdit>(dialog, "txtDescription");
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::keyClick(label, Qt::Key_End);
        QTest::keyClick(label, Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), label);
        QTest::mouseClick(label, Qt::LeftButton, {},
                          QPoint(XBefore(label, 2) + 1, label->height() / 2));
        EXPECT_EQ(label->cursorPosition(), 2);
        EXPECT_EQ(form.txtDescription.SelStart(), 2);
    });
}

struct Pasting {
    const char* what;
    const char* box;
    QString pasted;  // over the whole text, or at its end
    bool overAll;
    const char* stored;
};

void PrintTo(const Pasting& c, std::ostream* os) {
    *os << c.what;
}

class Pastes : public WindowTest, public ::testing::WithParamInterface<Pasting> {};

// A paste reaches the model as a limited box takes it: blanks for line breaks and tabs, no
// other control characters, no more than the room left.
TEST_P(Pastes, AreStoredAsALimitedBoxTakesThem) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* edit = Widget<QLineEdit>(dialog, GetParam().box);
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, GetParam().overAll ? Qt::Key_A : Qt::Key_End,
                        GetParam().overAll ? Qt::ControlModifier : Qt::NoModifier);
        QGuiApplication::clipboard()->setText(GetParam().pasted);
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        auto& model = std::string(GetParam().box) == "txtDial" ? form.txtDial : form.txtDescription;
        EXPECT_EQ(model.Text(), GetParam().stored);
        EXPECT_EQ(edit->text().toStdString(), GetParam().stored);
        // Saved without a complaint.
        QTest::keyClick(&dialog, Qt::Key_A, Qt::AltModifier);  // the button clicks a moment later
        EXPECT_TRUE(QTest::qWaitFor([&] { return !form.cmdApply.Enabled(); }, 2000));
        EXPECT_EQ(harness.boxTexts(), std::vector<std::string>{});
    });
}

INSTANTIATE_TEST_SUITE_P(
    Window, Pastes,
    ::testing::Values(Pasting{"LineBreakAndTab", "txtDescription", "Line1\nLine2\tEnd", true,
                              "Line1 Line2 End"},
                      Pasting{"WindowsLineBreakAndControls", "txtDescription",
                              "A\x01"
                              "B\r\nC\x7f",
                              true, "AB C"},
                      Pasting{"LongerThanTheBox", "txtDescription", QString(36, QLatin1Char('y')),
                              true, "yyyyyyyyyyyyyyyyyyyyyyyyyyyyyy"},
                      Pasting{"DialCutToItsLimit", "txtDial", QString(40, QLatin1Char('7')), true,
                              "7777777777777777777777777777777"}),
    [](const auto& info) { return std::string(info.param.what); });

// A middle click pastes the system's selection where it has one, cleaned and cut the same way.
TEST_F(WindowTest, AMiddleClickPastesTheSelectionAsAPasteDoes) {
    if (!QGuiApplication::clipboard()->supportsSelection())
        GTEST_SKIP() << "this platform has no selection to paste";
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* label = Widget<QLineEdit>(dialog, "txtDescription");
        QGuiApplication::clipboard()->setText(
            QStringLiteral(" 1\n2\t") + QString(30, QLatin1Char('y')), QClipboard::Selection);
        QTest::mouseClick(label, Qt::MiddleButton, {},
                          QPoint(XBefore(label, 9) + 1, label->height() / 2));
        EXPECT_EQ(form.txtDescription.Text(),
                  "Reception 1 2 " + std::string(16, 'y'));  // 30 in all
    });
}

TEST_F(WindowTest, AKeyTypedRightAfterApplyLandsInTheFieldThatHadTheFocus) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* label = Widget<QLineEdit>(dialog, "txtDescription");
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::keyClick(label, Qt::Key_End);
        QTest::keyClicks(label, "x");
        QTest::keyClick(label, Qt::Key_A, Qt::AltModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !form.cmdApply.Enabled(); }, 2000));  // saved
        ASSERT_EQ(QApplication::focusWidget(), label);
        QTest::keyClicks(QApplication::focusWidget(), "y");
        EXPECT_EQ(form.txtDescription.Text(), "Receptionxy");

        // Clicked with the mouse, the button takes the focus and loses it when disabled.
        QTest::keyClicks(label, "z");
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdApply"), Qt::LeftButton);
        ASSERT_FALSE(form.cmdApply.Enabled());
        EXPECT_EQ(QApplication::focusWidget(), label);
    });
}

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
        // A paste into a picker, which has no length limit, is taken whole.
        QTest::keyClick(picker->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QGuiApplication::clipboard()->setText(QStringLiteral("12"));
        QTest::keyClick(picker->lineEdit(), Qt::Key_V, Qt::ControlModifier);
        EXPECT_EQ(form.cmbBusy1Number.Text(), "12");

        QHeaderView* header = list->header();
        QTest::mousePress(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
        QTest::mouseRelease(header->viewport(), Qt::LeftButton, {},
                            QPoint(header->sectionViewportPosition(1) + 4, header->height() / 2));
        EXPECT_FALSE(picker->isVisible());
        EXPECT_FALSE(form.cmbBusy1Number.Visible());
    });
}

// A value drawn elided shows its whole text as a tooltip; one drawn whole has none.
TEST_F(WindowTest, ElidedValuesShowTheirWholeTextAsATooltip) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        const std::string wide(40, 'W');
        auto* description = Widget<ElidedLineEdit>(dialog, "txtXStyleDescription");
        description->grab();
        EXPECT_EQ(description->toolTip(), "");
        form.txtXStyleDescription.setText(wide);
        description->grab();
        ASSERT_NE(description->shownText().toStdString(), wide);
        EXPECT_EQ(description->toolTip().toStdString(), wide);

        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        QTreeWidgetItem* row = list->topLevelItem(2);
        const QString cell = row->text(2);
        const auto tipAt = [&] {
            QToolTip::hideText();
            const QPoint at = list->visualItemRect(row).topLeft() +
                              QPoint(list->header()->sectionViewportPosition(2) + 2, 2);
            QHelpEvent help(QEvent::ToolTip, at, list->viewport()->mapToGlobal(at));
            QApplication::sendEvent(list->viewport(), &help);
            return QToolTip::isVisible() ? QToolTip::text() : QString();
        };
        EXPECT_EQ(tipAt(), "");
        list->setColumnWidth(2, list->fontMetrics().horizontalAdvance(cell) / 2);
        EXPECT_EQ(tipAt(), cell);
    });
}

struct Named {
    const char* control;
    const char* name;
};

// A screen reader tells the controls apart by names that say what each is for.
TEST_F(WindowTest, EveryControlHasAnAccessibleNameThatSaysWhatItIsFor) {
    OnNode(1, 1, [&](GUI&, FormDialog& dialog) {
        const Named names[] = {{"txtDescription", "Label"},
                               {"txtDial", "Number to dial"},
                               {"cmbXStyle", "Transfer style"},
                               {"txtXStyleDescription", "Transfer style description"},
                               {"LVExceptions", "Exceptions"},
                               {"cmbHoldNode", "Hold target type"},
                               {"cmbHoldNumber", "Hold target number"},
                               {"cmbAnswerNumber", "Answer target number"},
                               {"cmdFirst", "First node"},
                               {"cmdPrevious", "Previous node"},
                               {"cmbNode", "XFER node"},
                               {"lblRecordPosition", "Record position"},
                               {"cmdNext", "Next node"},
                               {"cmdLast", "Last node"},
                               {"cmdOK", "OK"}};
        for (const Named& n : names) {
            QAccessibleInterface* control =
                QAccessible::queryAccessibleInterface(Widget<QWidget>(dialog, n.control));
            ASSERT_NE(control, nullptr) << n.control;
            EXPECT_EQ(control->text(QAccessible::Name).remove(QLatin1Char('&')), n.name)
                << n.control;
        }
        // The record position's text is its description.
        EXPECT_EQ(
            QAccessible::queryAccessibleInterface(Widget<QWidget>(dialog, "lblRecordPosition"))
                ->text(QAccessible::Description),
            Widget<QLabel>(dialog, "lblRecordPosition")->text());
        // The list exposes its rows and cells.
        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(list)->tableInterface();
        ASSERT_NE(table, nullptr);
        EXPECT_EQ(table->rowCount(), 6);
        QStringList cells;
        for (int c = 0; c < table->columnCount(); ++c) {
            if (QAccessibleInterface* cell = table->cellAt(0, c))
                cells << cell->text(QAccessible::Name);
        }
        EXPECT_TRUE(cells.contains(list->topLevelItem(0)->text(1)))
            << cells.join(u'|').toStdString();
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
