#pragma once
// A line edit tied to the text of a text box or an editable combo. Every edit in it (a key, a
// paste, a cut, a delete, an undo) reaches the model as one change of the whole text; the
// caret and selection the user sets go to the model as they move, so that a key is typed where
// the user sees the caret. Positions are characters in the model and UTF-16 units in Qt
// (text_positions.h).

#include <QString>
#include <functional>
#include <string>

class QLineEdit;
class QWidget;

namespace xfer::desktop {

class BinderContext;

// A text model's side of the link.
struct TextModel {
    std::function<const std::string&()> text;
    std::function<int()> selStart, selLength;
    std::function<void(std::string text, int caret)> edit;
    std::function<void(int start, int length)> select;
};

class LineEditLink {
  public:
    // `focusOwner` is the widget that has the focus while the user edits (the combo of a
    // combo's line edit).
    LineEditLink(TextModel model, BinderContext& context, QLineEdit* edit, QWidget* focusOwner);

    void connectInput();
    // The model's text, then its caret and selection, where the widget differs.
    void showText();
    void showSelection();

  private:
    void edited(const QString& text);
    void selected();
    TextModel model_;
    BinderContext& context_;
    QLineEdit* edit_;
    QWidget* focusOwner_;
};

}  // namespace xfer::desktop
