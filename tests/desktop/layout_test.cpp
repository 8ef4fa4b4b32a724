// Every value a large partition can show, laid out with the widgets' own font metrics at the
// scale the run was started with (QT_SCALE_FACTOR): each text is shown whole, or its beginning
// followed by "…", never cut so that it reads as another value. The screenshots in docs/ are
// taken here too, of edit mode.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QFontDatabase>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QTimer>
#include <QTreeWidget>

#include "desktop/qt_platform.h"
#include "desktop/widgets.h"
#include "desktop/window_fixture.h"

namespace xfer::desktop::test {
namespace {

using editor::GUI;

// With the form's own font the values the layout was made for are shown whole.
bool FormFont() {
    return QFontInfo(QApplication::font()).family() == QStringLiteral("Tahoma");
}

void ExpectShown(const QString& full, const QString& shown, const QFontMetrics& metrics, int room,
                 bool whole) {
    SCOPED_TRACE(full.toStdString() + " shown as " + shown.toStdString());
    EXPECT_LE(metrics.horizontalAdvance(shown), room);
    if (shown != full) {
        EXPECT_FALSE(whole && FormFont()) << "cut although the layout has room for it";
        ASSERT_TRUE(shown.endsWith(QChar(0x2026)));
        EXPECT_TRUE(full.startsWith(shown.chopped(1)));
    }
}

void ExpectShown(ElidedLabel* label, bool whole) {
    label->grab();  // paints it
    ExpectShown(label->text().remove(QLatin1Char('&')), label->shownText(), label->fontMetrics(),
                label->contentsRect().width(), whole);
}

void ExpectShown(ModelComboBox* combo, bool whole) {
    combo->grab();
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = false;
    const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxEditField, combo);
    // The label is drawn one pixel in from each side of the field.
    ExpectShown(combo->currentText(), combo->shownText(), combo->fontMetrics(), field.width() - 2,
                whole);
}

void ExpectCaptionsShown(FormDialog& dialog) {
    for (ElidedLabel* label : dialog.findChildren<ElidedLabel*>()) {
        if (label->isVisible())
            ExpectShown(label, true);
    }
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
        QStyleOptionButton option;
        option.initFrom(button);
        const QRect room =
            button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
        QString caption = button->text();
        caption.remove(QLatin1Char('&'));
        EXPECT_LE(button->fontMetrics().horizontalAdvance(caption), room.width())
            << caption.toStdString();
    }
}

class Layout : public WindowTest {
  protected:
    Layout() { addLargePartition(); }
};

TEST_F(Layout, EveryStyleNodeAndPositionOfALargePartitionIsShownWholeOrElided) {
    OnNode(kLargePartition, 999, [&](GUI& form, FormDialog& dialog) {
        ExpectCaptionsShown(dialog);
        auto* style = Widget<ModelComboBox>(dialog, "cmbXStyle");
        auto* selector = Widget<ModelComboBox>(dialog, "cmbNode");
        auto* position = Widget<ElidedLabel>(dialog, "lblRecordPosition");
        ASSERT_EQ(style->count(), 999);
        ASSERT_EQ(selector->count(), 999);
        EXPECT_EQ(position->text(), "999 of 999");
        for (int i = 0; i < 999; ++i) {
            const QSignalBlocker quiet(style), quietToo(selector);
            style->setCurrentIndex(i);
            selector->setCurrentIndex(i);
            ExpectShown(style, true);
            ExpectShown(selector, true);
            form.lblRecordPosition.setCaption(std::to_string(i + 1) + " of 999");
            ExpectShown(position, true);
        }
        // The style's label beside it: too long for its box, shown elided while not edited.
        form.txtXStyleDescription.setText(std::string(40, 'W'));
        auto* description = Widget<ElidedLineEdit>(dialog, "txtXStyleDescription");
        description->grab();
        EXPECT_TRUE(description->shownText().endsWith(QChar(0x2026)));
        EXPECT_LE(description->fontMetrics().horizontalAdvance(description->shownText()),
                  description->width());
    });
}

