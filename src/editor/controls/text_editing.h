#pragma once
// Key-by-key editing shared by the text box and the editable combo: the caret, the selection
// and the keys a user types. Internal to the control models.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <type_traits>

namespace xfer::editor::detail {

struct Caret {
    int start = 0, length = 0;
};

// The caret after setting SelStart: inside the text, nothing selected.
inline Caret CaretAt(const std::string& text, int start) {
    return {std::clamp(start, 0, static_cast<int>(text.size())), 0};
}

// The selection from `start`, as long as the text after it allows.
inline Caret Selecting(const std::string& text, int start, int length) {
    return {start, std::clamp(length, 0, static_cast<int>(text.size()) - start)};
}

struct Edit {
    std::string text;
    Caret caret;
};

// What one key does to the text at the caret; nothing when the key is refused. A printable
// character replaces the selection unless the result would pass `maxLength` (0 = no limit);
// backspace deletes the selection or the character before the caret.
inline std::optional<Edit> ApplyKey(const std::string& text, Caret caret, char key, int maxLength) {
    const auto start = static_cast<std::size_t>(caret.start);
    const auto length = static_cast<std::size_t>(caret.length);
    Edit edit{text, caret};
    if (key == '\b') {
        if (length > 0) {
            edit.text.erase(start, length);
        } else if (start > 0) {
            edit.text.erase(start - 1, 1);
            edit.caret.start = caret.start - 1;
        }
        edit.caret.length = 0;
        return edit;
    }
    const auto code = static_cast<unsigned char>(key);
    if (code < 0x20 || code == 0x7f) {
        return std::nullopt;
    }
    if (maxLength > 0 && text.size() - length + 1 > static_cast<std::size_t>(maxLength)) {
        return std::nullopt;
    }
    edit.text.replace(start, length, 1, key);
    edit.caret = {caret.start + 1, 0};
    return edit;
}

// Calls an event handler through a copy, so that a handler that replaces itself is safe.
template <typename... Args>
void Fire(const std::function<void(Args...)>& handler, std::type_identity_t<Args>... args) {
    if (auto copy = handler) {
        copy(args...);
    }
}

}  // namespace xfer::editor::detail
