#include "business_rules/input_rules.h"

#include <string>

#include "runtime/text.h"
#include "runtime/utf8.h"

namespace xfer::business_rules::input {

namespace {
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsDialSymbol(char c) {
    return c == ',' || c == '!' || c == '#' || c == '*';
}
bool IsAutoLetter(char c) {
    const char u = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    return u == 'A' || u == 'U' || u == 'T' || u == 'O';
}
}  // namespace

bool PassesDialFilter(std::string_view text) {
    if (!runtime::utf8::IsValid(text) || runtime::utf8::Length(text) > kDialLimit)
        return false;
    // Every allowed character is one byte; a byte of a longer character fails, and with it
    // the character.
    for (const char c : text) {
        if (!IsDigit(c) && !IsDialSymbol(c) && !IsAutoLetter(c))
            return false;
    }
    return true;
}

bool IsValidDial(std::string_view text) {
    if (!runtime::utf8::IsValid(text))
        return false;
    if (runtime::ToUpper(std::string(text)).find("AUTO") != std::string::npos)
        return runtime::utf8::Length(text) <= 4 || !IsAutoLetterRepeated(text);
    for (const char c : text) {
        if (!IsDigit(c) && !IsDialSymbol(c))
            return false;
    }
    return true;
}

std::int16_t CountOccurrences(std::string_view search, std::string_view text) {
    if (search.empty())
        return 0;
    const std::string s = runtime::ToUpper(std::string(search));
    const std::string t = runtime::ToUpper(std::string(text));
    std::int16_t count = 0;
    // Each search starts one character after the last find, so finds may overlap.
    for (auto at = t.find(s); at != std::string::npos; at = t.find(s, at + 1))
        ++count;
    return count;
}

bool IsAutoLetterRepeated(std::string_view dial) {
    for (const char* letter : {"A", "U", "T", "O"}) {
        if (CountOccurrences(letter, dial) >= 2)
            return true;
    }
    return false;
}

long ClampPickerNumber(std::string_view typed, long first, long last) {
    long value = 0;
    for (const char c : typed) {
        if (!IsDigit(c))
            break;
        const long digit = c - '0';
        value = value * 10 + digit;
        if (value > last || value < first) {
            value = (value - digit) / 10;  // the digit would leave the range: take it back
            break;
        }
    }
    return value == 0 ? first : value;
}

}  // namespace xfer::business_rules::input
