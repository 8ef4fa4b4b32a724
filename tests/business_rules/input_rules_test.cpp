// The rules for typed input as functions of the text alone.

#include "business_rules/input_rules.h"

#include <gtest/gtest.h>

namespace xfer::business_rules::input {
namespace {

TEST(DialFilter, KeepsDigitsSymbolsAndKeywordLettersUpToTheLimit) {
    const struct {
        const char* text;
        bool kept;
    } cases[] = {
        {"", true},
        {"12,34!#*", true},
        {"auto", true},
        {"AuT", true},
        {"1-2", false},
        {"1 2", false},
        {"AUTOX", false},
        {"1234567890123456789012345678901", true},    // 31 characters
        {"12345678901234567890123456789012", false},  // 32
        {"\u00e9", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PassesDialFilter(c.text), c.kept) << c.text;
}

TEST(DialCheck, TheKeywordAllowsOnlyUnrepeatedLetters) {
    const struct {
        const char* text;
        bool valid;
    } cases[] =
        {
            {"", true},          {"12,34!#*", true}, {"AUTO", true},      {"auto", true},
            {"AUTO5", true},     {"12AUTO", true},   {"AUTOA", false},    {"AUTO1A", false},
            {"AUT", false},      {"A1", false},      {"AUTOAUTO", false}, {"1-2", false},
            {"AUTO-5", true},     // with the keyword only repeated letters are looked at
            {"AUTO\xff", false},  // not UTF-8
        };
    for (const auto& c : cases)
        EXPECT_EQ(IsValidDial(c.text), c.valid) << c.text;
}

TEST(DialCheck, OccurrencesOverlapAndIgnoreCase) {
    EXPECT_EQ(CountOccurrences("aa", "AAA"), 2);
    EXPECT_EQ(CountOccurrences("a", "banana"), 3);
    EXPECT_EQ(CountOccurrences("", "abc"), 0);
    EXPECT_TRUE(IsAutoLetterRepeated("tot"));
    EXPECT_FALSE(IsAutoLetterRepeated("AUTO"));
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
