#pragma once
// UTF-8 text measured and cut in characters (Unicode code points), as users count them.
// Positions and lengths here are character counts; byte offsets appear only where named.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xfer::runtime::utf8 {

bool IsValid(std::string_view text) noexcept;
// The byte offset of the first invalid sequence, or npos when the text is valid.
std::size_t FirstInvalid(std::string_view text) noexcept;

// The number of characters of valid UTF-8 text.
std::size_t Length(std::string_view text);
// The byte offset of character `index` (clamped to the end) of valid UTF-8 text.
std::size_t ByteOffset(std::string_view text, std::size_t index);
// Characters [start, start + count) of valid UTF-8 text, clamped to the text.
std::string_view Substr(std::string_view text, std::size_t start,
                        std::size_t count = std::string_view::npos);
// The characters of valid UTF-8 text, each as its own string.
std::vector<std::string> Characters(std::string_view text);
// The code point of a text that is exactly one valid character; nothing for any other text.
std::optional<char32_t> onlyCharacter(std::string_view text) noexcept;

}  // namespace xfer::runtime::utf8
