#include "desktop/form_dialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "desktop/accessible_names.h"
#include "desktop/dialog_combo_style.h"
#include "desktop/mnemonics.h"
#include "editor/controls/form_base.h"
#include "editor/controls/simple_controls.h"
#include "runtime/error.h"

namespace xfer::desktop {

using editor::ControlKind;
using editor::Prop;

namespace {

QFont FontOf(const editor::Control& control) {
    QFont font = QApplication::font();
    const QString family = QText(control.FontName());
    if (QFontDatabase::hasFamily(family))
        font.setFamily(family);
    font.setPointSizeF(control.FontSize());
    font.setBold(control.FontBold());
    return font;
}

}  // namespace

// Construction ----------------------------------------------------------------------------------

FormDialog::FormDialog(editor::FormBase& form, QWidget* parent)
    : QDialog(parent), form_(form), user_(form) {
    setWindowTitle(QText(form.Caption()));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                   Qt::MSWindowsFixedSizeDialogHint);
    NameComboBoxesByPurpose();
    comboStyle_ = new DialogComboStyle;
    comboStyle_->setParent(this);

    for (editor::Control* control : form.controls()) {
        if (auto binder = MakeBinder(*control, *this, this)) {
            QWidget* widget = binder->widget();
            widget->setObjectName(QText(control->Name()));
            const QString name = AccessibleName(control->Name());
            if (!name.isEmpty()) {
                widget->setAccessibleName(name);
                if (auto* combo = qobject_cast<QComboBox*>(widget); combo && combo->lineEdit())
                    combo->lineEdit()->setAccessibleName(name);
            }
            binders_[control] = std::move(binder);
        }
    }
    // Parents in tab order: containers come before what they contain, and a control laid
    // over another (the pickers over the list) comes after it, so it is drawn on top.
    QWidget* previous = nullptr;
    for (editor::Control* control : form.controls()) {
        QWidget* widget = widgetOf(*control);
        if (widget == nullptr)
            continue;
        QWidget* parentWidget = control->Container() ? widgetOf(*control->Container()) : this;
        widget->setParent(parentWidget ? parentWidget : this);
        watchFocus(*control, widget);
        binderOf(*control)->connectInput();
        if (widget->focusPolicy() != Qt::NoFocus) {
            if (previous != nullptr)
                setTabOrder(previous, widget);
            previous = widget;
        }
        control->setObserver([this](editor::Control& c, Prop what) {
            // Rebuilding the list's rows while Qt is still delivering the click that changed
            // them would pull the clicked row away; finish the action first.
            if (acting_ > 0 && what == Prop::Entries && c.kind() == ControlKind::ListView) {
                pendingLists_.insert(&c);
                return;
            }
            refresh(c, what);
        });
    }
    for (const Mnemonic& mnemonic : Mnemonics()) {
        editor::Control* control = form.findControl(mnemonic.control);
        editor::Control* buddy = mnemonic.buddy ? form.findControl(mnemonic.buddy) : nullptr;
        auto* label = control ? qobject_cast<QLabel*>(widgetOf(*control)) : nullptr;
        if (label != nullptr && buddy != nullptr)
            label->setBuddy(widgetOf(*buddy));
    }
    for (editor::Control* control : form.controls())
        refresh(*control, Prop::All);
    form.FormChanged = [this] { resizeToForm(); };
    resizeToForm();
}

FormDialog::~FormDialog() {
    closing_ = true;
    for (editor::Control* control : form_.controls())
        control->setObserver(nullptr);
    form_.FormChanged = nullptr;
}

ControlBinder* FormDialog::binderOf(const editor::Control& control) const {
    const auto it = binders_.find(&control);
    return it == binders_.end() ? nullptr : it->second.get();
}

QWidget* FormDialog::widgetOf(const editor::Control& control) const {
    ControlBinder* binder = binderOf(control);
    return binder ? binder->widget() : nullptr;
}

void FormDialog::resizeToForm() {
    setFixedSize(Pixels(form_.ClientWidth()), Pixels(form_.ClientHeight()));
}

// User input ------------------------------------------------------------------------------------

void FormDialog::watchFocus(editor::Control& control, QWidget* widget) {
    focusTargets_[widget] = &control;
    widget->installEventFilter(this);
}

