// The window the program shows, with real key, mouse, wheel and clipboard input: widgets show
// what the view model holds, what a person does to them reaches the model as the same edit, and
// what the rules do to the model (the caret, the selection, the focus) is what the person then
// sees.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include "desktop/qt_platform.h"
#include "desktop/window_fixture.h"

namespace xfer::desktop::test {
namespace {

using editor::GUI;

void Paste(QWidget* widget, const QString& text) {
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(widget, Qt::Key_V, Qt::ControlModifier);
}

TEST_F(WindowTest, WidgetsShowWhatTheModelHolds) {
    OnNode(1, 1, [](GUI& form, FormDialog& dialog) {
        EXPECT_EQ(Widget<QComboBox>(dialog, "cmbXStyle")->currentText(),
                  QString::fromStdString(form.cmbXStyle.Text()));
        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        ASSERT_EQ(list->topLevelItemCount(), 6);
        EXPECT_EQ(list->columnCount(), 7);
        for (int column : {0, 4, 5, 6})
            EXPECT_TRUE(list->isColumnHidden(column)) << column;
        for (int row = 0; row < 6; ++row) {
            for (int column = 1; column < 7; ++column) {
                EXPECT_EQ(list->topLevelItem(row)->text(column).toStdString(),
                          form.LVExceptions.Item(row + 1).SubItems(column));
            }
        }
    });
}

TEST_F(WindowTest, TheCloseBoxGoesThroughTheFormsUnloadHandling) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        QTest::keyClicks(Widget<QLineEdit>(dialog, "txtDescription"), "!");
        harness.boxes->Answer(platform::answer::kCancel);
        dialog.close();
        EXPECT_TRUE(form.isLoaded());
        EXPECT_TRUE(dialog.isVisible());
        ASSERT_EQ(harness.boxes->shown().size(), 1u);

        harness.boxes->Answer(platform::answer::kNo);
        dialog.close();
        EXPECT_FALSE(form.isLoaded());
        EXPECT_FALSE(dialog.isVisible());
    });
}

// The program's boxes answer the code of the button clicked: a wrong code would save what the
// person declined.
TEST(QtSeams, BoxesAnswerTheCodeOfTheButtonClicked) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle() + "|" + box->text(), "Confirmation|Save changes?");
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(QtMessageBoxes().show({"Save changes?", platform::mb::kYesNoCancel,
                                     platform::mb::kQuestion, "Confirmation"}),
              platform::answer::kNo);
    QTimer::singleShot(
        0, [] { QApplication::activeModalWidget()->findChild<QPushButton*>("Skip")->click(); });
    EXPECT_EQ(QtConfirmationDialog().show(0, "MSG 12?", 1, 7, "Confirmation"),
              platform::confirm::kSkip);
}

struct LabelEdit {
    const char* what;
    std::function<void(QLineEdit*)> keys;
    const char* expected;
    int caret;    // in the widget and the model afterwards
    int changes;  // Change events the edit makes
};

// The case's name in test listings, not the bytes of the object.
void PrintTo(const LabelEdit& c, std::ostream* os) {
    *os << c.what;
}

class LabelBox : public WindowTest, public ::testing::WithParamInterface<LabelEdit> {};

TEST_P(LabelBox, EditsWhereTheCaretIsAsOneChangeEach) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* label = Widget<QLineEdit>(dialog, "txtDescription");
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(2, label->height() / 2));
        ASSERT_EQ(QApplication::focusWidget(), label);
        int changes = 0;  // counted, and the form's handler runs as before
        form.txtDescription.Change = [&changes, handler = form.txtDescription.Change] {
            ++changes;
            handler();
        };
        GetParam().keys(label);
        EXPECT_EQ(label->text().toStdString(), GetParam().expected);
        EXPECT_EQ(form.txtDescription.Text(), GetParam().expected);
        EXPECT_EQ(label->cursorPosition(), GetParam().caret);
        EXPECT_EQ(form.txtDescription.SelStart(), label->cursorPosition());
        EXPECT_EQ(changes, GetParam().changes);
        // A change is pending as soon as there is one, in the model and on the screen.
        EXPECT_EQ(Widget<QPushButton>(dialog, "cmdApply")->isEnabled(), GetParam().changes > 0);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Window, LabelBox,
    ::testing::Values(LabelEdit{"TypedInTheMiddle",
                                [](QLineEdit* e) {
                                    QTest::keyClick(e, Qt::Key_End);
                                    for (int i = 0; i < 3; ++i)
                                        QTest::keyClick(e, Qt::Key_Left);
                                    QTest::keyClicks(e, "-");
                                },
                                "Recept-ion", 7, 1},
                      // 30 characters at most: the model drops the rest, and so does the widget.
                      LabelEdit{"TypedPastMaxLength",
                                [](QLineEdit* e) {
                                    QTest::keyClick(e, Qt::Key_End);
                                    QTest::keyClicks(e, QString(25, QLatin1Char('x')));
                                },
                                "Receptionxxxxxxxxxxxxxxxxxxxxx", 30, 21},
                      LabelEdit{"ReplacingASelection",
                                [](QLineEdit* e) {
                                    QTest::keyClick(e, Qt::Key_Home);
                                    for (int i = 0; i < 3; ++i)
                                        QTest::keyClick(e, Qt::Key_Right, Qt::ShiftModifier);
                                    QTest::keyClicks(e, "X");
                                },
                                "Xeption", 1, 1},
                      LabelEdit{"PastedAsOneChange",
                                [](QLineEdit* e) {
                                    QTest::keyClick(e, Qt::Key_Home);
                                    Paste(e, QStringLiteral("Main "));
                                },
                                "Main Reception", 5, 1},
                      // As a limited box takes it: cut to the room left, as one change.
                      LabelEdit{"APastePastMaxLengthIsCutToTheRoomLeft",
                                [](QLineEdit* e) {
                                    QTest::keyClick(e, Qt::Key_End);
                                    Paste(e, QString(25, QLatin1Char('x')));
                                },
                                "Receptionxxxxxxxxxxxxxxxxxxxxx", 30, 1}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(WindowTest, APasteIntoTheDialIsCheckedAsOneChange) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* dial = Widget<QLineEdit>(dialog, "txtDial");
        QTest::mouseClick(dial, Qt::LeftButton);
        QTest::keyClick(dial, Qt::Key_End);
        Paste(dial, QStringLiteral("12-34"));
        EXPECT_EQ(dial->text(), "2001");
        EXPECT_EQ(form.txtDial.Text(), "2001");
        Paste(dial, QStringLiteral("12,34"));
        EXPECT_EQ(dial->text(), "200112,34");
    });
}

