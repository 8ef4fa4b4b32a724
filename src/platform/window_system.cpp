#include "platform/window_system.h"

#include <string>

#include "runtime/error.h"

namespace xfer::platform {

void HeadlessWindowSystem::showModal(Window&) {
    runtime::Raise(runtime::err::kInvalidProcedureCall, std::string(runtime::kComponentSource),
                   "No display is available to show the editor; run a scripted session instead");
}

}  // namespace xfer::platform
