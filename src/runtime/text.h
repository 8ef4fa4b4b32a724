#pragma once
// Small text helpers: UCase, case-insensitive comparison, zero-padded numbers and the local
// date and time as the component writes it.

#include <cstdint>
#include <string>
#include <string_view>

namespace xfer::runtime {

std::string UCase(std::string_view s);
// The text without white space at either end.
std::string_view Trim(std::string_view s) noexcept;
bool EqualsNoCase(std::string_view a, std::string_view b) noexcept;
bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept;

// Format(n, "00"): the number with at least `digits` digits, zero-padded.
std::string ZeroPad(long long n, int digits);

// The current local date and time as "YYYY-MM-DD hh:mm:ss".
std::string NowText();

}  // namespace xfer::runtime
