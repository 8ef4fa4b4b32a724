// xfer-node-editor: the host program. It plays the configuration builder: opens the XFER node
// editor on a node of the configuration database (on screen, or headless from a session
// script), lists a partition's XFER nodes, tells where the database is and how it was found,
// and sets up a demo database.

#include <iostream>
#include <limits>

#include "host/database_location.h"
#include "program.h"
#include "runtime/decimal.h"
#include "runtime/error.h"

namespace xfer::app {

namespace {
constexpr long long kInt16Min = std::numeric_limits<std::int16_t>::min();
constexpr long long kInt16Max = std::numeric_limits<std::int16_t>::max();
}  // namespace

void Program::run(const std::function<int()>& body) {
    try {
        status = body();
    } catch (const runtime::Error& error) {
        ReportError(error);
        status = kFailed;
    }
}

void ReportError(const runtime::Error& error) {
    std::cerr << kProgram << ": " << (error.source().empty() ? "" : error.source() + ": ")
              << error.description() << "\n";
}

nlohmann::ordered_json NumberOrNull(const std::string& text) {
    try {
        std::size_t used = 0;
        const long value = std::stol(text, &used);
        if (used == text.size())
            return value;
    } catch (const std::exception&) {
    }
    return nullptr;
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

void AddId(CLI::App* command, const std::string& name, std::int16_t& value,
           const std::string& what) {
    const CLI::Validator decimal(
        [](std::string& text) { return runtime::ParseDecimal(text, kInt16Min, kInt16Max).problem; },
        "INT16");
    command
        ->add_option_function<std::string>(
            name,
            [&value](const std::string& text) {
                value = static_cast<std::int16_t>(
                    runtime::ParseDecimal(text, kInt16Min, kInt16Max).value);
            },
            what)
        ->required()
        ->check(decimal);
}

bool RequireDatabase(const platform::Platform& platform) {
    const host::DatabaseLocation where = host::LocateDatabase(platform);
    if (where.exists || where.server)
        return true;
    std::cerr << kProgram << ": no configuration database at " << where.path << "\n  found by "
              << where.how << "\n  create the demo database with `" << kProgram
              << " demo`, or set PROGRAMDATA to the folder that holds Quorvel/VDACOM+\n";
    return false;
}

}  // namespace xfer::app

int main(int argc, char** argv) {
    using namespace xfer::app;
    CLI::App app{
        "Opens the XFER node editor on a node of the configuration database, as the "
        "configuration builder does.",
        kProgram};
    app.require_subcommand(0, 1);
    Program program{argc, argv};
    AddOpenCommand(app, program);
    AddListCommand(app, program);
    AddWhereCommand(app, program);
    AddDemoCommand(app, program);
    AddCheckCommand(app, program);
    AddRefsCommand(app, program);
    AddDatabaseCommands(app, program);
    CLI11_PARSE(app, argc, argv);
    if (app.get_subcommands().empty())
        return RunWithoutCommand(app, program);
    return program.status;
}
