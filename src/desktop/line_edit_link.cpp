#include "desktop/line_edit_link.h"

#include <QLineEdit>

#include "desktop/control_binder.h"
#include "desktop/text_positions.h"

namespace xfer::desktop {

namespace {

// The widget's caret and selection in characters: where the selection begins, and its length.
std::pair<int, int> WidgetSelection(const QLineEdit* edit) {
    const QString text = edit->text();
    if (!edit->hasSelectedText())
        return {CharactersBefore(text, edit->cursorPosition()), 0};
    const int from = edit->selectionStart();
    const int to = edit->selectionEnd();
    const int start = CharactersBefore(text, from);
    return {start, CharactersBefore(text, to) - start};
}

}  // namespace

LineEditLink::LineEditLink(TextModel model, BinderContext& context, QLineEdit* edit,
                           QWidget* focusOwner)
    : model_(std::move(model)), context_(context), edit_(edit), focusOwner_(focusOwner) {}

void LineEditLink::connectInput() {
    QObject::connect(edit_, &QLineEdit::textEdited, edit_,
                     [this](const QString& text) { edited(text); });
    QObject::connect(edit_, &QLineEdit::cursorPositionChanged, edit_, [this] { selected(); });
    QObject::connect(edit_, &QLineEdit::selectionChanged, edit_, [this] { selected(); });
}

void LineEditLink::showText() {
    if (edit_->text() == QText(model_.text())) {
        return;
    }
    // Setting the text resets the caret, the selection, the scroll position and the undo
    // history: only when it differs.
    Quietly(edit_, [&](QLineEdit* e) { e->setText(QText(model_.text())); });
    showSelection();
}

void LineEditLink::showSelection() {
    // A selection the widget shows already keeps its direction.
    const int start = model_.selStart();
    const int length = model_.selLength();
    if (WidgetSelection(edit_) == std::make_pair(start, length))
        return;
    const QString text = edit_->text();
    const int from = UnitsBefore(text, start);
    Quietly(edit_, [&](QLineEdit* e) {
        if (length > 0) {
            e->setSelection(from, UnitsBefore(text, start + length) - from);
        } else {
            e->setCursorPosition(from);
        }
    });
}

void LineEditLink::edited(const QString& text) {
    const int caret = CharactersBefore(text, edit_->cursorPosition());
    context_.act([&] { model_.edit(text.toStdString(), caret); });
}

void LineEditLink::selected() {
    // Only what the user does in the box with the focus: Qt also moves the caret when it
    // drops a selection on leaving, or while an edit is still on its way to the model.
    if (context_.busy() || !focusOwner_->hasFocus() || edit_->text() != QText(model_.text()))
        return;
    const auto [start, length] = WidgetSelection(edit_);
    context_.handSelection([&] { model_.select(start, length); });
    showSelection();  // only where the rules changed it
}

}  // namespace xfer::desktop
