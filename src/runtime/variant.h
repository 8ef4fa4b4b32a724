#pragma once
// A value of any of the kinds the component passes around: Empty, Null, a whole number, a
// double, text or bytes. Database fields, collection items and registry values are Variants.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace xfer::runtime {

class Variant {
  public:
    struct EmptyT {
        bool operator==(const EmptyT&) const = default;
    };
    struct NullT {
        bool operator==(const NullT&) const = default;
    };
    using Bytes = std::vector<std::uint8_t>;

    Variant() = default;
    Variant(NullT) : value_(NullT{}) {}
    Variant(int v) : value_(static_cast<std::int64_t>(v)) {}
    Variant(long v) : value_(static_cast<std::int64_t>(v)) {}
    Variant(long long v) : value_(static_cast<std::int64_t>(v)) {}
    Variant(double v) : value_(v) {}
    Variant(std::string v) : value_(std::move(v)) {}
    Variant(const char* v) : value_(std::string(v)) {}
    Variant(Bytes v) : value_(std::move(v)) {}

    static Variant null() { return Variant(NullT{}); }

    bool isEmpty() const noexcept { return std::holds_alternative<EmptyT>(value_); }
    bool isNull() const noexcept { return std::holds_alternative<NullT>(value_); }
    bool isInteger() const noexcept { return std::holds_alternative<std::int64_t>(value_); }
    bool isText() const noexcept { return std::holds_alternative<std::string>(value_); }

    // Numbers and numeric text to a 16-bit integer, halves to even. Text that is not a
    // number raises 13, a value outside -32768..32767 raises 6, Null raises 94, Empty is 0.
    std::int16_t toInt16() const;
    // As toInt16, for the 32-bit range.
    std::int32_t toInt32() const;
    // Numbers and numeric text to a double; the same errors as toInt16 except the range.
    double toDouble() const;
    // The value as text. Empty is "", Null raises 94, bytes are taken as characters.
    std::string toText() const;
    // The text of a value that may be Null, with Null read as "": how the rules read a text
    // field that may be empty.
    std::string textOrEmpty() const;

    bool operator==(const Variant&) const = default;

  private:
    std::variant<EmptyT, NullT, std::int64_t, double, std::string, Bytes> value_;
};

}  // namespace xfer::runtime
