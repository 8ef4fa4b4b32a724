#pragma once
// The host program's way into the desktop editor, without Qt in sight.

#include <functional>

namespace xfer::platform {
class PlatformServices;
}

namespace xfer::desktop {

// Whether a window can be shown: a display is named (DISPLAY, WAYLAND_DISPLAY) or a Qt
// platform plugin is chosen (QT_QPA_PLATFORM, e.g. offscreen).
bool DisplayAvailable();

// Creates the application, gives `services` the Qt message boxes, pointer, confirmation dialog
// and window system, runs `body` and returns its result.
int RunDesktop(int argc, char** argv, platform::PlatformServices& services,
               const std::function<int()>& body);

}  // namespace xfer::desktop
