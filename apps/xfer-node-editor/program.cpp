// What the commands share: running a command's body, reporting errors, reading numbers and
// showing text read from the database.

#include "program.h"

#include <fmt/format.h>

#include <iostream>
#include <limits>

#include "data/partition_rows.h"
#include "host/database_location.h"
#include "runtime/decimal.h"
#include "runtime/shown_text.h"

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
    std::cerr << kProgram << ": "
              << runtime::OneLineText(error.source().empty() ? "" : error.source() + ": ")
              << runtime::ValidText(error.description()) << "\n";
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

std::string StoredText::valid(std::string_view text, std::int16_t node) {
    std::string shown = runtime::ValidText(text);
    if (shown != text)
        nodes_.insert(node);
    return shown;
}

std::string StoredText::oneLine(std::string_view text, std::int16_t node) {
    valid(text, node);
    return runtime::OneLineText(text);
}

void StoredText::warn() const {
    WarnInvalidText(std::vector<std::int16_t>(nodes_.begin(), nodes_.end()));
}

void WarnInvalidText(const std::vector<std::int16_t>& nodes) {
    if (nodes.empty())
        return;
    std::cerr << kProgram
              << ": warning: text stored in the database that is not UTF-8 is shown with "
                 "U+FFFD, in XFER "
              << fmt::format("{}", fmt::join(nodes, ", XFER ")) << "\n";
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

bool RequireNodes(data::DataBase& db, std::int16_t config, std::int16_t partition) {
    if (data::PartitionHasNodes(db, config, partition))
        return true;
    std::cerr << kProgram << ": configuration " << config << ", partition " << partition
              << " has no nodes\n";
    return false;
}

}  // namespace xfer::app
