#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "runtime/collection.h"
#include "runtime/decimal.h"
#include "runtime/error.h"
#include "runtime/shown_text.h"
#include "runtime/text.h"
#include "runtime/variant.h"

namespace xfer::runtime {
namespace {

long ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        EXPECT_EQ(e.source(), kComponentSource);
        return e.number();
    }
    return 0;
}

struct Int16Case {
    Variant value;
    std::int16_t expected;
    long error;  // 0: converts
};

TEST(VariantTest, ConvertsToSixteenBitsOrRaises) {
    const Int16Case cases[] = {
        {Variant("12"), 12, 0},
        {Variant(" -7 "), -7, 0},
        {Variant("2.5"), 2, 0},  // halves go to the even neighbour
        {Variant("3.5"), 4, 0},
        {Variant("32767"), 32767, 0},
        {Variant("-32768"), -32768, 0},
        {Variant("32768"), 0, err::kOverflow},
        {Variant(32767.5), 0, err::kOverflow},
        {Variant(""), 0, err::kTypeMismatch},
        {Variant("12x"), 0, err::kTypeMismatch},
        {Variant(), 0, 0},
        {Variant::null(), 0, err::kInvalidUseOfNull},
    };
    for (const auto& c : cases) {
        std::int16_t got = 0;
        const long error = ErrorOf([&] { got = c.value.toInt16(); });
        EXPECT_EQ(error, c.error) << c.value.textOrEmpty();
        if (c.error == 0) {
            EXPECT_EQ(got, c.expected) << c.value.textOrEmpty();
        }
    }
}

TEST(TextTest, ZeroPaddedNumbers) {
    EXPECT_EQ(ZeroPad(1, 2), "01");
    EXPECT_EQ(ZeroPad(1250, 3), "1250");
    EXPECT_EQ(ZeroPad(-5, 3), "-005");
}

TEST(CollectionTest, ErrorsOfTheKeyedCollection) {
    Collection c;
    c.Add(Variant("a"), "Key");
    EXPECT_EQ(ErrorOf([&] { c.Add(Variant("b"), "KEY"); }), err::kKeyAlreadyAssociated);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item("missing"); }), err::kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item(2L); }), err::kSubscriptOutOfRange);
}

struct DecimalCase {
    const char* text;
    long long value;      // when accepted
    const char* problem;  // a part of the refusal; nullptr: accepted
};

TEST(DecimalTest, OneRuleForTypedNumbers) {
    constexpr const char* kForm = "is not a decimal number";
    constexpr const char* kRange = "is not in range -32768 to 32767";
    const DecimalCase cases[] = {
        {"0", 0, nullptr},
        {"12", 12, nullptr},
        {"-12", -12, nullptr},
        {"32767", 32767, nullptr},
        {"-32768", -32768, nullptr},
        {"010", 0, kForm},
        {"00", 0, kForm},
        {"-0", 0, kForm},
        {"+1", 0, kForm},
        {" 5", 0, kForm},
        {"5 ", 0, kForm},
        {"0x10", 0, kForm},
        {"1e3", 0, kForm},
        {"", 0, kForm},
        {"-", 0, kForm},
        {"32768", 0, kRange},
        {"-32769", 0, kRange},
        {"99999999999999999999", 0, kRange},
    };
    for (const DecimalCase& c : cases) {
        const DecimalNumber n = ParseDecimal(c.text, -32768, 32767);
        if (c.problem == nullptr) {
            EXPECT_TRUE(n.ok()) << c.text << ": " << n.problem;
            EXPECT_EQ(n.value, c.value) << c.text;
        } else {
            EXPECT_NE(n.problem.find(c.problem), std::string::npos) << c.text << ": " << n.problem;
        }
    }
}

// Stored text from another tool can neither break the encoding of a report nor forge a line.
TEST(ShownTextTest, InvalidBytesAndControlCharacters) {
    const struct {
        std::string stored, valid, oneLine;
    } cases[] = {
        {"Caf\xC3\xA9 \xE4\xB8\xAD", "Caf\xC3\xA9 \xE4\xB8\xAD", "Caf\xC3\xA9 \xE4\xB8\xAD"},
        {"Caf\xE9", "Caf\xEF\xBF\xBD", "Caf\xEF\xBF\xBD"},  // Windows-1252
        {"a\nXFER 9\tb\r", "a\nXFER 9\tb\r", "a\\nXFER 9\\tb\\r"},
        {std::string("\x01\x7F\\ \xC2\x85") + '\0', std::string("\x01\x7F\\ \xC2\x85") + '\0',
         "\\x01\\x7F\\\\ \\u0085\\x00"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ValidText(c.stored), c.valid) << c.stored;
        EXPECT_EQ(OneLineText(c.stored), c.oneLine) << c.stored;
    }
}

}  // namespace
}  // namespace xfer::runtime
