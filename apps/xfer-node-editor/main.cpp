// xfer-node-editor: the host program. It plays the configuration builder: opens the XFER node
// editor on a node of the configuration database (on screen, or headless from a session
// script), lists a partition's XFER nodes, tells where the database is and how it was found,
// and sets up a demo database.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "data/database.h"
#include "data/folders.h"
#include "data/schema.h"
#include "desktop/desktop.h"
#include "editor/exception_table.h"
#include "editor/session_script.h"
#include "platform/platform.h"
#include "runtime/error.h"

namespace {

using namespace xfer;

constexpr const char* kProgram = "xfer-node-editor";
constexpr std::int16_t kDemoConfig = 1;
constexpr std::int16_t kDemoPartition = 1;

// Exit codes beyond CLI11's own for bad arguments.
constexpr int kFailed = 1;     // the database or the session failed
constexpr int kBadScript = 2;  // the script cannot be read
constexpr int kNoDisplay = 3;  // nothing to show the editor on

struct Location {
    std::string path;
    std::string how;
};

Location Resolve(platform::PlatformServices& services) {
    const data::VDACOMPlusFilesAndFolders folders(services.view());
    Location where{folders.GetDatabaseFolder() + data::names::kDatabaseFile, {}};
    if (folders.ProductFolderSource() == "shell") {
        const char* env = std::getenv("PROGRAMDATA");
        where.how = "shell folder: common application data is " +
                    folders.GetSpecialFolder(platform::kCsidlCommonAppData) +
                    (env != nullptr && *env != '\0' ? " (from PROGRAMDATA)" : " (the default)");
    } else {
        const std::string folder = folders.GetCommonAppDataFolder();
        where.how = "registry: \"Common AppData\" in " +
                    std::string(platform::kDefaultRegistryFile) +
                    (folder.empty() ? " is not set" : " is " + folder) + " (no " +
                    folders.GetSpecialFolder(platform::kCsidlCommonAppData) + "/" +
                    data::names::kCompanyFolder + "/" + data::names::kProductFolder + " folder)";
    }
    return where;
}

bool Exists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}

// The database must be there before the editor opens; say where it was looked for.
bool RequireDatabase(platform::PlatformServices& services) {
    const Location where = Resolve(services);
    if (Exists(where.path))
        return true;
    std::cerr << kProgram << ": no configuration database at " << where.path << "\n  found by "
              << where.how << "\n  create the demo database with `" << kProgram
              << " demo`, or set PROGRAMDATA to the folder that holds Quorvel/VDACOM+\n";
    return false;
}

int Where() {
    platform::PlatformServices services;
    const Location where = Resolve(services);
    std::cout << "database: " << where.path << (Exists(where.path) ? "" : " (not there yet)")
              << "\nfound by: " << where.how << "\n";
    return 0;
}

std::string Target(data::Recordset& rs, const editor::ExceptionInfo& e) {
    return rs.field(e.typeColumn).textOrEmpty() + " " + rs.field(e.numberColumn).textOrEmpty();
}

int List(std::int16_t config, std::int16_t partition) {
    platform::PlatformServices services;
    if (!RequireDatabase(services))
        return kFailed;
    data::DataBase db(services.view());
    db.Get_All_XFER_Nodes({std::to_string(config), std::to_string(partition), "4"});
    data::Recordset& rs = db.rsGet_All_XFER_Nodes();
    std::vector<std::vector<std::string>> table{{"Node", "Label", "Dial", "Style", "Hold", "MOH",
                                                 "Busy 1", "Busy 2", "No Answer", "Answer"}};
    for (; !rs.eof(); rs.moveNext()) {
        std::vector<std::string> row{
            rs.field("NodeNumber").textOrEmpty(), rs.field("NodeDescription").textOrEmpty(),
            rs.field("Dial").textOrEmpty(), "STYLE " + rs.field("StyleNodeNumber").textOrEmpty()};
        for (const auto& e : editor::kExceptions)
            row.push_back(Target(rs, e));
        table.push_back(std::move(row));
    }
    if (table.size() == 1) {
        std::cout << "no XFER nodes in configuration " << config << ", partition " << partition
                  << "\n";
        return 0;
    }
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    for (const auto& row : table) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            line += row[c] + std::string(widths[c] - row[c].size() + 2, ' ');
        }
        std::cout << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
    }
    return 0;
}

int RunScript(platform::PlatformServices& services, const std::string& file, std::int16_t config,
              std::int16_t partition, std::int16_t node) {
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    std::vector<editor::ScriptStep> steps;
    try {
        steps = editor::ParseSessionScript(text.str());
    } catch (const editor::ScriptError& error) {
        std::cerr << kProgram << ": " << file << ": " << error.what() << "\n";
        return kBadScript;
    }
    if (editor::RunSessionScript(steps, services, config, partition, node, std::cout))
        return 0;
    std::cerr << kProgram << ": the session in " << file << " could not be carried out\n";
    return kFailed;
}

