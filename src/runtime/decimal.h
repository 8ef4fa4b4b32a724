#pragma once
// The one rule for a number a person writes: on the command line, in a node list, in a session
// script, as a type identifier. Plain decimal as a program would print it: digits with an
// optional minus sign and no leading zeros, nothing around them. "010", "+1", " 5", "0x10",
// "1e3" and "-0" are mistakes that this rule refuses, rather than reading them as some number.

#include <string>
#include <string_view>

namespace xfer::runtime {

struct DecimalNumber {
    long long value = 0;
    std::string problem;  // why the text is refused; empty when it is a number in range

    bool ok() const noexcept { return problem.empty(); }
};

// The number `text` writes, if it follows the rule and lies within [minimum, maximum]. The
// problem names the text and says what is wrong with it, in the same words wherever a person
// typed it.
DecimalNumber ParseDecimal(std::string_view text, long long minimum, long long maximum);

}  // namespace xfer::runtime
