#include "desktop/qt_platform.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>

#include "desktop/form_dialog.h"
#include "editor/controls/form_base.h"

namespace xfer::desktop {

namespace {

QString Q(const std::string& text) {
    QString shown = QString::fromStdString(text);
    shown.remove(QLatin1Char('\r'));
    return shown;
}

// The window a box belongs to: the dialog in front, if any.
QWidget* Owner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::StandardButtons ButtonsOf(int buttons) {
    switch (buttons & platform::mb::kButtonsMask) {
        case platform::mb::kOKCancel:
            return QMessageBox::Ok | QMessageBox::Cancel;
        case 2:
            return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
        case platform::mb::kYesNoCancel:
            return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
        case platform::mb::kYesNo:
            return QMessageBox::Yes | QMessageBox::No;
        case 5:
            return QMessageBox::Retry | QMessageBox::Cancel;
        default:
            return QMessageBox::Ok;
    }
}

QMessageBox::Icon IconOf(int icon) {
    switch (icon & platform::mb::kIconMask) {
        case platform::mb::kCritical:
            return QMessageBox::Critical;
        case platform::mb::kQuestion:
            return QMessageBox::Question;
        case platform::mb::kExclamation:
            return QMessageBox::Warning;
        case platform::mb::kInformation:
            return QMessageBox::Information;
        default:
            return QMessageBox::NoIcon;
    }
}

int CodeOf(QMessageBox::StandardButton button) {
    switch (button) {
        case QMessageBox::Ok:
            return platform::answer::kOK;
        case QMessageBox::Cancel:
            return platform::answer::kCancel;
        case QMessageBox::Abort:
            return 3;
        case QMessageBox::Retry:
            return 4;
        case QMessageBox::Ignore:
            return 5;
        case QMessageBox::Yes:
            return platform::answer::kYes;
        case QMessageBox::No:
            return platform::answer::kNo;
        default:
            return 0;
    }
}

// A message box is as wide as its title needs, so that the title is never cut; the room for
// the window's own buttons beside it is a guess, as Qt cannot know the window manager's.
void WidenForTitle(QMessageBox& box) {
    constexpr int kTitleBarChrome = 120;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int wanted =
        QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + kTitleBarChrome;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Minimum),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
}

// The creation prompt: a question box whose buttons answer their own codes, and whose close
// box and Escape answer 0, "closed".
class QuestionBox final : public QMessageBox {
  public:
    explicit QuestionBox(QWidget* owner) : QMessageBox(owner) {
        setIcon(QMessageBox::Question);
        setTextFormat(Qt::PlainText);
    }
    long answer() const noexcept { return answer_; }
    void answer(long code) { answer_ = code; }

  protected:
    void closeEvent(QCloseEvent* event) override {
        event->accept();
        done(0);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (event->matches(QKeySequence::Cancel)) {
            done(0);
            return;
        }
        QMessageBox::keyPressEvent(event);
    }

  private:
    long answer_ = 0;
};

}  // namespace

int QtMessageBoxes::show(const platform::MessageBoxRequest& request) {
    QMessageBox box(IconOf(request.icon), Q(request.title), Q(request.text),
                    ButtonsOf(request.buttons), Owner());
    box.setTextFormat(Qt::PlainText);
    // The first button is the default one, the one Enter presses.
    const auto buttons = box.buttons();
    if (!buttons.isEmpty()) {
        QAbstractButton* first = buttons.front();
        for (QAbstractButton* b : buttons) {
            if (box.buttonRole(b) == QMessageBox::AcceptRole ||
                box.buttonRole(b) == QMessageBox::YesRole) {
                first = b;
                break;
            }
        }
        box.setDefaultButton(qobject_cast<QPushButton*>(first));
    }
    WidenForTitle(box);
    box.exec();
    const int code = box.clickedButton() ? CodeOf(box.standardButton(box.clickedButton())) : 0;
    return code != 0 ? code : platform::DefaultAnswer(request.buttons);
}

QtMousePointer::~QtMousePointer() {
    if (current_ == platform::Pointer::Hourglass && qApp != nullptr) {
        QGuiApplication::restoreOverrideCursor();
    }
}

void QtMousePointer::set(platform::Pointer pointer) {
    if (pointer == current_)
        return;
    if (pointer == platform::Pointer::Hourglass) {
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QGuiApplication::restoreOverrideCursor();
    }
    current_ = pointer;
}

long QtConfirmationDialog::show(short, const std::string& prompt, long defaultButton, long,
                                const std::string& title) {
    QuestionBox box(Owner());
    box.setWindowTitle(Q(title));
    box.setText(Q(prompt));
    struct Choice {
        const char* name;
        const char* caption;
        long code;
    };
    const Choice choices[] = {{"Create", "&Create", platform::confirm::kCreate},
                              {"Create all", "Create &all", platform::confirm::kCreateAll},
                              {"Skip", "&Skip", platform::confirm::kSkip},
                              {"Stop", "S&top", platform::confirm::kStop}};
    long position = 1;
    for (const Choice& choice : choices) {
        QPushButton* button =
            box.addButton(QString::fromLatin1(choice.caption), QMessageBox::ActionRole);
        button->setObjectName(QString::fromLatin1(choice.name));
        button->setAccessibleName(QString::fromLatin1(choice.name));
        if (position++ == defaultButton)
            box.setDefaultButton(button);
        QObject::connect(button, &QPushButton::clicked, &box,
                         [&box, code = choice.code] { box.answer(code); });
    }
    WidenForTitle(box);
    box.exec();
    return box.answer();
}

void QtWindowSystem::showModal(platform::Window& window) {
    auto& form = dynamic_cast<editor::FormBase&>(window);
    FormDialog dialog(form);
    while (form.isLoaded())
        dialog.exec();
}

void QtWindowSystem::repaint() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

}  // namespace xfer::desktop
