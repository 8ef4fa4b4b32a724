#pragma once
// One binder per kind of control: it makes the control's widget, hands what the user does to
// that widget to the form's model, and shows the model's changes in it. A binder writes a
// property to its widget only when it differs from what the widget shows, so that the caret,
// the selection, the scroll position and the undo history stay as the user left them unless
// the model changed them. MakeBinder picks the binder for a control; a new kind of control is
// one new binder.

#include <QSignalBlocker>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "editor/controls/control.h"

class QKeyEvent;
class QStyle;
class QWidget;

namespace xfer::editor {
class UserActions;
}

namespace xfer::desktop {

// Twips to device-independent pixels (Qt's 96 per inch).
int Pixels(int twips);

inline QString QText(const std::string& text) {
    return QString::fromStdString(text);
}

// Sets a widget's property without its signals reaching the form's model.
template <typename Widget, typename Apply>
void Quietly(Widget* widget, Apply&& apply) {
    const QSignalBlocker blocker(widget);
    apply(widget);
}

// What the binders of one dialog share: the way to the model and the dialog's state.
class BinderContext {
  public:
    // Runs a user action on the model, then brings every widget back in line with it.
    virtual void act(const std::function<void()>& action) = 0;
    // Hands the user's caret and selection to the model; the model's notices of them do not
    // come back to the widget that has them already.
    virtual void handSelection(const std::function<void()>& hand) = 0;
    // True while the model's changes are being written to widgets, a user action runs, or the
    // dialog closes: what a widget then reports is not the user's doing.
    virtual bool busy() const = 0;
    virtual editor::UserActions& user() = 0;
    // Focus changes of `widget` are the control's (besides the binder's own widget).
    virtual void watchFocus(editor::Control& control, QWidget* widget) = 0;
    // Places the control's widget again (its text needs another width).
    virtual void fitWidth(editor::Control& control) = 0;
    virtual QStyle* comboStyle() = 0;

  protected:
    ~BinderContext() = default;
};

class ControlBinder {
  public:
    virtual ~ControlBinder() = default;
    ControlBinder(const ControlBinder&) = delete;
    ControlBinder& operator=(const ControlBinder&) = delete;

    QWidget* widget() const noexcept { return widget_; }
    // Once the widget has its parent: the user's input on it goes to the model.
    virtual void connectInput() {}
    virtual void refreshText() {}
    virtual void refreshEntries() {}
    // `what` is ListIndex, Selection, Scroll or All.
    virtual void refreshSelection(editor::Prop) {}
    // The width the widget needs to show its value whole; 0 when the designed width will do.
    virtual int neededWidth() const { return 0; }
    // A key for the widget (or a watched part of it); true when the binder took it.
    virtual bool keyPressed(const QKeyEvent&) { return false; }

  protected:
    ControlBinder(editor::Control& control, BinderContext& context, QWidget* widget)
        : control_(control), context_(context), widget_(widget) {}
    editor::Control& control_;
    BinderContext& context_;
    QWidget* widget_;
};

// The binder for `control`, its widget a child of `parent`; null for a control that shows no
// widget (an image list).
std::unique_ptr<ControlBinder> MakeBinder(editor::Control& control, BinderContext& context,
                                          QWidget* parent);

}  // namespace xfer::desktop
