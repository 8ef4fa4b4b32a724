// No command: on a display, the "Open XFER node" window, where a person chooses the node to
// edit; without one, the help, since there is nothing to show a window on.

#include <iostream>

#include "desktop/chooser_run.h"
#include "desktop/desktop.h"
#include "program.h"

namespace xfer::app {

int RunWithoutCommand(const CLI::App& app, Program& program) {
    if (!desktop::DisplayAvailable()) {
        std::cerr << app.help() << "\n"
                  << kProgram
                  << ": no command, and no display to choose a node on (DISPLAY and "
                     "WAYLAND_DISPLAY are not set): give one of the commands above\n";
        return kNoDisplay;
    }
    program.run([&] {
        return desktop::RunDesktop(program.argc, program.argv,
                                   [&] { return desktop::RunChooser(program.machine()); });
    });
    return program.status;
}

}  // namespace xfer::app
