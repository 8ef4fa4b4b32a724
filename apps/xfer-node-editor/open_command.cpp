// open and demo: the editor on one XFER node, on screen or headless from a session script.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

#include "business_rules/stored_nodes.h"
#include "data/database.h"
#include "desktop/desktop.h"
#include "host/bulk_run.h"
#include "host/database_location.h"
#include "host/editor_host.h"
#include "host/session_runner.h"
#include "program.h"
#include "runtime/error.h"

namespace xfer::app {

namespace {

constexpr std::int16_t kDemoConfig = 1;
constexpr std::int16_t kDemoPartition = 1;

// A session script is a small text file: anything larger is a mistake, not a session.
constexpr std::size_t kMaxScriptSize = 1024 * 1024;

struct OpenOptions {
    host::SessionTarget target;
    std::string script;      // the path given with --script, "" for none
    std::string scriptText;  // its text, read before anything else happens
    std::string transcript = "text";
    std::string nodes;  // a bulk run: a node list (host::ParseNodeList)
    bool all = false;   // a bulk run over every node of the record selector
    bool keepGoing = false;
    bool dryRun = false;  // run on a snapshot: nothing is stored
};

std::string KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "a directory";
    if (S_ISCHR(mode))
        return "a character device";
    if (S_ISBLK(mode))
        return "a block device";
    if (S_ISFIFO(mode))
        return "a pipe";
    if (S_ISSOCK(mode))
        return "a socket";
    return "not a regular file";
}

// Reads the script whole, or says on stderr why it cannot be read: a file that cannot be
// opened or read, anything but a regular file (a directory, a device, a pipe: opened without
// waiting for a writer), or a file larger than kMaxScriptSize.
bool ReadScript(OpenOptions& options) {
    const auto refuse = [&](const std::string& why) {
        std::cerr << kProgram << ": cannot read the script " << options.script << ": " << why
                  << "\n";
        return false;
    };
    const int fd = ::open(options.script.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refuse(std::strerror(errno));
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat info {};
    if (::fstat(fd, &info) != 0)
        return refuse(std::strerror(errno));
    if (!S_ISREG(info.st_mode))
        return refuse("it is " + KindOf(info.st_mode) + ", not a regular file");
    const auto tooLarge = [&](std::size_t size) {
        return refuse("it has " + std::to_string(size) + " bytes, more than the " +
                      std::to_string(kMaxScriptSize) + " (1 MiB) a script may have");
    };
    if (static_cast<std::size_t>(info.st_size) > kMaxScriptSize)
        return tooLarge(static_cast<std::size_t>(info.st_size));
    // Never more than the limit and a byte, should the file grow while it is read.
    std::string text(kMaxScriptSize + 1, '\0');
    std::size_t size = 0;
    while (size < text.size()) {
        const ssize_t got = ::read(fd, text.data() + size, text.size() - size);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refuse(std::strerror(errno));
        if (got == 0)
            break;
        size += static_cast<std::size_t>(got);
    }
    if (size > kMaxScriptSize)
        return tooLarge(size);
    text.resize(size);
    options.scriptText = std::move(text);
    return true;
}

int RunScript(const Program& program, const OpenOptions& options) {
    std::vector<host::ScriptStep> steps;
    try {
        steps = host::ParseSessionScript(options.scriptText);
    } catch (const host::ScriptError& error) {
        std::cerr << kProgram << ": " << options.script << ": " << error.what() << "\n";
        return kBadScript;
    }
    const auto transcript = host::MakeTranscript(
        options.transcript == "json" ? host::TranscriptFormat::Json : host::TranscriptFormat::Text,
        std::cout);
    host::SessionRunner runner(program.machine(), *transcript, options.dryRun);
    struct DryRunNote {
        bool on;
        ~DryRunNote() {
            if (on) {
                std::cerr << kProgram
                          << ": --dry-run: nothing was stored; the transcript shows what "
                             "would have been\n";
            }
        }
    } note{options.dryRun};
    struct Warning {
        const host::Transcript& transcript;
        ~Warning() { WarnInvalidText(transcript.nodesWithInvalidText()); }
    } warning{*transcript};
    if (!options.nodes.empty() || options.all) {
        const auto nodes = options.all ? host::SelectorNodes(runner, options.target.config,
                                                             options.target.partition)
                                       : host::ParseNodeList(options.nodes);
        const host::BulkSummary summary =
            host::RunBulkSession(runner, *transcript, steps, options.target.config,
                                 options.target.partition, nodes, options.keepGoing);
        if (summary.failed.empty())
            return kOk;
        std::cerr << kProgram << ": the session in " << options.script << " failed on "
                  << summary.failed.size() << " of " << summary.nodes << " nodes\n";
        return kFailed;
    }
    if (runner.run(steps, options.target).passed())
        return kOk;
    std::cerr << kProgram << ": the session in " << options.script << " did not pass\n";
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
        host.open(options.target.config, options.target.partition, options.target.node);
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
    // A JSON transcript is for tools: nothing else goes to standard output.
    (options.transcript == "json" ? std::cerr : std::cout)
        << (demo.created ? "created the demo database at " : "using the database at ") << demo.path
        << "\n";
    data::DataBase db(services.view());
    for (const business_rules::StoredXferNode& node :
         business_rules::ReadXferNodes(db, kDemoConfig, kDemoPartition)) {
        if (node.number != 0) {
            options.target = {kDemoConfig, kDemoPartition, node.number};
            return Open(program, options);
        }
    }
    std::cerr << kProgram << ": the database has no XFER node in configuration " << kDemoConfig
              << ", partition " << kDemoPartition << "\n";
    return kFailed;
}

CLI::Option* AddScriptOption(CLI::App* command, OpenOptions& options) {
    command
        ->add_option("--transcript", options.transcript,
                     "the transcript of a scripted session: text, or json (one object a line)")
        ->check(CLI::IsMember({"text", "json"}));
    return command->add_option("--script", options.script,
                               "run the session headless from this script and print a transcript");
}

// --node, or a bulk run's --nodes or --all (which need a script): exactly one of them.
void AddNodeSelection(CLI::App* open, OpenOptions& options, CLI::Option* script) {
    // The node is read as every identifier is (AddId), but a bulk run goes without it.
    AddId(open, "--node", options.target.node, "XFER node number (0 is the template node)");
    CLI::Option* node = open->get_option("--node")->required(false);
    CLI::Option* nodes =
        open->add_option("--nodes", options.nodes,
                         "run the script on each of these nodes in turn: 1,5,12-20")
            ->check([](const std::string& text) {
                try {
                    host::ParseNodeList(text);
                    return std::string();
                } catch (const host::NodeListError& error) {
                    return std::string(error.what());
                }
            })
            ->needs(script);
    CLI::Option* all =
        open->add_flag("--all", options.all,
                       "run the script on every XFER node of the partition but the template")
            ->needs(script);
    open->add_flag("--keep-going", options.keepGoing,
                   "with --nodes or --all: go on after a node whose session failed");
    open->add_flag("--dry-run", options.dryRun,
                   "run the script on a snapshot of the database and show what would be stored: "
                   "nothing is stored")
        ->needs(script);
    node->excludes(nodes)->excludes(all);
    nodes->excludes(all);
}

}  // namespace

void AddOpenCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<OpenOptions>();
    CLI::App* open = app.add_subcommand(
        "open", "open the editor on one XFER node, or run a script on several in turn");
    AddId(open, "--config", options->target.config, "configuration (ConfigID)");
    AddId(open, "--partition", options->target.partition, "partition (PartID)");
    AddNodeSelection(open, *options, AddScriptOption(open, *options));
    open->callback([open, &program, options] {
        if (open->count("--node") + open->count("--nodes") + open->count("--all") == 0)
            throw CLI::RequiredError("--node, --nodes or --all");
        // Going on after a failed node means something only when there are nodes after it.
        if (open->count("--keep-going") > 0 && open->count("--nodes") + open->count("--all") == 0)
            throw CLI::RequiresError("--keep-going", "--nodes or --all");
        program.run([&] {
            if (!options->script.empty() && !ReadScript(*options))
                return kBadScript;
            const platform::PlatformServices services(program.machine());
            if (!RequireDatabase(services.view()))
                return kFailed;
            if (!options->nodes.empty() || options->all) {
                data::DataBase db(services.view());
                if (!RequireNodes(db, options->target.config, options->target.partition))
                    return kError;
            }
            return Open(program, *options);
        });
    });
}

void AddDemoCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<OpenOptions>();
    CLI::App* demo = app.add_subcommand(
        "demo", "create the demo database if there is none, then open its first XFER node");
    AddScriptOption(demo, *options);
    demo->callback([&program, options] {
        program.run([&] {
            if (!options->script.empty() && !ReadScript(*options))
                return kBadScript;
            return Demo(program, *options);
        });
    });
}

}  // namespace xfer::app