// After a refused dial the box has the focus with its whole text selected, so that what is
// typed next replaces it. Return in the box presses the default button, OK.
TEST_F(WindowTest, AfterARefusedDialItsBoxHasTheFocusWithTheTextSelected) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* dial = Widget<QLineEdit>(dialog, "txtDial");
        QTest::mouseClick(dial, Qt::LeftButton);
        QTest::keyClick(dial, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(dial, "aut");
        QTest::keyClick(dial, Qt::Key_Return);
        EXPECT_EQ(harness.boxTexts(), std::vector<std::string>{"AUT is Invalid Data"});
        EXPECT_TRUE(form.isLoaded());
        EXPECT_EQ(QApplication::focusWidget(), dial);
        EXPECT_EQ(dial->selectedText(), "AUT");
        QTest::keyClicks(QApplication::focusWidget(), "1");
        EXPECT_EQ(dial->text(), "1");
    });
}

TEST_F(WindowTest, TheWheelChangesAComboOnlyWhileItHasTheFocus) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        auto* style = Widget<QComboBox>(dialog, "cmbXStyle");
        const auto wheel = [&] {
            const QPointF at(style->width() / 2.0, style->height() / 2.0);
            QWheelEvent event(at, style->mapToGlobal(at), {}, QPoint(0, -120), Qt::NoButton, {},
                              Qt::NoScrollPhase, false);
            QApplication::sendEvent(style, &event);
        };
        const std::string before = form.cmbXStyle.Text();
        wheel();
        EXPECT_EQ(form.cmbXStyle.Text(), before);
        EXPECT_NE(QApplication::focusWidget(), style);
        EXPECT_FALSE(form.cmdApply.Enabled());

        auto* dial = Widget<QLineEdit>(dialog, "txtDial");
        QTest::mouseClick(dial, Qt::LeftButton);
        QTest::keyClick(dial, Qt::Key_Tab);
        ASSERT_EQ(QApplication::focusWidget(), style);
        wheel();
        EXPECT_NE(form.cmbXStyle.Text(), before);
        EXPECT_TRUE(form.cmdApply.Enabled());
    });
}

TEST_F(WindowTest, EscapeIsCancelAndLeavesAnUnchangedNode) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
        QTest::keyClick(Widget<QLineEdit>(dialog, "txtDial"), Qt::Key_Escape);
        EXPECT_FALSE(form.isLoaded());
        EXPECT_FALSE(dialog.isVisible());
    });
}

TEST_F(WindowTest, TheListShowsItsCurrentRowWhenTabbedInto) {
    OnNode(1, 1, [&](GUI&, FormDialog& dialog) {
        auto* list = Widget<QAbstractItemView>(dialog, "LVExceptions");
        const QImage before = list->grab().toImage();
        list->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(list->hasFocus());
        EXPECT_TRUE(list->currentIndex().isValid());
        EXPECT_NE(list->grab().toImage(), before);  // the focus is drawn
    });
}

class LargePartition : public WindowTest {
  protected:
    LargePartition() { addLargePartition(); }
};

TEST_F(LargePartition, TheSelectorsDropDownScrollsToTheLastNode) {
    OnNode(kLargePartition, 1, [&](GUI& form, FormDialog& dialog) {
        auto* selector = Widget<QComboBox>(dialog, "cmbNode");
        ASSERT_EQ(selector->count(), 999);
        QTest::mouseClick(selector, Qt::LeftButton);
        QAbstractItemView* popup = selector->view();
        ASSERT_TRUE(popup->isVisible());
        QScrollBar* bar = popup->verticalScrollBar();
        EXPECT_TRUE(bar->isVisible());
        // As wide as its longest entry, with the scrollbar beside it.
        const int entry = popup->fontMetrics().horizontalAdvance(QStringLiteral("XFER 999"));
        EXPECT_GE(popup->viewport()->width(), entry);

        bar->setValue(bar->maximum());
        const QModelIndex last =
            popup->indexAt(QPoint(4, popup->viewport()->height() - popup->sizeHintForRow(0) / 2));
        ASSERT_EQ(last.data().toString(), "XFER 999");
        // A release right after the press that opened the list is not a choice.
        QTest::qWait(QApplication::doubleClickInterval() + 50);
        QTest::mouseClick(popup->viewport(), Qt::LeftButton, {}, popup->visualRect(last).center());
        EXPECT_EQ(form.nodeNumber(), 999);
        EXPECT_EQ(selector->currentIndex(), form.cmbNode.ListIndex());
        EXPECT_EQ(Widget<QLabel>(dialog, "lblRecordPosition")->text(), "999 of 999");
    });
}

}  // namespace
}  // namespace xfer::desktop::test
