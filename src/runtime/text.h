#pragma once
// Small text helpers: upper case, case-insensitive comparison, zero-padded numbers and the local
// date and time as the component writes it.

#include <cstdint>
#include <string>
#include <string_view>

namespace xfer::runtime {

std::string ToUpper(std::string_view s);
// The text without white space at either end.
std::string_view Trim(std::string_view s) noexcept;
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept;

// The number with at least `digits` digits, padded with zeros on the left: ZeroPad(7, 2) is
// "07".
std::string ZeroPad(long long n, int digits);

// The current local date and time as "YYYY-MM-DD hh:mm:ss".
std::string NowText();

}  // namespace xfer::runtime
