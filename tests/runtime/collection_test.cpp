#include <gtest/gtest.h>

#include <functional>

#include "runtime/collection.h"
#include "runtime/error.h"

namespace xfer::runtime {
namespace {

long ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

TEST(CollectionTest, KeysIgnoreLetterCaseAndItemsKeepTheirKind) {
    Collection c;
    c.Add(Variant("XFER"), "4");
    c.Add(Variant(999), "Msg");
    EXPECT_EQ(c.Item("msg").toInt16(), 999);
    EXPECT_TRUE(c.Item("msg").isInteger());
    EXPECT_EQ(c.Item(1).toText(), "XFER");
    EXPECT_EQ(c.Count(), 2);
    EXPECT_TRUE(c.Contains("MSG"));
}

TEST(CollectionTest, ErrorsOfTheClassicCollection) {
    Collection c;
    c.Add(Variant("a"), "Key");
    EXPECT_EQ(ErrorOf([&] { c.Add(Variant("b"), "KEY"); }), err::kKeyAlreadyAssociated);
    EXPECT_EQ(c.Count(), 1);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item("missing"); }), err::kInvalidProcedureCall);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item(0L); }), err::kSubscriptOutOfRange);
    EXPECT_EQ(ErrorOf([&] { (void)c.Item(2L); }), err::kSubscriptOutOfRange);
}

}  // namespace
}  // namespace xfer::runtime
