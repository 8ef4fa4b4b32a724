#pragma once
// The rules for what a user types, as pure functions of the text: the dial string's filter
// while typing, its check before saving, and the number pickers' range.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace xfer::business_rules::input {

// The dial text box's limit in characters; a longer text is taken back while typing.
inline constexpr std::size_t kDialLimit = 31;

// What the dial box keeps while the user types: at most kDialLimit characters, each a decimal
// digit, ",", "!", "#", "*" or one of the keyword letters A, U, T, O in either case. Text is
// UTF-8: a character of several bytes is one character, and fails; text that is not valid
// UTF-8 fails.
bool PassesDialFilter(std::string_view text);

// Whether a dial string may be saved. With the keyword "AUTO" in it (any case) only a repeated
// keyword letter is refused, and only past four characters; without it every character must
// be a digit, ",", "*", "#" or "!". The empty text is valid; text that is not valid UTF-8 is
// not.
bool IsValidDial(std::string_view text);

// The places where `search` occurs in `text`, both upper-cased; finds may overlap.
std::int16_t CountOccurrences(std::string_view search, std::string_view text);

// Whether one of A, U, T, O occurs twice or more in the dial text, letter case ignored.
bool IsAutoLetterRepeated(std::string_view dial);

// The number a picker shows for what was typed: the leading digits, each taken only while the
// value stays within [first, last] (a digit that would leave it ends the number), and `first`
// when no digit was taken or the value is 0.
long ClampPickerNumber(std::string_view typed, long first, long last);

}  // namespace xfer::business_rules::input
