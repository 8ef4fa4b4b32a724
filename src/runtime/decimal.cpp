#include "runtime/decimal.h"

#include <charconv>

namespace xfer::runtime {

DecimalNumber ParseDecimal(std::string_view text, long long minimum, long long maximum) {
    std::string_view digits = text;
    if (!digits.empty() && digits.front() == '-')
        digits.remove_prefix(1);
    const bool plain = !digits.empty() &&
                       digits.find_first_not_of("0123456789") == std::string_view::npos &&
                       (digits.front() != '0' || text == "0");
    if (!plain) {
        return {0, "'" + std::string(text) +
                       "' is not a decimal number (digits with an optional minus sign, no "
                       "leading zeros)"};
    }
    long long value = 0;
    // Parsing the sign too keeps the lowest value of the type reachable.
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || value < minimum ||
        value > maximum) {
        return {0, std::string(text) + " is not in range " + std::to_string(minimum) + " to " +
                       std::to_string(maximum)};
    }
    return {value, {}};
}

}  // namespace xfer::runtime
