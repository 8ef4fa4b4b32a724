#pragma once
// Key-by-key editing shared by the text box and the editable combo: the caret, the selection
// and the keys a user types. Text is UTF-8; caret positions, selection lengths and MaxLength
// count characters (code points), and a key is one whole character. Internal to the control
// models.

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>

#include "editor/controls/control.h"
#include "runtime/error.h"
#include "runtime/utf8.h"

namespace xfer::editor::detail {

struct Caret {
    int start = 0, length = 0;  // characters
};

// The text's length in characters. Controls hold valid UTF-8 only (requireValidText).
inline int CharCount(std::string_view text) {
    return static_cast<int>(runtime::utf8::Length(text));
}

// The caret after setting SelStart: inside the text, nothing selected.
inline Caret CaretAt(std::string_view text, int start) {
    return {std::clamp(start, 0, CharCount(text)), 0};
}

// The selection from `start`, as long as the text after it allows.
inline Caret Selecting(std::string_view text, int start, int length) {
    return {start, std::clamp(length, 0, CharCount(text) - start)};
}

// Text set from code must be valid UTF-8: refused with error 380, naming the control and the
// first bad byte, so that nothing invalid reaches what the form saves.
inline void RequireValidText(const Control& control, std::string_view text) {
    const std::size_t bad = runtime::utf8::FirstInvalid(text);
    if (bad == std::string_view::npos)
        return;
    runtime::Raise(runtime::err::kInvalidPropertyValue, std::string(runtime::kComponentSource),
                   control.Name() + ": the text is not valid UTF-8 (byte " +
                       std::to_string(bad + 1) + " of " + std::to_string(text.size()) +
                       "); it was not taken");
}

inline constexpr std::string_view kBackspace = "\b";

// A character a user can type into a box: any but the C0 and C1 control characters and DEL.
inline bool IsTypable(std::string_view key) {
    const auto code = runtime::utf8::onlyCharacter(key);
    return code && *code >= 0x20 && !(*code >= 0x7f && *code <= 0x9f);
}

struct Edit {
    std::string text;
    Caret caret;
};

// What one key does to the text at the caret; nothing when the key is refused. A key is one
// whole character, which may be several bytes: it replaces the selection unless the result
// would have more than `maxLength` characters (0 = no limit). Backspace ("\b") deletes the
// selection or the whole character before the caret.
inline std::optional<Edit> ApplyKey(const std::string& text, Caret caret, std::string_view key,
                                    int maxLength) {
    const std::string_view view(text);
    const std::size_t from = runtime::utf8::ByteOffset(view, static_cast<std::size_t>(caret.start));
    const std::size_t to =
        from + runtime::utf8::ByteOffset(view.substr(from), static_cast<std::size_t>(caret.length));
    Edit edit{text, caret};
    if (key == kBackspace) {
        if (to > from) {
            edit.text.erase(from, to - from);
        } else if (caret.start > 0) {
            const std::size_t previous =
                runtime::utf8::ByteOffset(view, static_cast<std::size_t>(caret.start - 1));
            edit.text.erase(previous, from - previous);
            edit.caret.start = caret.start - 1;
        }
        edit.caret.length = 0;
        return edit;
    }
    if (!IsTypable(key))
        return std::nullopt;
    if (maxLength > 0 && CharCount(view) - caret.length + 1 > maxLength)
        return std::nullopt;
    edit.text.replace(from, to - from, key);
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
