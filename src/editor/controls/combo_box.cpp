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
    made_ = Made::Range;
    rangeFirst_ = first;
    rangeCount_ = last < first ? 0 : last - first + 1;
    newIndex_ = rangeCount_ - 1;
    notify(Prop::Entries);
    notify(Prop::Text);
}

void ComboBox::checkEntryText(const std::string& text) const {
    detail::RequireValidText(*this, text);
}

void ComboBox::addNumbered(const std::string& prefix, long first, long last) {
    checkEntryText(prefix);
    if (last < first)
        return;
    if (ListCount() > 0) {
        for (long n = first; n <= last; ++n) {
            AddItem(prefix + std::to_string(n));
            itemData_.back() = n;
        }
        return;
    }
    made_ = Made::Range;
    prefix_ = prefix;
    rangeFirst_ = first;
    rangeCount_ = last - first + 1;
    newIndex_ = rangeCount_ - 1;
    notify(Prop::Entries);
}

void ComboBox::addNumbered(const std::string& prefix, std::vector<long> numbers) {
    checkEntryText(prefix);
    if (numbers.empty())
        return;
    if (ListCount() > 0) {
        for (const long n : numbers) {
            AddItem(prefix + std::to_string(n));
            itemData_.back() = n;
        }
        return;
    }
    made_ = Made::Numbers;
    prefix_ = prefix;
    numbers_ = std::move(numbers);
    newIndex_ = ListCount() - 1;
    notify(Prop::Entries);
}

void ComboBox::Clear() {
    clearSilently();
    notify(Prop::Entries);
    notify(Prop::Text);
}

void ComboBox::clearSilently() {
    texts_.clear();
    itemData_.clear();
    made_ = Made::Listed;
    prefix_.clear();
    rangeCount_ = 0;
    numbers_.clear();
    listIndex_ = newIndex_ = -1;
    text_.clear();
    selStart_ = selLength_ = 0;
}

// Entries held as numbers become real entries before one is added or given other item data.
void ComboBox::materialize() {
    if (made_ == Made::Listed) {
        return;
    }
    const long count = ListCount();
    for (long i = 0; i < count; ++i) {
        texts_.push_back(List(i));
        itemData_.push_back(numberAt(i));
    }
    made_ = Made::Listed;
    prefix_.clear();
    rangeCount_ = 0;
    numbers_.clear();
}

long ComboBox::ListCount() const noexcept {
    switch (made_) {
        case Made::Range:
            return rangeCount_;
        case Made::Numbers:
            return static_cast<long>(numbers_.size());
        case Made::Listed:
            break;
    }
    return static_cast<long>(texts_.size());
}

bool ComboBox::inList(long index) const noexcept {
    return index >= 0 && index < ListCount();
}

long ComboBox::numberAt(long index) const noexcept {
    return made_ == Made::Range ? rangeFirst_ + index : numbers_[static_cast<std::size_t>(index)];
}

std::string ComboBox::List(long index) const {
    if (!inList(index)) {
        return {};
    }
    return made_ == Made::Listed ? texts_[static_cast<std::size_t>(index)]
                                 : prefix_ + std::to_string(numberAt(index));
}

long ComboBox::ItemData(long index) const {
    if (!inList(index)) {
        runtime::RaiseRuntime(runtime::err::kInvalidPropertyArrayIndex);
    }
    return made_ == Made::Listed ? itemData_[static_cast<std::size_t>(index)] : numberAt(index);
}

void ComboBox::setItemData(long index, long value) {
    if (ItemData(index) == value) {
        return;
    }
    materialize();
    itemData_[static_cast<std::size_t>(index)] = value;
}

// The entry a text names when the entries are numbers: the prefix (letter case ignored) and
// the number in canonical decimal. A prefix beyond ASCII is compared entry by entry.
long ComboBox::findNumbered(const std::string& text) const {
    const bool ascii = std::all_of(prefix_.begin(), prefix_.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        for (long i = 0; i < ListCount(); ++i) {
            if (runtime::EqualsNoCase(List(i), text))
                return i;
        }
        return -1;
    }
    if (text.size() < prefix_.size() ||
        !runtime::EqualsNoCase(std::string_view(text).substr(0, prefix_.size()), prefix_)) {
        return -1;
    }
    const auto n = CanonicalNumber(text.substr(prefix_.size()));
    if (!n) {
        return -1;
    }
    if (made_ == Made::Range) {
        return *n >= rangeFirst_ && *n - rangeFirst_ < rangeCount_ ? *n - rangeFirst_ : -1;
    }
    const auto found = std::find(numbers_.begin(), numbers_.end(), *n);
    return found == numbers_.end() ? -1 : static_cast<long>(found - numbers_.begin());
}

long ComboBox::findExact(const std::string& text) const {
    if (made_ != Made::Listed) {
        return findNumbered(text);
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
