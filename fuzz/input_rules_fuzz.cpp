// The rules for typed input on arbitrary text. Oracles:
// - the dial filter keeps exactly the texts of at most 31 characters made of digits, ",", "!",
//   "#", "*" and the letters A, U, T, O (any case), and no text that is not UTF-8;
// - typing the text character by character into the dial box (a key that fails the filter is
//   taken back) always leaves a text the filter keeps, upper-cased; without keyword letters it
//   is a valid dial string;
// - a dial string the save check accepts without the keyword "AUTO" holds only digits and
//   symbols;
// - a number picker's value is always within its range, and is the range's first number or
//   the number of the typed text's first digits.
// The first four bytes give the picker's range, the rest is the text.

#include <string>

#include "business_rules/input_rules.h"
#include "oracle.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace {

using namespace xfer;
namespace input = business_rules::input;

constexpr std::string_view kDialCharacters = "0123456789,!#*AUTOauto";

bool onlyOf(std::string_view text, std::string_view allowed) {
    return text.find_first_not_of(allowed) == std::string_view::npos;
}

void checkDial(std::string_view text) {
    const bool valid = runtime::utf8::IsValid(text);
    XFER_ORACLE(input::PassesDialFilter(text) ==
                    (valid && runtime::utf8::Length(text) <= input::kDialLimit &&
                     onlyOf(text, kDialCharacters)),
                "the filter keeps exactly the allowed texts");
    if (input::IsValidDial(text) && runtime::ToUpper(text).find("AUTO") == std::string::npos)
        XFER_ORACLE(onlyOf(text, "0123456789,!#*"), "a valid dial without AUTO is digits");
    if (!valid)
        return;
    std::string kept;  // what the dial box shows, key after key
    for (const std::string& key : runtime::utf8::Characters(text)) {
        const std::string typed = kept + key;
        if (input::PassesDialFilter(typed))
            kept = runtime::ToUpper(typed);
        XFER_ORACLE(input::PassesDialFilter(kept) && kept == runtime::ToUpper(kept),
                    "the box keeps a text the filter keeps");
        if (onlyOf(kept, "0123456789,!#*"))
            XFER_ORACLE(input::IsValidDial(kept), "kept digits and symbols are a valid dial");
    }
}

void checkPicker(std::string_view typed, long first, long last) {
    const long value = input::ClampPickerNumber(typed, first, last);
    if (first > last)
        return;
    XFER_ORACLE(value >= first && value <= last, "the picker's value is in its range");
    // Otherwise the value is the number of the typed text's first digits.
    std::string_view digits = typed.substr(0, typed.find_first_not_of("0123456789"));
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
    XFER_ORACLE(value == first || digits.starts_with(std::to_string(value)),
                "the value is the typed digits");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 4)
        return 0;
    const auto number = [&](std::size_t at) {
        return static_cast<long>(static_cast<std::int16_t>(data[at] | (data[at + 1] << 8)));
    };
    const long a = number(0), b = number(2);
    const std::string_view text = fuzz::asText(data + 4, size - 4);
    checkDial(text);
    checkPicker(text, std::min(a, b), std::max(a, b));
    checkPicker(text, a, b);
    return 0;
}
