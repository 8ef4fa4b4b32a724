#pragma once
// The one error trap every trapping procedure uses: run the body; on an error run the
// procedure's restore step, report the error in the standard "Error" box and return normally.

#include <functional>
#include <string_view>

#include "runtime/error.h"

namespace xfer::platform {

class MessageBoxes;

// "Source: <source> - <procedure> \r\nDescription: <description>"
std::string TrapMessage(const runtime::Error& error, std::string_view procedure);

// Returns true when the body finished, false when the trap caught an error.
bool Trap(MessageBoxes& boxes, std::string_view procedure, const std::function<void()>& body,
          const std::function<void()>& restore = {});

}  // namespace xfer::platform