TEST_F(Layout, TheHighestNodeNumberFitsItsPickerAndItsDropDown) {
    OnNode(kLargePartition, 1, [&](GUI& form, FormDialog& dialog) {
        QTest::mouseClick(Widget<QPushButton>(dialog, "cmdExceptionsEdit"), Qt::LeftButton);
        ASSERT_TRUE(form.cmbHoldNumber.Visible());
        auto* number = Widget<ModelComboBox>(dialog, "cmbHoldNumber");
        ASSERT_EQ(number->count(), 32767);
        QLineEdit* edit = number->lineEdit();
        QTest::mouseClick(edit, Qt::LeftButton);
        QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(edit, "32767");
        ASSERT_EQ(form.cmbHoldNumber.Text(), "32767");
        // The text box inside the picker scrolls instead of eliding: the number must fit whole,
        // with QLineEdit's two pixels on each side and the caret.
        EXPECT_LE(edit->fontMetrics().horizontalAdvance(edit->text()), edit->width() - 5);
        // The picker stays over the list.
        auto* list = Widget<QTreeWidget>(dialog, "LVExceptions");
        EXPECT_LE(number->geometry().right(), list->geometry().right());

        number->showPopup();
        QAbstractItemView* popup = number->view();
        ASSERT_TRUE(popup->isVisible());
        EXPECT_GE(popup->viewport()->width() - 4,
                  popup->fontMetrics().horizontalAdvance(QStringLiteral("32767")));
        number->hidePopup();
        ExpectCaptionsShown(dialog);
    });
}

// Every drop-down's rows are at least a line of its font plus 4 pixels high.
TEST_F(Layout, DropDownRowsAreALineOfTheFontAndFourPixelsHigh) {
    OnNode(kLargePartition, 1, [&](GUI&, FormDialog& dialog) {
        int measured = 0;
        for (auto* combo : dialog.findChildren<ModelComboBox*>()) {
            if (combo->count() == 0)
                continue;  // a picker of no row
            ++measured;
            EXPECT_GE(combo->view()->sizeHintForRow(0), combo->view()->fontMetrics().height() + 4)
                << combo->objectName().toStdString();
        }
        EXPECT_GE(measured, 2);
    });
}

struct Asked {
    const char* what;
    std::function<long()> ask;
    QMessageBox::Icon icon;
    const char* buttons;  // what the box exposes to a screen reader, in order
    long answer;          // after Enter
};

void PrintTo(const Asked& c, std::ostream* os) {
    *os << c.what;
}

class Boxes : public Layout, public ::testing::WithParamInterface<Asked> {};

// A box shows its title whole, its text and buttons to a screen reader, and Enter answers its
// default button.
TEST_P(Boxes, ShowTheirTitleWholeAndTellAScreenReaderWhatTheyAsk) {
    QTimer::singleShot(0, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->icon(), GetParam().icon);
        QFont bold = box->font();
        bold.setBold(true);
        EXPECT_GE(box->width(), QFontMetrics(bold).horizontalAdvance(box->windowTitle()) + 100);
        QStringList exposed;
        const std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* node) {
            if (node->role() == QAccessible::PushButton)
                exposed << node->text(QAccessible::Name).remove(QLatin1Char('&'));
            if (node->role() == QAccessible::StaticText &&
                node->text(QAccessible::Name) == box->text())
                exposed << QStringLiteral("text");
            for (int i = 0; i < node->childCount(); ++i)
                read(node->child(i));
        };
        read(QAccessible::queryAccessibleInterface(box));
        exposed.sort();
        EXPECT_EQ(exposed.join(u'|'), GetParam().buttons);
        for (QAbstractButton* button : box->buttons()) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect room =
                button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
            EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text().remove(u'&')),
                      room.width());
        }
        QTest::keyClick(box, Qt::Key_Return);
    });
    EXPECT_EQ(GetParam().ask(), GetParam().answer);
}

INSTANTIATE_TEST_SUITE_P(
    Layout, Boxes,
    ::testing::Values(Asked{"CreationPrompt",
                            [] {
                                return QtConfirmationDialog().show(
                                    0, "MSG 12 doesn't exist. Create it?", 1, 7, "Confirmation");
                            },
                            QMessageBox::Question, "Create|Create all|Skip|Stop|text",
                            platform::confirm::kCreate},
                      Asked{"ShortInformation",
                            [] {
                                return static_cast<long>(QtMessageBoxes().show(
                                    {"XFER 7 doesn't exist.", platform::mb::kOKOnly,
                                     platform::mb::kInformation, "Information"}));
                            },
                            QMessageBox::Information, "OK|text", platform::answer::kOK}),
    [](const auto& info) { return std::string(info.param.what); });

// Edit mode lays the row's pickers over the row that was clicked, at every scale the run is
// started with; that moment is the README's screenshot: editor.png at 1, editor@2x.png at 2.
TEST_F(WindowTest, Screenshot) {
    OnNode(1, 1, [&](GUI& form, FormDialog& dialog) {
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

        const QPixmap shot = dialog.grab();
        const qreal ratio = shot.devicePixelRatio();
        const QString name =
            ratio == 1 ? QStringLiteral("editor.png") : QStringLiteral("editor@%1x.png").arg(ratio);
        EXPECT_TRUE(shot.save(QStringLiteral(XFER_SCREENSHOT_DIR "/") + name));
    });
}

}  // namespace
}  // namespace xfer::desktop::test
