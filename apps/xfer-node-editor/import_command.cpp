// import: makes a partition's XFER nodes say what a document says, with the editor's rules,
// in one transaction. Exit 0 done (or, with --dry-run, would be done), 1 refused and nothing
// changed, 2 when the file or the database cannot be used.

#include <iostream>
#include <memory>

#include "data/database.h"
#include "document_files.h"
#include "partition/partition_import.h"
#include "program.h"
#include "runtime/shown_text.h"

namespace xfer::app {

namespace {

struct ImportCommandOptions {
    std::string file;
    std::int16_t config = 0;
    std::int16_t partition = 0;
    partition::ImportOptions import;
    bool json = false;
};

std::string Count(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

void PrintText(const ImportCommandOptions& options, const partition::ImportReport& report) {
    const std::string where = "configuration " + std::to_string(options.config) + ", partition " +
                              std::to_string(options.partition);
    if (!report.accepted()) {
        for (const partition::Refusal& r : report.refused) {
            std::cout << "XFER " << r.node << ": refused: " << r.field << ": "
                      << runtime::OneLineText(r.reason) << "\n";
        }
        std::cout << where << ": import refused (" << Count(report.refused.size(), "problem")
                  << "); nothing was changed\n";
        return;
    }
    std::cout << partition::DifferenceText(report.changes, "the partition", "the file");
    const char* verb = options.import.dryRun ? "would be created" : "created";
    for (const std::string& node : report.created)
        std::cout << node << ": " << verb << " from its template\n";
    if (!report.leftAlone.empty()) {
        std::cout << "left alone (not in the file):";
        for (const std::int16_t node : report.leftAlone)
            std::cout << " " << node;
        std::cout << "\n";
    }
    std::size_t newNodes = 0;
    for (const auto& change : report.changes)
        newNodes += change.kind == partition::NodeDifference::Kind::OnlyInB ? 1 : 0;
    std::cout << where << ": " << (options.import.dryRun ? "would change " : "changed ")
              << Count(report.changes.size() - newNodes, "XFER node") << ", "
              << (options.import.dryRun ? "would create " : "created ") << newNodes
              << " from XFER 0 and " << Count(report.created.size(), "referenced node")
              << (options.import.dryRun ? "; nothing was changed (dry run)" : "") << "\n";
}

void PrintJson(const ImportCommandOptions& options, const partition::ImportReport& report) {
    nlohmann::ordered_json out = {
        {"config", options.config},        {"partition", options.partition},
        {"dryRun", options.import.dryRun}, {"accepted", report.accepted()},
        {"written", report.written},       {"refused", nlohmann::ordered_json::array()}};
    for (const partition::Refusal& r : report.refused) {
        out["refused"].push_back(
            {{"node", r.node}, {"field", r.field}, {"reason", runtime::ValidText(r.reason)}});
    }
    out["changes"] = partition::DifferenceJson(report.changes)["nodes"];
    out["created"] = nlohmann::ordered_json::array();
    for (const std::string& node : report.created)
        out["created"].push_back(runtime::ValidText(node));
    out["leftAlone"] = report.leftAlone;
    std::cout << out.dump(2) << "\n";
}

int Import(const Program& program, const ImportCommandOptions& options) {
    const std::optional<partition::PartitionDocument> document = ReadDocumentFile(options.file);
    if (!document)
        return kDocumentRefused;
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kDocumentError;
    partition::ImportReport report;
    try {
        data::DataBase db(services.view());
        report = partition::ImportPartition(db, options.config, options.partition, *document,
                                            options.import);
    } catch (const runtime::Error& error) {
        ReportError(error);
        std::cerr << kProgram << ": nothing was changed\n";
        return kDocumentError;
    }
    if (options.json) {
        PrintJson(options, report);
    } else {
        PrintText(options, report);
    }
    return report.accepted() ? kOk : kDocumentRefused;
}

}  // namespace

void AddImportCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<ImportCommandOptions>();
    CLI::App* command = app.add_subcommand(
        "import",
        "make a partition's XFER nodes say what an export file says, with the editor's rules, "
        "all or nothing");
    command->add_option("FILE", options->file, "the export file (- for standard input)")
        ->required();
    AddId(command, "--config", options->config, "configuration (ConfigID)");
    AddId(command, "--partition", options->partition, "partition (PartID)");
    command->add_flag("--dry-run", options->import.dryRun,
                      "show what would change and change nothing");
    command->add_flag("--create-missing", options->import.createMissing,
                      "create referenced nodes that do not exist from their type's template");
    command->add_flag("--json", options->json, "write the report as JSON");
    command->callback(
        [&program, options] { program.run([&] { return Import(program, *options); }); });
}

}  // namespace xfer::app
