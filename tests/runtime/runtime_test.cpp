#include <gtest/gtest.h>

#include <cstdint>
#include <functional>

#include "runtime/collection.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "runtime/utf8.h"
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
        {Variant(-2.5), -2, 0},
        {Variant("32767"), 32767, 0},
        {Variant("-32768"), -32768, 0},
        {Variant("32768"), 0, err::kOverflow},
        {Variant(40000), 0, err::kOverflow},
        {Variant(32767.5), 0, err::kOverflow},
        {Variant("abc"), 0, err::kTypeMismatch},
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

TEST(VariantTest, TextOfEachKind) {
    EXPECT_EQ(Variant(12).toText(), "12");
    EXPECT_EQ(Variant(1.5).toText(), "1.5");
    EXPECT_EQ(Variant().toText(), "");
    EXPECT_EQ(Variant::null().textOrEmpty(), "");
    EXPECT_EQ(Variant(Variant::Bytes{'a', 'b'}).toText(), "ab");
    EXPECT_EQ(ErrorOf([] { (void)Variant::null().toText(); }), err::kInvalidUseOfNull);
}

TEST(TextTest, ZeroPaddedNumbers) {
    EXPECT_EQ(ZeroPad(1, 2), "01");
    EXPECT_EQ(ZeroPad(12, 3), "012");
    EXPECT_EQ(ZeroPad(1250, 3), "1250");
    EXPECT_EQ(ZeroPad(-5, 3), "-005");
}

TEST(CollectionTest, KeysIgnoreLetterCaseAndItemsKeepTheirKind) {
    Collection c;
    c.Add(Variant("XFER"), "4");
    c.Add(Variant(999), "Msg");
    EXPECT_EQ(c.Item("msg").toInt16(), 999);
    EXPECT_TRUE(c.Item("msg").isInteger());
    EXPECT_EQ(c.Item(1).toText(), "XFER");
    EXPECT_EQ(c.Count(), 2);
    EXPECT_TRUE(c.contains("MSG"));
}

TEST(CollectionTest, ErrorsOfTheKeyedCollection) {
    Collection c;
    c.Add(Variant("a"), "Key");
    EXPECT_EQ(ErrorOf([&] { c.Add(Variant("b"), "KEY"); }), err::kKeyAlreadyAssociated);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item("missing"); }), err::kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item(0L); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item(2L); }), err::kSubscriptOutOfRange);
}

TEST(Utf8Test, CountsAndCutsWholeCharacters) {
    const std::string text = "a\u00e9\u4e2d\U0001F600z";  // 1, 2, 3 and 4 bytes, then 1
    EXPECT_TRUE(utf8::IsValid(text));
    EXPECT_EQ(utf8::Length(text), 5u);
    EXPECT_EQ(utf8::ByteOffset(text, 3), 6u);
    EXPECT_EQ(utf8::ByteOffset(text, 99), text.size());
    EXPECT_EQ(utf8::Substr(text, 1, 2), "\u00e9\u4e2d");
    EXPECT_EQ(utf8::Characters(text).size(), 5u);
    for (const std::string bad : {"\xc3", "ab\xc3(", "\xed\xa0\x80", "\xf8\x88\x80\x80\x80"}) {
        EXPECT_FALSE(utf8::IsValid(bad)) << bad;
        EXPECT_NE(utf8::FirstInvalid(bad), std::string_view::npos);
    }
    EXPECT_EQ(utf8::FirstInvalid("ab\xc3("), 2u);
}

}  // namespace
}  // namespace xfer::runtime
