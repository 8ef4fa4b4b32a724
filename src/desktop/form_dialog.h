#pragma once
// A QDialog that mirrors a form view model: one widget per control, placed at the control's
// position (twips / 15: Qt's 96 device-independent pixels per inch), following every property
// change through the control's observer, and handing every user action to UserActions.
// Widgets are named after their controls. Nothing here knows the form's handlers.
//
// The binding never fights the user: a property is written to a widget only when it differs
// from what the widget shows, so the caret, the selection, the scroll position and the undo
// history of a text box stay as the user left them unless the model changed them. Every edit
// in a text box (a key, a paste, a cut, a delete, an undo) reaches the model as one change of
// the whole text; the caret and selection the user sets go back to the model as they move, so
// a key is typed where the user sees the caret. Positions are characters in the model and
// UTF-16 units in Qt (text_positions.h).

#include <QDialog>
#include <set>
#include <unordered_map>

#include "editor/controls/control.h"
#include "editor/controls/user_actions.h"

class QLineEdit;
class QStyle;

namespace xfer::editor {
class FormBase;
}

namespace xfer::desktop {

// Twips to device-independent pixels.
int Pixels(int twips);

class FormDialog final : public QDialog {
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
    QWidget* create(editor::Control& control);
    void connectInput(editor::Control& control, QWidget* widget);
    void watchFocus(editor::Control& control, QWidget* widget);

    // Model to widget. `what` narrows the work; Prop::All refreshes everything.
    void refresh(editor::Control& control, editor::Prop what);
    void refreshState();
    void refreshText(editor::Control& control, QWidget* widget);
    void refreshEntries(editor::Control& control, QWidget* widget);
    void refreshSelection(editor::Control& control, QWidget* widget, editor::Prop what);
    void refreshFocus(editor::Control& control, QWidget* widget);
    void resizeToForm();

    // Widget to model: runs a user action, then brings every widget back in line with the
    // model (a refused key, a filtered text) and closes the dialog once the form is unloaded.
    template <typename Action>
    void act(Action&& action);
    void connectText(editor::Control& control, QLineEdit* edit);
    void edited(editor::Control& control, QLineEdit* edit, const QString& text);
    void selected(editor::Control& control, QLineEdit* edit);

    // Places the widget at the control's position. A label or combo box whose text needs more
    // room than its width takes it from free space on its right (never covering a visible
    // neighbour); what still does not fit is drawn elided.
    void fitWidth(editor::Control& control, QWidget* widget);
    int freeRightEdge(const editor::Control& control) const;
    editor::FormBase& form_;
    editor::UserActions user_;
    std::unordered_map<const editor::Control*, QWidget*> widgets_;
    std::unordered_map<const QObject*, editor::Control*> focusTargets_;
    QStyle* comboStyle_ = nullptr;
    int syncing_ = 0;  // > 0 while model changes are written to widgets
    int acting_ = 0;   // > 0 while a user action runs in the model
    bool closing_ = false;
    std::set<editor::Control*> pendingLists_;
};

}  // namespace xfer::desktop
