#include "editor/controls/text_box.h"

#include <algorithm>

#include "editor/controls/text_editing.h"
#include "runtime/utf8.h"

namespace xfer::editor {

void TextBox::setText(std::string text) {
    if (text == text_) {
        return;
    }
    detail::RequireValidText(*this, text);
    text_ = std::move(text);
    selStart_ = selLength_ = 0;
    notify(Prop::Text);
    detail::Fire(Change);
}

void TextBox::setSelStart(int v) {
    const auto caret = detail::CaretAt(text_, v);
    if (caret.start != selStart_ || selLength_ != 0) {
        selStart_ = caret.start;
        selLength_ = 0;
        notify(Prop::Selection);
    }
}

void TextBox::setSelLength(int v) {
    const auto caret = detail::Selecting(text_, selStart_, v);
    if (caret.length != selLength_) {
        selLength_ = caret.length;
        notify(Prop::Selection);
    }
}

bool TextBox::typeKey(std::string_view key) {
    if (locked_) {
        return false;
    }
    auto edit = detail::ApplyKey(text_, {selStart_, selLength_}, key, maxLength_);
    if (!edit) {
        return false;
    }
    commitUserEdit(std::move(edit->text), edit->caret.start, edit->caret.length);
    return true;
}

bool TextBox::editText(std::string text, int caret) {
    if (locked_ || !runtime::utf8::IsValid(text)) {
        return false;
    }
    const auto length = static_cast<int>(runtime::utf8::Length(text));
    if (maxLength_ > 0 && length > maxLength_ &&
        length > static_cast<int>(runtime::utf8::Length(text_))) {
        return false;
    }
    commitUserEdit(std::move(text), std::clamp(caret, 0, length), 0);
    return true;
}

void TextBox::commitUserEdit(std::string text, int selStart, int selLength) {
    const bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = selStart;
    selLength_ = selLength;
    if (changed) {
        notify(Prop::Text);
    }
    notify(Prop::Selection);
    if (changed) {
        detail::Fire(Change);
    }
}

void TextBox::restoreOwnDesign() {
    text_ = designText_;
    selStart_ = selLength_ = 0;
}

}  // namespace xfer::editor
