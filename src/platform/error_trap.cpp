#include "platform/error_trap.h"

#include <exception>
#include <new>
#include <string>

#include "platform/message_box.h"

namespace xfer::platform {

std::string TrapMessage(const runtime::Error& error, std::string_view procedure) {
    std::string text = "Source: ";
    text += error.source();
    text += " - ";
    text += procedure;
    text += " \r\nDescription: ";
    text += error.description();
    return text;
}

namespace {
void Report(MessageBoxes& boxes, std::string_view procedure, const runtime::Error& error,
            const std::function<void()>& restore) {
    if (restore)
        restore();
    boxes.ask(TrapMessage(error, procedure), mb::kOKOnly | mb::kExclamation, "Error");
}
}  // namespace

bool Trap(MessageBoxes& boxes, std::string_view procedure, const std::function<void()>& body,
          const std::function<void()>& restore) {
    try {
        body();
        return true;
    } catch (const runtime::Error& e) {
        Report(boxes, procedure, e, restore);
    } catch (const std::bad_alloc&) {
        Report(boxes, procedure,
               runtime::Error(runtime::err::kOutOfMemory, std::string(runtime::kComponentSource),
                              "Out of memory"),
               restore);
    } catch (const std::exception& e) {
        // Anything else is a fault of ours; it is still reported the same way, never lost.
        Report(boxes, procedure,
               runtime::Error(runtime::err::kInvalidProcedureCall,
                              std::string(runtime::kComponentSource), e.what()),
               restore);
    }
    return false;
}

}  // namespace xfer::platform
