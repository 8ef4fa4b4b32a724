#include "runtime/utf8.h"

#include <utf8.h>

namespace xfer::runtime::utf8 {

bool IsValid(std::string_view text) noexcept {
    return ::utf8::is_valid(text.begin(), text.end());
}

std::size_t FirstInvalid(std::string_view text) noexcept {
    const auto at = ::utf8::find_invalid(text.begin(), text.end());
    return at == text.end() ? std::string_view::npos : static_cast<std::size_t>(at - text.begin());
}

std::size_t Length(std::string_view text) {
    return static_cast<std::size_t>(::utf8::distance(text.begin(), text.end()));
}

std::size_t ByteOffset(std::string_view text, std::size_t index) {
    auto it = text.begin();
    for (std::size_t i = 0; i < index && it != text.end(); ++i)
        ::utf8::next(it, text.end());
    return static_cast<std::size_t>(it - text.begin());
}

std::string_view Substr(std::string_view text, std::size_t start, std::size_t count) {
    const std::size_t from = ByteOffset(text, start);
    const std::string_view rest = text.substr(from);
    return count == std::string_view::npos ? rest : rest.substr(0, ByteOffset(rest, count));
}

std::vector<std::string> Characters(std::string_view text) {
    std::vector<std::string> characters;
    for (auto it = text.begin(); it != text.end();) {
        const auto from = it;
        ::utf8::next(it, text.end());
        characters.emplace_back(from, it);
    }
    return characters;
}

std::optional<char32_t> onlyCharacter(std::string_view text) noexcept {
    if (text.empty() || !IsValid(text))
        return std::nullopt;
    auto it = text.begin();
    const auto code = ::utf8::unchecked::next(it);
    if (it != text.end())
        return std::nullopt;
    return static_cast<char32_t>(code);
}

}  // namespace xfer::runtime::utf8
