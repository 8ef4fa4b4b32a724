#pragma once
// The chooser as the program shows it, without Qt in sight: the program's window when it is
// started without a command, and its first frame for the benchmarks.

#include <chrono>

#include "platform/platform.h"

namespace xfer::host {
class EditorHost;
}

namespace xfer::desktop {

// Shows the chooser on a host with the desktop's services on `machine` and runs until the
// window is closed; returns the exit status. Runs inside RunDesktop.
int RunChooser(platform::PlatformParts machine);

struct ChooserFrame {
    bool painted = false;
    std::chrono::steady_clock::time_point paintedAt{};
    int listedNodes = 0;  // the XFER nodes the list shows
};

// Makes and shows a chooser on `host`, returns once its first frame is painted, and closes it.
ChooserFrame PaintChooser(host::EditorHost& host);

}  // namespace xfer::desktop
