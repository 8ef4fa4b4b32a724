// xfer-node-editor: the host program. It plays the configuration builder: opens the XFER node
// editor on a node of the configuration database (on screen, or headless from a session
// script), lists a partition's XFER nodes, tells where the database is and how it was found,
// and sets up a demo database.

#include <exception>
#include <iostream>

#include "program.h"
#include "runtime/shown_text.h"

int main(int argc, char** argv) {
    using namespace xfer::app;
    CLI::App app{
        "Opens the XFER node editor on a node of the configuration database, as the "
        "configuration builder does.",
        kProgram};
    app.set_version_flag("--version", std::string(kProgram) + " " + XFER_VERSION);
    app.require_subcommand(0, 1);
    Program program{argc, argv};
    AddOpenCommand(app, program);
    AddListCommand(app, program);
    AddWhereCommand(app, program);
    AddDemoCommand(app, program);
    AddCheckCommand(app, program);
    AddRefsCommand(app, program);
    AddRepairCommand(app, program);
    AddExportCommand(app, program);
    AddDiffCommand(app, program);
    AddImportCommand(app, program);
    AddDatabaseCommands(app, program);
    // The last resort: whatever escaped a command (an output that could not be written, a
    // library's own exception) is said on stderr, never an abort.
    try {
        CLI11_PARSE(app, argc, argv);
        if (app.get_subcommands().empty())
            return RunWithoutCommand(app, program);
    } catch (const std::exception& error) {
        std::cerr << kProgram << ": " << xfer::runtime::ValidText(error.what()) << "\n";
        return kError;
    } catch (...) {
        std::cerr << kProgram << ": an unexpected error ended the command\n";
        return kError;
    }
    return program.status;
}
