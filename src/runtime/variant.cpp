#include "runtime/variant.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "runtime/error.h"

namespace xfer::runtime {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Numeric text as every conversion reads it: optional blanks around a decimal number with an
// optional sign, fraction and exponent. Anything else is a type mismatch.
double ParseNumber(const std::string& text) {
    std::size_t b = 0;
    std::size_t e = text.size();
    while (b < e && IsBlank(text[b]))
        ++b;
    while (e > b && IsBlank(text[e - 1]))
        --e;
    const char* first = text.data() + b;
    const char* last = text.data() + e;
    if (first != last && *first == '+')
        ++first;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (first == last || ec != std::errc() || ptr != last || !std::isfinite(value)) {
        RaiseRuntime(err::kTypeMismatch);
    }
    return value;
}

template <class Int>
Int ToWhole(double value) {
    const double rounded = std::nearbyint(value);  // the default rounding mode: halves to even
    if (rounded < static_cast<double>(std::numeric_limits<Int>::min()) ||
        rounded > static_cast<double>(std::numeric_limits<Int>::max())) {
        RaiseRuntime(err::kOverflow);
    }
    return static_cast<Int>(rounded);
}

}  // namespace

double Variant::toDouble() const {
    if (isEmpty())
        return 0;
    if (isNull())
        RaiseRuntime(err::kInvalidUseOfNull);
    if (const auto* i = std::get_if<std::int64_t>(&value_))
        return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&value_))
        return *d;
    if (const auto* s = std::get_if<std::string>(&value_))
        return ParseNumber(*s);
    RaiseRuntime(err::kTypeMismatch);
}

std::int16_t Variant::toInt16() const {
    if (const auto* i = std::get_if<std::int64_t>(&value_)) {
        if (*i < std::numeric_limits<std::int16_t>::min() ||
            *i > std::numeric_limits<std::int16_t>::max()) {
            RaiseRuntime(err::kOverflow);
        }
        return static_cast<std::int16_t>(*i);
    }
    return ToWhole<std::int16_t>(toDouble());
}

std::int32_t Variant::toInt32() const {
    if (const auto* i = std::get_if<std::int64_t>(&value_)) {
        if (*i < std::numeric_limits<std::int32_t>::min() ||
            *i > std::numeric_limits<std::int32_t>::max()) {
            RaiseRuntime(err::kOverflow);
        }
        return static_cast<std::int32_t>(*i);
    }
    return ToWhole<std::int32_t>(toDouble());
}

std::string Variant::toText() const {
    if (isEmpty())
        return {};
    if (isNull())
        RaiseRuntime(err::kInvalidUseOfNull);
    if (const auto* i = std::get_if<std::int64_t>(&value_))
        return std::to_string(*i);
    if (const auto* d = std::get_if<double>(&value_)) {
        char buf[64];
        const auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, *d);
        return std::string(buf, ec == std::errc() ? ptr : buf);
    }
    if (const auto* s = std::get_if<std::string>(&value_))
        return *s;
    const auto& b = std::get<Bytes>(value_);
    return std::string(b.begin(), b.end());
}

std::string Variant::textOrEmpty() const {
    return isNull() ? std::string() : toText();
}

}  // namespace xfer::runtime
