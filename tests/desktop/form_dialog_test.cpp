// The Qt view of the form: widgets show what the view model holds, and what a user does to a
// widget reaches the model through its user actions.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "desktop/qt_platform.h"
#include "desktop/window_fixture.h"

namespace xfer::desktop {
namespace {

using editor::GUI;

// XFER 1 ("Reception") of the window tests' partition of two.
class FormDialogTest : public test::WindowTest {
  protected:
    void OnReception(const std::function<void(GUI&, FormDialog&)>& body) { OnNode(1, 1, body); }
};

TEST_F(FormDialogTest, WidgetsShowWhatTheModelHolds) {
    OnReception([](GUI& form, FormDialog& dialog) {
        EXPECT_EQ(Widget<QLineEdit>(dialog, "txtDescription")->text(), "Reception");
        EXPECT_EQ(Widget<QLineEdit>(dialog, "txtDial")->text(), "2001");
        EXPECT_EQ(Widget<QComboBox>(dialog, "cmbXStyle")->currentText(),
                  QString::fromStdString(form.cmbXStyle.Text()));
        EXPECT_EQ(Widget<QLabel>(dialog, "lblRecordPosition")->text(),
                  QString::fromStdString(form.lblRecordPosition.Caption()));
        EXPECT_FALSE(Widget<QPushButton>(dialog, "cmdApply")->isEnabled());
        EXPECT_FALSE(Widget<QComboBox>(dialog, "cmbHoldNode")->isVisible());

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

TEST_F(FormDialogTest, TypingReachesTheModelAndWhatItRefusesDoesNotStay) {
    OnReception([](GUI& form, FormDialog& dialog) {
        auto* label = Widget<QLineEdit>(dialog, "txtDescription");
        QTest::keyClick(label, Qt::Key_End);
        QTest::keyClicks(label, " desk");
        EXPECT_EQ(form.txtDescription.Text(), "Reception desk");
        EXPECT_TRUE(Widget<QPushButton>(dialog, "cmdApply")->isEnabled());

        // 30 characters at most: the model drops the rest, and so must the widget.
        QTest::keyClicks(label, std::string(30, 'x').c_str());
        EXPECT_EQ(form.txtDescription.Text().size(), 30u);
        EXPECT_EQ(label->text().toStdString(), form.txtDescription.Text());

        // The dial check puts back the last valid dial string.
        auto* dial = Widget<QLineEdit>(dialog, "txtDial");
        QTest::keyClicks(dial, "-");
        EXPECT_EQ(dial->text(), "2001");
    });
}

TEST_F(FormDialogTest, EditModeLaysThePickersOverTheClickedRow) {
    OnReception([&](GUI& form, FormDialog& dialog) {
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdExceptionsEdit"), Qt::LeftButton);
        ASSERT_EQ(form.cmdExceptionsEdit.Caption(), "Edit Off");

        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        const QRect row = list->visualItemRect(list->topLevelItem(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          QPoint(list->columnViewportPosition(2) + 4, row.center().y()));
        ASSERT_EQ(form.LVExceptions.SelectedItem(), &form.LVExceptions.Item(3));
        EXPECT_TRUE(list->topLevelItem(2)->isSelected());

        auto* type = Widget<QComboBox>(dialog, "cmbBusy1Node");
        auto* number = Widget<QComboBox>(dialog, "cmbBusy1Number");
        ASSERT_TRUE(type->isVisible());
        EXPECT_FALSE(Widget<QComboBox>(dialog, "cmbHoldNode")->isVisible());
        const QRect onFrame(list->viewport()->mapTo(type->parentWidget(), row.topLeft()),
                            row.size());
        EXPECT_TRUE(onFrame.contains(QPoint(onFrame.center().x(), type->geometry().center().y())));
        EXPECT_EQ(number->geometry().left(), type->geometry().right() + 1);

        // The number picker's generated entries are read from the model, all of them.
        EXPECT_EQ(number->count(), form.cmbBusy1Number.ListCount());
        EXPECT_EQ(number->itemText(number->count() - 1).toStdString(),
                  form.cmbBusy1Number.List(form.cmbBusy1Number.ListCount() - 1));
    });
}

TEST_F(FormDialogTest, TheCloseBoxGoesThroughTheFormsUnloadHandling) {
    OnReception([&](GUI& form, FormDialog& dialog) {
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

TEST_F(FormDialogTest, ChoosingARecordInTheSelectorNavigatesThroughTheModel) {
    OnReception([](GUI& form, FormDialog& dialog) {
        auto* selector = Widget<QComboBox>(dialog, "cmbNode");
        QTest::keyClick(selector, Qt::Key_Down);
        EXPECT_EQ(form.nodeNumber(), 2);
        EXPECT_EQ(Widget<QLineEdit>(dialog, "txtDescription")->text(), "Sales desk");
        EXPECT_EQ(selector->currentIndex(), form.cmbNode.ListIndex());
        EXPECT_EQ(Widget<QLabel>(dialog, "lblRecordPosition")->text(),
                  QString::fromStdString(form.lblRecordPosition.Caption()));
    });
}

// Runs `answer` on the modal dialog that `show` opens, once it is up.
template <typename Show>
auto WithModal(Show&& show, std::function<void(QWidget*)> answer) {
    QTimer::singleShot(0, [answer] { answer(QApplication::activeModalWidget()); });
    return show();
}

TEST(QtSeams, MessageBoxesShowWhatIsAskedAndAnswerTheButtonsCode) {
    QtMessageBoxes boxes;
    QString seen;
    const int code = WithModal(
        [&] {
            return boxes.show({"Do you want to save changes?", platform::mb::kYesNoCancel,
                               platform::mb::kQuestion, "Confirmation"});
        },
        [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            ASSERT_NE(box, nullptr);
            seen = box->windowTitle() + "|" + box->text();
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            box->button(QMessageBox::No)->click();
        });
    EXPECT_EQ(seen, "Confirmation|Do you want to save changes?");
    EXPECT_EQ(code, platform::answer::kNo);
}

TEST(QtSeams, ConfirmationDialogAnswersItsCodesAndZeroWhenClosed) {
    QtConfirmationDialog dialog;
    const std::pair<const char*, long> buttons[] = {{"Create", platform::confirm::kCreate},
                                                    {"Create all", platform::confirm::kCreateAll},
                                                    {"Skip", platform::confirm::kSkip},
                                                    {"Stop", platform::confirm::kStop}};
    for (const auto& [caption, code] : buttons) {
        const long answer =
            WithModal([&] { return dialog.show(0, "MSG 12?", 1, 7, "Confirmation"); },
                      [caption = caption](QWidget* modal) {
                          ASSERT_NE(modal, nullptr);
                          modal->findChild<QPushButton*>(caption)->click();
                      });
        EXPECT_EQ(answer, code) << caption;
    }
    EXPECT_EQ(WithModal([&] { return dialog.show(0, "MSG 12?", 1, 7, "Confirmation"); },
                        [](QWidget* modal) { modal->close(); }),
              platform::confirm::kClosed);
}

TEST(QtSeams, TheHourglassIsTheApplicationsOverrideCursor) {
    QtMousePointer pointer;
    pointer.set(platform::Pointer::Hourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    pointer.set(platform::Pointer::Default);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

}  // namespace
}  // namespace xfer::desktop
