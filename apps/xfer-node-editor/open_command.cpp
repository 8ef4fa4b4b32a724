// open and demo: the editor on one XFER node, on screen or headless from a session script.

#include <fstream>
#include <iostream>
#include <sstream>

#include "data/database.h"
#include "desktop/desktop.h"
#include "host/database_location.h"
#include "host/editor_host.h"
#include "host/session_runner.h"
#include "host/stored_nodes.h"
#include "program.h"
#include "runtime/error.h"

namespace xfer::app {

namespace {

constexpr std::int16_t kDemoConfig = 1;
constexpr std::int16_t kDemoPartition = 1;

struct OpenOptions {
    host::SessionTarget target;
    std::string script;
};

int RunScript(const Program& program, const OpenOptions& options) {
    std::ifstream in(options.script);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<host::ScriptStep> steps;
    try {
        steps = host::ParseSessionScript(text.str());
    } catch (const host::ScriptError& error) {
        std::cerr << kProgram << ": " << options.script << ": " << error.what() << "\n";
        return kBadScript;
    }
    if (host::RunSessionScript(steps, options.target, program.machine(), std::cout))
        return kOk;
    std::cerr << kProgram << ": the session in " << options.script << " could not be carried out\n";
    return kFailed;
}

int Open(Program& program, const OpenOptions& options) {
    if (!options.script.empty())
        return RunScript(program, options);
    if (!desktop::DisplayAvailable()) {
        std::cerr << kProgram
                  << ": no display to show the editor on (DISPLAY and WAYLAND_DISPLAY "
                     "are not set)\n  run the session headless from a script instead: "
                     "--script FILE (see examples/)\n";
        return kNoDisplay;
    }
    return desktop::RunDesktop(program.argc, program.argv, [&] {
        host::EditorHost host(desktop::DesktopServices(program.machine()));
        host.Open(options.target.config, options.target.partition, options.target.node);
        return kOk;
    });
}

// Creates the demo database where the editor will look for it, unless one is there already,
// and opens its first XFER node.
int Demo(Program& program, OpenOptions options) {
    const platform::PlatformServices services(program.machine());
    host::DemoDatabase demo;
    try {
        demo = host::EnsureDemoDatabase(services.view());
    } catch (const runtime::Error& error) {
        std::cerr << kProgram << ": cannot create the demo database: " << error.description()
                  << "\n  set PROGRAMDATA to a folder you can write, e.g. "
                     "PROGRAMDATA=$HOME/.local/share\n";
        return kFailed;
    }
    std::cout << (demo.created ? "created the demo database at " : "using the database at ")
              << demo.path << "\n";
    data::DataBase db(services.view());
    for (const host::StoredXferNode& node : host::ReadXferNodes(db, kDemoConfig, kDemoPartition)) {
        if (node.number != 0) {
            options.target = {kDemoConfig, kDemoPartition, node.number};
            return Open(program, options);
        }
    }
    std::cerr << kProgram << ": the database has no XFER node in configuration " << kDemoConfig
              << ", partition " << kDemoPartition << "\n";
    return kFailed;
}

void AddScriptOption(CLI::App* command, std::string& script) {
    command
        ->add_option("--script", script,
                     "run the session headless from this script and print a transcript")
        ->check(CLI::ExistingFile);
}

}  // namespace

void AddOpenCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<OpenOptions>();
    CLI::App* open = app.add_subcommand("open", "open the editor on one XFER node");
    AddId(open, "--config", options->target.config, "configuration (ConfigID)");
    AddId(open, "--partition", options->target.partition, "partition (PartID)");
    AddId(open, "--node", options->target.node, "XFER node number (0 is the template node)");
    AddScriptOption(open, options->script);
    open->callback([&program, options] {
        program.run([&] {
            const platform::PlatformServices services(program.machine());
            if (!RequireDatabase(services.view()))
                return kFailed;
            return Open(program, *options);
        });
    });
}

void AddDemoCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<OpenOptions>();
    CLI::App* demo = app.add_subcommand(
        "demo", "create the demo database if there is none, then open its first XFER node");
    AddScriptOption(demo, options->script);
    demo->callback([&program, options] { program.run([&] { return Demo(program, *options); }); });
}

}  // namespace xfer::app
