#pragma once
// Component errors: a number, the name of what raised it and a description. Every failure that a
// procedure's error trap reports is one of these.

#include <stdexcept>
#include <string>
#include <string_view>

namespace xfer::runtime {

// Source of the errors that the component's own code raises.
inline constexpr std::string_view kComponentSource = "QRV_XFER_Node";

// The runtime error numbers the component raises and reports.
namespace err {
inline constexpr long kInvalidProcedureCall = 5;
inline constexpr long kOverflow = 6;
inline constexpr long kOutOfMemory = 7;
inline constexpr long kSubscriptOutOfRange = 9;
inline constexpr long kTypeMismatch = 13;
inline constexpr long kObjectNotSet = 91;
inline constexpr long kInvalidUseOfNull = 94;
inline constexpr long kInvalidPropertyValue = 380;
inline constexpr long kInvalidPropertyArrayIndex = 381;
inline constexpr long kTextPropertyReadOnly = 383;
inline constexpr long kCannotCreateComponent = 429;
inline constexpr long kWrongNumberOfArguments = 450;
inline constexpr long kKeyAlreadyAssociated = 457;
inline constexpr long kUnsupportedValueType = 1001;
inline constexpr long kIndexOutOfBounds = 35600;
inline constexpr long kElementNotFound = 35601;
inline constexpr long kKeyNotUnique = 35602;
}  // namespace err

class Error : public std::runtime_error {
  public:
    Error(long number, std::string source, std::string description);

    long number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    const std::string& description() const noexcept { return description_; }

  private:
    long number_;
    std::string source_;
    std::string description_;
};

// Raises a runtime error with the component as its source and the number's own text
// ("Overflow" for 6).
[[noreturn]] void RaiseRuntime(long number);

// Raises an error with everything given.
[[noreturn]] void Raise(long number, std::string source, std::string description);

}  // namespace xfer::runtime
