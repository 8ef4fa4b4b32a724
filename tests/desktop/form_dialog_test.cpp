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
