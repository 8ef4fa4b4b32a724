// xfer-node-editor: the host program. It plays the configuration builder: opens the XFER node
// editor on a node of the configuration database (on screen, or headless from a session
// script), lists a partition's XFER nodes, tells where the database is and how it was found,
// and sets up a demo database.

#include <algorithm>
#include <charconv>
#include <iostream>
#include <limits>
#include <optional>
#include <string_view>

#include "host/database_location.h"
#include "program.h"
#include "runtime/error.h"

namespace xfer::app {

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

namespace {

std::optional<std::int16_t> ParseId(std::string_view text, std::string& problem) {
    constexpr std::string_view kForm =
        " is not a decimal number (digits with an optional sign, no leading zeros)";
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-'))
        digits.remove_prefix(1);
    const bool decimal = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char c) {
        return c >= '0' && c <= '9';
    }) && (digits.size() == 1 || digits.front() != '0');
    if (!decimal) {
        problem = "'" + std::string(text) + "'" + std::string(kForm);
        return std::nullopt;
    }
    long long value = 0;
    const bool negative = text.front() == '-';
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (negative)
        value = -value;
    if (ec != std::errc{} || end != digits.data() + digits.size() ||
        value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max()) {
        problem = std::string(text) + " is not in range -32768 to 32767";
        return std::nullopt;
    }
    return static_cast<std::int16_t>(value);
}

}  // namespace

void AddId(CLI::App* command, const std::string& name, std::int16_t& value,
           const std::string& what) {
    const CLI::Validator decimal(
        [](std::string& text) {
            std::string problem;
            ParseId(text, problem);
            return problem;
        },
        "INT16");
    command
        ->add_option_function<std::string>(
            name,
            [&value](const std::string& text) {
                std::string problem;
                value = ParseId(text, problem).value_or(0);
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
    app.require_subcommand(1);
    Program program{argc, argv};
    AddOpenCommand(app, program);
    AddListCommand(app, program);
    AddWhereCommand(app, program);
    AddDemoCommand(app, program);
    AddCheckCommand(app, program);
    AddRefsCommand(app, program);
    AddDatabaseCommands(app, program);
    CLI11_PARSE(app, argc, argv);
    return program.status;
}
