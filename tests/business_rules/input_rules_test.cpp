// The rules for typed input as functions of the text alone.

#include "business_rules/input_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace xfer::business_rules::input {
namespace {

// What the filter lets through at each key, and what the check before saving accepts. With
// the keyword only repeated letters are looked at (AUTOX, AUTO-5); AUTO\xff is not UTF-8.
// The filter takes at most 31 characters, the check any number.
TEST(Dial, TheFilterKeepsDialCharactersAndTheCheckTheKeywordWithUnrepeatedLetters) {
    const struct {
        const char* text;
        bool kept, valid;
    } cases[] = {
        {"", true, true},         {"12,34!#*", true, true},   {"auto", true, true},
        {"AUTO5", true, true},    {"12AUTO", true, true},     {"AuT", true, false},
        {"A1", true, false},      {"AUTOA", true, false},     {"autoa", true, false},
        {"AUTO1A", true, false},  {"AUTOAUTO", true, false},  {"1-2", false, false},
        {"1 2", false, false},    {"AUTOX", false, true},     {"AUTO-5", false, true},
        {"\u00e9", false, false}, {"AUTO\xff", false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PassesDialFilter(c.text), c.kept) << c.text;
        EXPECT_EQ(IsValidDial(c.text), c.valid) << c.text;
    }
    EXPECT_TRUE(PassesDialFilter(std::string(31, '1')));
    EXPECT_FALSE(PassesDialFilter(std::string(32, '1')));
    EXPECT_TRUE(IsValidDial(std::string(32, '1')));
}

TEST(PickerNumber, StaysInsideTheRangeOfTheEntries) {
    const struct {
        const char* typed;
        long first, last, shown;
    } cases[] = {
        {"5000", 1, 500, 500},      {"12x3", 1, 500, 12},
        {"0", 1, 500, 1},           {"", 1, 500, 1},
        {"x9", 1, 500, 1},          {"150", 100, 200, 100},
        {"32767", 1, 32767, 32767}, {"99999999999999999999", 1, 32767, 9999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ClampPickerNumber(c.typed, c.first, c.last), c.shown) << c.typed;
}

}  // namespace
}  // namespace xfer::business_rules::input