int Open(int argc, char** argv, platform::PlatformServices& services, std::int16_t config,
         std::int16_t partition, std::int16_t node, const std::string& script) {
    if (!script.empty())
        return RunScript(services, script, config, partition, node);
    if (!xfer::desktop::DisplayAvailable()) {
        std::cerr << kProgram
                  << ": no display to show the editor on (DISPLAY and WAYLAND_DISPLAY "
                     "are not set)\n  run the session headless from a script instead: "
                     "--script FILE (see examples/)\n";
        return kNoDisplay;
    }
    return xfer::desktop::RunDesktop(argc, argv, services, [&] {
        business_rules::Component component(services.view());
        business_rules::Business_Rules host(component);
        host.ShowNodeEditor(config, partition, node);
        return 0;
    });
}

// Creates the demo database where the editor will look for it, unless one is there already.
int Demo(int argc, char** argv, const std::string& script) {
    platform::PlatformServices services;
    const data::VDACOMPlusFilesAndFolders folders(services.view());
    Location where = Resolve(services);
    if (Exists(where.path)) {
        std::cout << "using the database at " << where.path << "\n";
    } else {
        // With no registry answer the database goes under the shell folder, where the next
        // resolution finds it.
        const bool byRegistry = folders.ProductFolderSource() == "registry" &&
                                !folders.GetCommonAppDataFolder().empty();
        const std::string target =
            byRegistry ? where.path
                       : folders.GetSpecialFolder(platform::kCsidlCommonAppData) + "/" +
                             data::names::kCompanyFolder + "/" + data::names::kProductFolder + "/" +
                             data::names::kDatabaseFolder + "/" + data::names::kDatabaseFile;
        try {
            data::CreateConfigurationDatabase(target, true);
        } catch (const runtime::Error& error) {
            std::cerr << kProgram << ": cannot create the demo database at " << target << ": "
                      << error.description()
                      << "\n  set PROGRAMDATA to a folder you can write, e.g. "
                         "PROGRAMDATA=$HOME/.local/share\n";
            return kFailed;
        }
        std::cout << "created the demo database at " << target << "\n";
    }
    data::DataBase db(services.view());
    db.Get_All_XFER_Nodes({std::to_string(kDemoConfig), std::to_string(kDemoPartition), "4"});
    data::Recordset& rs = db.rsGet_All_XFER_Nodes();
    for (; !rs.eof(); rs.moveNext()) {
        const std::int16_t node = rs.field("NodeNumber").toInt16();
        if (node != 0) {
            return Open(argc, argv, services, kDemoConfig, kDemoPartition, node, script);
        }
    }
    std::cerr << kProgram << ": the database has no XFER node in configuration " << kDemoConfig
              << ", partition " << kDemoPartition << "\n";
    return kFailed;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{
        "Opens the XFER node editor on a node of the configuration database, as the "
        "configuration builder does.",
        kProgram};
    app.require_subcommand(1);

    int config = 0;
    int partition = 0;
    int node = 0;
    std::string script;
    const auto id = [](CLI::App* command, const char* name, int& value, const char* what) {
        command->add_option(name, value, what)->required()->check(CLI::Range(-32768, 32767));
    };
    const auto scriptOption = [&script](CLI::App* command) {
        command
            ->add_option("--script", script,
                         "run the session headless from this script and print a transcript")
            ->check(CLI::ExistingFile);
    };

    CLI::App* open = app.add_subcommand("open", "open the editor on one XFER node");
    id(open, "--config", config, "configuration (ConfigID)");
    id(open, "--partition", partition, "partition (PartID)");
    id(open, "--node", node, "XFER node number (0 is the template node)");
    scriptOption(open);

    CLI::App* list =
        app.add_subcommand("list", "list the XFER nodes of a partition and their targets");
    id(list, "--config", config, "configuration (ConfigID)");
    id(list, "--partition", partition, "partition (PartID)");

    CLI::App* where = app.add_subcommand("where", "print the database path and how it was found");

    CLI::App* demo = app.add_subcommand(
        "demo", "create the demo database if there is none, then open its first XFER node");
    scriptOption(demo);

    CLI11_PARSE(app, argc, argv);

    const auto c = static_cast<std::int16_t>(config);
    const auto p = static_cast<std::int16_t>(partition);
    try {
        if (*where)
            return Where();
        if (*list)
            return List(c, p);
        if (*demo)
            return Demo(argc, argv, script);
        platform::PlatformServices services;
        if (!RequireDatabase(services))
            return kFailed;
        return Open(argc, argv, services, c, p, static_cast<std::int16_t>(node), script);
    } catch (const runtime::Error& error) {
        std::cerr << kProgram << ": " << (error.source().empty() ? "" : error.source() + ": ")
                  << error.description() << "\n";
        return kFailed;
    }
}
