#include "runtime/error.h"

#include <utility>

namespace xfer::runtime {

Error::Error(long number, std::string source, std::string description)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)) {}

namespace {
// The text of a runtime error number; empty for numbers the component never raises.
std::string_view RuntimeErrorText(long number) {
    switch (number) {
        case err::kInvalidProcedureCall:
            return "Invalid procedure call or argument";
        case err::kOverflow:
            return "Overflow";
        case err::kOutOfMemory:
            return "Out of memory";
        case err::kSubscriptOutOfRange:
            return "Subscript out of range";
        case err::kTypeMismatch:
            return "Type mismatch";
        case err::kObjectNotSet:
            return "The object is not set";
        case err::kInvalidUseOfNull:
            return "Invalid use of Null";
        case err::kInvalidPropertyValue:
            return "Invalid property value";
        case err::kInvalidPropertyArrayIndex:
            return "Invalid property array index";
        case err::kTextPropertyReadOnly:
            return "'Text' property is read-only";
        case err::kCannotCreateComponent:
            return "The component cannot be created";
        case err::kWrongNumberOfArguments:
            return "Wrong number of arguments or invalid property assignment";
        case err::kKeyAlreadyAssociated:
            return "This key is already associated with an element of this collection";
        case err::kIndexOutOfBounds:
            return "Index out of bounds";
        case err::kElementNotFound:
            return "Element not found";
        case err::kKeyNotUnique:
            return "Key is not unique in collection";
        default:
            return {};
    }
}
}  // namespace

void RaiseRuntime(long number) {
    throw Error(number, std::string(kComponentSource), std::string(RuntimeErrorText(number)));
}

void Raise(long number, std::string source, std::string description) {
    throw Error(number, std::move(source), std::move(description));
}

}  // namespace xfer::runtime
