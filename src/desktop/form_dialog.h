#pragma once
// A QDialog that mirrors a form view model: one widget per control, placed at the control's
// position (twips / 15: Qt's 96 device-independent pixels per inch), following every property
// change through the control's observer, and handing every user action to UserActions.
// Widgets are named after their controls. Nothing here knows the form's handlers; what each
// kind of control needs is its binder's (control_binder.h).

#include <QDialog>
#include <QPointer>
#include <memory>
#include <set>
#include <unordered_map>
#include <vector>

#include "desktop/control_binder.h"
#include "editor/controls/control.h"
#include "editor/controls/user_actions.h"

class QStyle;

namespace xfer::editor {
class FormBase;
}

namespace xfer::desktop {

class FormDialog final : public QDialog, private BinderContext {
  public:
    explicit FormDialog(editor::FormBase& form, QWidget* parent = nullptr);
    ~FormDialog() override;

    QWidget* widgetOf(const editor::Control& control) const;

  protected:
    // The window's close box (and anything else that would dismiss the dialog) goes through
    // the form's unload handling; the dialog closes only when the form was unloaded.
    void reject() override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // BinderContext
    void act(const std::function<void()>& action) override;
    void handSelection(const std::function<void()>& hand) override;
    bool busy() const override { return syncing_ > 0 || acting_ > 0 || closing_; }
    editor::UserActions& user() override { return user_; }
    void watchFocus(editor::Control& control, QWidget* widget) override;
    void fitWidth(editor::Control& control) override;
    QStyle* comboStyle() override { return comboStyle_; }

    ControlBinder* binderOf(const editor::Control& control) const;

    // Model to widget. `what` narrows the work; Prop::All refreshes everything.
    void refresh(editor::Control& control, editor::Prop what);
    void refreshState();
    void refreshFocus(editor::Control& control, QWidget* widget);
    // Focus the user gave, and where it goes back to after an action took it away.
    void rememberFocus(QWidget* widget);
    bool canTakeFocus(const QWidget* widget) const;
    void restoreFocus();
    void resizeToForm();

    // Places the widget at the control's position. A label or combo box whose text needs more
    // room than its width takes it from free space on its right (never covering a visible
    // neighbour); what still does not fit is drawn elided.
    int freeRightEdge(const editor::Control& control) const;

    editor::FormBase& form_;
    editor::UserActions user_;
    std::unordered_map<const editor::Control*, std::unique_ptr<ControlBinder>> binders_;
    std::unordered_map<const QObject*, editor::Control*> focusTargets_;
    QStyle* comboStyle_ = nullptr;
    int syncing_ = 0;  // > 0 while model changes are written to widgets
    int acting_ = 0;   // > 0 while a user action runs in the model
    int handing_ = 0;  // > 0 while the user's selection goes to the model
    bool closing_ = false;
    std::vector<QPointer<QWidget>> focusHistory_;
    std::set<editor::Control*> pendingLists_;
};

}  // namespace xfer::desktop
