// export: a partition's XFER nodes as one JSON document, for review and version control.

#include <iostream>
#include <memory>

#include "data/database.h"
#include "document_files.h"
#include "host/bulk_run.h"
#include "partition/partition_export.h"
#include "program.h"

namespace xfer::app {

namespace {

struct ExportOptions {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    std::string nodes;  // a node list; empty for every node but the template
    std::string output;
};

int Export(const Program& program, const ExportOptions& options) {
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kDocumentError;
    std::optional<std::vector<std::int16_t>> nodes;
    if (!options.nodes.empty())
        nodes = host::ParseNodeList(options.nodes);
    std::string text;
    try {
        data::DataBase db(services.view());
        text = partition::DocumentText(
            partition::ExportPartition(db, options.config, options.partition, nodes));
    } catch (const runtime::Error& error) {
        ReportError(error);
        return kDocumentError;
    }
    return WriteTextFile(options.output, text) ? kOk : kDocumentError;
}

}  // namespace

void AddExportCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<ExportOptions>();
    CLI::App* command = app.add_subcommand(
        "export",
        "write a partition's XFER nodes (all but the template node 0) as one JSON document");
    AddId(command, "--config", options->config, "configuration (ConfigID)");
    AddId(command, "--partition", options->partition, "partition (PartID)");
    command
        ->add_option("--nodes", options->nodes,
                     "only these nodes (0 included when named): 1,5,12-20")
        ->check(CLI::Validator(
            [](std::string& text) {
                try {
                    host::ParseNodeList(text);
                    return std::string();
                } catch (const host::NodeListError& error) {
                    return std::string(error.what());
                }
            },
            "LIST"));
    command->add_option("--output", options->output,
                        "write the export document to this file instead of standard output");
    command->callback(
        [&program, options] { program.run([&] { return Export(program, *options); }); });
}

}  // namespace xfer::app
