#pragma once
// The host program's way into the desktop editor, without Qt in sight.

#include <functional>

#include "platform/platform.h"

namespace xfer::desktop {

// Whether a window can be shown: a display is named (DISPLAY, WAYLAND_DISPLAY) or a Qt
// platform plugin is chosen (QT_QPA_PLATFORM, e.g. offscreen).
bool DisplayAvailable();

// Creates the application with the form's font, runs `body` and returns its result. Desktop
// services must be made and released inside `body`, while the application exists.
int RunDesktop(int argc, char** argv, const std::function<int()>& body);

// Services for a screen: Qt message boxes, busy pointer, confirmation dialog and modal window
// system; `machine` gives the shell, registry and file system (empty parts take the defaults).
platform::PlatformServices DesktopServices(platform::PlatformParts machine = {});

}  // namespace xfer::desktop
