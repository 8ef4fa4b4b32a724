#include "editor/controls/combo_box.h"

#include <algorithm>
#include <charconv>
#include <optional>

#include "editor/controls/text_editing.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace xfer::editor {

namespace {

// The number that `text` spells in canonical decimal ("12", "-3", never "012", "+1", "-0").
std::optional<long> CanonicalNumber(const std::string& text) {
    long value = 0;
    const char* first = text.data();
    const char* last = first + text.size();
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc{} || end != last || std::to_string(value) != text) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

// --- entries ---

void ComboBox::AddItem(std::string text) {
    detail::RequireValidText(*this, text);
    materialize();
    texts_.push_back(std::move(text));
    itemData_.push_back(0);
    newIndex_ = ListCount() - 1;
    notify(Prop::Entries);
}

void ComboBox::setRange(long first, long last) {
    clearSilently();
    generated_ = true;
    rangeFirst_ = first;
    rangeCount_ = last < first ? 0 : last - first + 1;
    newIndex_ = rangeCount_ - 1;
    notify(Prop::Entries);
    notify(Prop::Text);
}

void ComboBox::Clear() {
    clearSilently();
    notify(Prop::Entries);
    notify(Prop::Text);
}

void ComboBox::clearSilently() {
    texts_.clear();
    itemData_.clear();
    generated_ = false;
    rangeCount_ = 0;
    listIndex_ = newIndex_ = -1;
    text_.clear();
    selStart_ = selLength_ = 0;
}

// A generated range becomes real entries before one is added or given other item data.
void ComboBox::materialize() {
    if (!generated_) {
        return;
    }
    generated_ = false;
    for (long i = 0; i < rangeCount_; ++i) {
        texts_.push_back(std::to_string(rangeFirst_ + i));
        itemData_.push_back(rangeFirst_ + i);
    }
    rangeCount_ = 0;
}

long ComboBox::ListCount() const noexcept {
    return generated_ ? rangeCount_ : static_cast<long>(texts_.size());
}

bool ComboBox::inList(long index) const noexcept {
    return index >= 0 && index < ListCount();
}

std::string ComboBox::List(long index) const {
    if (!inList(index)) {
        return {};
    }
    return generated_ ? std::to_string(rangeFirst_ + index)
                      : texts_[static_cast<std::size_t>(index)];
}

long ComboBox::ItemData(long index) const {
    if (!inList(index)) {
        runtime::RaiseRuntime(runtime::err::kInvalidPropertyArrayIndex);
    }
    return generated_ ? rangeFirst_ + index : itemData_[static_cast<std::size_t>(index)];
}

void ComboBox::setItemData(long index, long value) {
    if (ItemData(index) == value) {
        return;
    }
    materialize();
    itemData_[static_cast<std::size_t>(index)] = value;
}

long ComboBox::findExact(const std::string& text) const {
    if (generated_) {
        const auto n = CanonicalNumber(text);
        return n && *n >= rangeFirst_ && *n - rangeFirst_ < rangeCount_ ? *n - rangeFirst_ : -1;
    }
    for (std::size_t i = 0; i < texts_.size(); ++i) {
        if (runtime::EqualsNoCase(texts_[i], text)) {
            return static_cast<long>(i);
        }
    }
    return -1;
}

// --- selection and text ---

void ComboBox::setListIndex(long index) {
    if (index < -1 || index >= ListCount()) {
        runtime::RaiseRuntime(runtime::err::kInvalidPropertyValue);
    }
    if (index == -1) {
        listIndex_ = -1;
        if (style_ == ComboStyle::DropDownList) {
            putText({}, 0);
        }
        notify(Prop::ListIndex);
        return;
    }
    listIndex_ = index;
    putText(List(index), 0);
    notify(Prop::ListIndex);
    detail::Fire(Click);
}

void ComboBox::setText(std::string text) {
    detail::RequireValidText(*this, text);
    if (style_ == ComboStyle::DropDownList) {
        const long found = findExact(text);
        if (found < 0) {
            runtime::RaiseRuntime(runtime::err::kTextPropertyReadOnly);
        }
        setListIndex(found);
        return;
    }
    if (text == text_) {
        return;
    }
    putText(std::move(text), 0);
    followText();
    detail::Fire(Change);
}

void ComboBox::putText(std::string text, int caret) {
    const bool changed = text != text_;
    text_ = std::move(text);
    selStart_ = caret;
    selLength_ = 0;
    if (changed) {
        notify(Prop::Text);
    }
}

// Text typed or set into an editable combo selects the entry it matches, if any, silently.
void ComboBox::followText() {
    const long match = findExact(text_);
    if (match != listIndex_) {
        listIndex_ = match;
        notify(Prop::ListIndex);
    }
}

void ComboBox::setSelStart(int v) {
    const auto caret = detail::CaretAt(text_, v);
    if (caret.start != selStart_ || selLength_ != 0) {
        selStart_ = caret.start;
        selLength_ = 0;
        notify(Prop::Selection);
    }
}

void ComboBox::setSelLength(int v) {
    const auto caret = detail::Selecting(text_, selStart_, v);
    if (caret.length != selLength_) {
        selLength_ = caret.length;
        notify(Prop::Selection);
    }
}

bool ComboBox::typeKey(std::string_view key) {
    if (style_ == ComboStyle::DropDownList) {
        return false;
    }
    auto edit = detail::ApplyKey(text_, {selStart_, selLength_}, key, 0);
    if (!edit) {
        return false;
    }
    const bool changed = edit->text != text_;
    putText(std::move(edit->text), edit->caret.start);
    notify(Prop::Selection);
    if (changed) {
        followText();
        detail::Fire(Change);
    }
    return true;
}

bool ComboBox::editText(std::string text, int caret) {
    if (style_ == ComboStyle::DropDownList || !runtime::utf8::IsValid(text)) {
        return false;
    }
    const auto length = static_cast<int>(runtime::utf8::Length(text));
    const bool changed = text != text_;
    putText(std::move(text), std::clamp(caret, 0, length));
    notify(Prop::Selection);
    if (changed) {
        followText();
        detail::Fire(Change);
    }
    return true;
}

void ComboBox::restoreOwnDesign() {
    clearSilently();
}

// --- list box ---

void ListBox::AddItem(std::string text) {
    texts_.push_back(std::move(text));
    notify(Prop::Entries);
}

void ListBox::Clear() {
    texts_.clear();
    notify(Prop::Entries);
}

std::string ListBox::List(long index) const {
    return index >= 0 && index < ListCount() ? texts_[static_cast<std::size_t>(index)]
                                             : std::string();
}

}  // namespace xfer::editor
