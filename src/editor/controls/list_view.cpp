#include "editor/controls/list_view.h"

#include <algorithm>
#include <numeric>
#include <utility>

#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::editor {

// --- rows ---

void ListItem::setText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        owner_->rowChanged(Prop::Cells);
    }
}

// Sub-items exist as far as the columns reach; the texts outlive the columns themselves.
std::string ListItem::SubItems(long index) const {
    if (index < 1 || index >= owner_->ColumnCount()) {
        runtime::RaiseRuntime(runtime::err::kInvalidPropertyValue);
    }
    const auto i = static_cast<std::size_t>(index - 1);
    return i < subItems_.size() ? subItems_[i] : std::string();
}

void ListItem::setSubItems(long index, std::string text) {
    if (SubItems(index) == text) {
        return;
    }
    const auto i = static_cast<std::size_t>(index - 1);
    if (subItems_.size() <= i) {
        subItems_.resize(i + 1);
    }
    subItems_[i] = std::move(text);
    owner_->rowChanged(Prop::Cells);
}

void ListItem::setSelected(bool v) {
    selected_ = v;
    if (v) {
        owner_->selectedItem_ = this;
    }
    owner_->rowChanged(Prop::ListIndex);
}

int ListItem::Left() const {
    return 0;
}

int ListItem::Top() const {
    return ListView::kHeaderHeight +
           static_cast<int>(index_ - 1 - owner_->TopIndex()) * ListView::kRowHeight;
}

int ListItem::Width() const {
    return owner_->columnsWidth();
}

int ListItem::Height() const {
    return ListView::kRowHeight;
}

// --- the list ---

ListView::ListView(std::string name)
    : Control(std::move(name), ControlKind::ListView), windowProc_(defaultProc()) {}

ListView::~ListView() = default;

ListView::WindowProc ListView::defaultProc() {
    return [this](std::intptr_t hwnd, unsigned msg, long wParam, long lParam) {
        return callDefaultWindowProc(hwnd, msg, wParam, lParam);
    };
}

void ListView::ClearColumns() {
    columns_.clear();
    notify(Prop::Entries);
}

void ListView::AddColumn(std::string text, int width, Alignment align) {
    columns_.push_back({std::move(text), width, align});
    notify(Prop::Entries);
}

const ColumnHeader& ListView::Column(long index) const {
    if (index < 1 || index > ColumnCount()) {
        runtime::RaiseRuntime(runtime::err::kIndexOutOfBounds);
    }
    return columns_[static_cast<std::size_t>(index - 1)];
}

int ListView::columnsWidth() const noexcept {
    return std::accumulate(columns_.begin(), columns_.end(), 0,
                           [](int sum, const ColumnHeader& c) { return sum + c.Width; });
}

ListItem* ListView::find(const std::string& key) const noexcept {
    if (key.empty()) {
        return nullptr;  // a row without a key is found by position only
    }
    const auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& item) {
        return runtime::EqualsNoCase(item->key_, key);
    });
    return it == items_.end() ? nullptr : it->get();
}

ListItem& ListView::AddItem(std::string key, std::string text) {
    if (find(key) != nullptr) {
        runtime::RaiseRuntime(runtime::err::kKeyNotUnique);
    }
    items_.push_back(
        std::unique_ptr<ListItem>(new ListItem(*this, std::move(key), std::move(text))));
    ListItem& item = *items_.back();
    item.index_ = ItemCount();
    if (selectedItem_ == nullptr) {
        // The first row takes the focus rectangle without being marked selected.
        selectedItem_ = items_.front().get();
    }
    notify(Prop::Entries);
    return item;
}

void ListView::ClearItems() {
    items_.clear();
    selectedItem_ = nullptr;
    topIndex_ = 0;
    notify(Prop::Entries);
}

const ListItem& ListView::Item(long index) const {
    if (index < 1 || index > ItemCount()) {
        runtime::RaiseRuntime(runtime::err::kIndexOutOfBounds);
    }
    return *items_[static_cast<std::size_t>(index - 1)];
}

ListItem& ListView::Item(long index) {
    return const_cast<ListItem&>(std::as_const(*this).Item(index));
}

ListItem& ListView::Item(const std::string& key) {
    ListItem* item = find(key);
    if (item == nullptr) {
        runtime::RaiseRuntime(runtime::err::kElementNotFound);
    }
    return *item;
}

void ListView::selectOnly(ListItem& item) {
    for (auto& row : items_) {
        row->selected_ = row.get() == &item;
    }
    selectedItem_ = &item;
    notify(Prop::ListIndex);
}

// --- scrolling and the window procedure ---

long ListView::visibleRows() const noexcept {
    return std::max(0, (Height() - kHeaderHeight) / kRowHeight);
}

void ListView::setTopIndex(long index) {
    const long clamped = std::clamp(index, 0L, std::max(0L, ItemCount() - visibleRows()));
    if (clamped != topIndex_) {
        topIndex_ = clamped;
        notify(Prop::Scroll);
    }
}

ListView::WindowProc ListView::setWindowProc(WindowProc proc) {
    auto previous = std::move(windowProc_);
    windowProc_ = proc ? std::move(proc) : defaultProc();
    return previous;
}

long ListView::callDefaultWindowProc(std::intptr_t, unsigned msg, long wParam, long) {
    if (msg == kWmVScroll) {
        const long code = wParam & 0xffff;
        if (code == kSbLineUp) {
            setTopIndex(topIndex_ - 1);
        } else if (code == kSbLineDown) {
            setTopIndex(topIndex_ + 1);
        }
    }
    return 0;
}

long ListView::SendMessage(unsigned msg, long wParam, long lParam) {
    // Through a copy: the procedure may install another one while it runs.
    const WindowProc proc = windowProc_;
    return proc(hWnd(), msg, wParam, lParam);
}

void ListView::restoreOwnDesign() {
    columns_.clear();
    items_.clear();
    selectedItem_ = nullptr;
    topIndex_ = 0;
    // The window-procedure chain is not part of the design: whoever installed a procedure puts
    // the previous one back (the form does so when it unloads).
}

}  // namespace xfer::editor