bool FormDialog::eventFilter(QObject* watched, QEvent* event) {
    if (closing_)
        return false;
    const auto it = focusTargets_.find(watched);
    if (it == focusTargets_.end())
        return QDialog::eventFilter(watched, event);
    editor::Control& control = *it->second;
    if (event->type() == QEvent::FocusIn && syncing_ == 0) {
        // Only a user's mouse or key moves the model's focus; focus that Qt moves by itself
        // (a window activated, a popup closed) or that we set from the model does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::MouseFocusReason || reason == Qt::TabFocusReason ||
            reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            rememberFocus(static_cast<QWidget*>(watched));
            act([&] { user_.focus(control); });
        }
    } else if (event->type() == QEvent::KeyPress) {
        if (binderOf(control)->keyPressed(*static_cast<QKeyEvent*>(event)))
            return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormDialog::handSelection(const std::function<void()>& hand) {
    // The model takes a selection in steps (its start, then its length); showing each step
    // would lose the widget's anchor. The binder shows the end result where the rules changed it.
    ++syncing_;
    ++handing_;
    hand();
    --handing_;
    --syncing_;
}

void FormDialog::rememberFocus(QWidget* widget) {
    std::erase(focusHistory_, widget);
    focusHistory_.emplace_back(widget);
    if (focusHistory_.size() > 8)
        focusHistory_.erase(focusHistory_.begin());
}

bool FormDialog::canTakeFocus(const QWidget* widget) const {
    return widget != nullptr && isAncestorOf(widget) && widget->isEnabled() &&
           widget->isVisible() && widget->focusPolicy() != Qt::NoFocus;
}

void FormDialog::restoreFocus() {
    // Disabling the frame (while saving, while a box asks) takes the focus away and enabling
    // it again does not give it back: the focus goes where the model put it, else where the
    // user last put it, else to the first control of the tab order.
    QWidget* modal = QApplication::activeModalWidget();
    if (!isVisible() || (modal != nullptr && modal != this))
        return;
    QWidget* now = QApplication::focusWidget();
    for (const auto& [control, binder] : binders_) {
        if (control->hasFocus() && canTakeFocus(binder->widget()))
            return;  // refreshFocus gave it already
    }
    if (canTakeFocus(now) && !focusHistory_.empty() && focusHistory_.back() == now)
        return;
    for (auto it = focusHistory_.rbegin(); it != focusHistory_.rend(); ++it) {
        if (canTakeFocus(*it)) {
            (*it)->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
    if (canTakeFocus(now))
        return;
    for (editor::Control* control : form_.controls()) {
        QWidget* widget = widgetOf(*control);
        if (canTakeFocus(widget) && (widget->focusPolicy() & Qt::TabFocus)) {
            widget->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void FormDialog::act(const std::function<void()>& action) {
    if (syncing_ > 0 || closing_)
        return;
    ++acting_;
    try {
        action();
    } catch (const runtime::Error& error) {
        // The handlers trap their own errors; this is a fault of the view's request itself.
        QMessageBox::warning(this, QStringLiteral("Error"), QText(error.description()));
    }
    --acting_;
    if (acting_ > 0)
        return;
    const auto lists = std::exchange(pendingLists_, {});
    for (editor::Control* list : lists)
        refresh(*list, Prop::Entries);
    refreshState();
    if (!form_.isLoaded()) {
        QDialog::done(QDialog::Accepted);
        return;
    }
    ++syncing_;
    restoreFocus();
    --syncing_;
}

void FormDialog::reject() {
    act([&] { user_.closeBox(); });
}

void FormDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        // Escape presses the form's cancel button.
        for (editor::Control* control : form_.controls()) {
            auto* button = dynamic_cast<editor::CommandButton*>(control);
            if (button != nullptr && button->Cancel()) {
                act([&] { user_.click(*button); });
                break;
            }
        }
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Model to widgets ------------------------------------------------------------------------------

void FormDialog::refreshState() {
    // After a user action, whatever the model refused or changed back must show again.
    for (editor::Control* control : form_.controls()) {
        for (Prop what : {Prop::Geometry, Prop::Enabled, Prop::Visible, Prop::Text, Prop::ListIndex,
                          Prop::Cells, Prop::Scroll, Prop::Focus}) {
            refresh(*control, what);
        }
    }
}

void FormDialog::refresh(editor::Control& control, Prop what) {
    ControlBinder* binder = binderOf(control);
    if (binder == nullptr || closing_ || (what == Prop::Selection && handing_ > 0))
        return;
    QWidget* widget = binder->widget();
    ++syncing_;
    const bool all = what == Prop::All;
    if (all)
        widget->setFont(FontOf(control));
    if (all || what == Prop::Geometry || what == Prop::Visible)
        fitWidth(control);
    if (all || what == Prop::Enabled)
        widget->setEnabled(control.Enabled());
    if ((all || what == Prop::Visible) &&
        widget->isVisibleTo(widget->parentWidget()) != control.Visible()) {
        widget->setVisible(control.Visible());
    }
    if (all || what == Prop::Entries)
        binder->refreshEntries();
    if (all || what == Prop::Text || what == Prop::Cells || what == Prop::Panels)
        binder->refreshText();
    if (all || what == Prop::ListIndex || what == Prop::Selection || what == Prop::Scroll)
        binder->refreshSelection(what);
    if (all || what == Prop::Focus)
        refreshFocus(control, widget);
    --syncing_;
}

void FormDialog::fitWidth(editor::Control& control) {
    ControlBinder* binder = binderOf(control);
    QRect rect(Pixels(control.Left()), Pixels(control.Top()), Pixels(control.Width()),
               Pixels(control.Height()));
    const int needed = binder->neededWidth();
    if (needed > rect.width())
        rect.setWidth(
            std::max(rect.width(), std::min(needed, freeRightEdge(control) - rect.left())));
    if (binder->widget()->geometry() != rect)
        binder->widget()->setGeometry(rect);
}

int FormDialog::freeRightEdge(const editor::Control& control) const {
    const int top = control.Top();
    const int bottom = control.Top() + control.Height();
    int edge = control.Container() ? control.Container()->Width() : form_.ClientWidth();
    for (const editor::Control* other : form_.controls()) {
        if (other == &control || other->Container() != control.Container() || !other->Visible() ||
            other->Top() >= bottom || other->Top() + other->Height() <= top) {
            continue;
        }
        const int otherRight = other->Left() + other->Width();
        if (other->kind() == ControlKind::ListView) {
            // The pickers lie over the list's rows by design: they may grow up to its edge.
            if (control.Left() >= other->Left() && control.Left() < otherRight)
                edge = std::min(edge, otherRight);
        } else if (other->Left() > control.Left()) {
            edge = std::min(edge, other->Left());
        }
    }
    return Pixels(edge);
}

void FormDialog::refreshFocus(editor::Control& control, QWidget* widget) {
    if (!control.hasFocus() || widget->hasFocus())
        return;
    widget->setFocus(Qt::OtherFocusReason);
}

}  // namespace xfer::desktop
