// diff: what differs between two partition documents, each an export file or a partition of
// the database, node by node and field by field. Exit 0 equal, 1 different, 2 on error.

#include <iostream>
#include <limits>
#include <memory>

#include "data/database.h"
#include "document_files.h"
#include "partition/partition_diff.h"
#include "partition/partition_export.h"
#include "program.h"
#include "runtime/decimal.h"

namespace xfer::app {

namespace {

constexpr int kDifferent = 1;

// One side: a file, or a partition of the database.
struct Side {
    std::string file;
    std::optional<std::int16_t> config;
    std::optional<std::int16_t> partition;

    bool isPartition() const { return config || partition; }
    std::string name() const {
        if (!isPartition())
            return file;
        return "configuration " + std::to_string(config.value_or(0)) + ", partition " +
               std::to_string(partition.value_or(0));
    }
};

// One argument of the sides, kept with what it was given as: a file named "--x" (after "--")
// stays a file.
struct SideArgument {
    enum class Kind { kFile, kConfig, kPartition } kind;
    std::string value;
};

struct DiffOptions {
    std::vector<std::string> files;
    std::vector<std::string> configs;
    std::vector<std::string> partitions;
    std::vector<SideArgument> arguments;  // in the order given
    bool json = false;
    std::vector<Side> sides;
};

[[noreturn]] void Refuse(const std::string& what) {
    throw CLI::ValidationError("diff", what);
}

// "A B": each a file, or --config C --partition P (either order), as given.
void ParseArguments(DiffOptions& options) {
    const std::vector<SideArgument>& arguments = options.arguments;
    std::vector<Side>& sides = options.sides;
    Side pending;
    const auto finishPending = [&] {
        if (pending.config && pending.partition) {
            sides.push_back(pending);
            pending = Side{};
        }
    };
    for (const SideArgument& argument : arguments) {
        if (argument.kind == SideArgument::Kind::kFile) {
            if (pending.isPartition())
                Refuse("--config and --partition go together, before the next side");
            sides.push_back({argument.value, {}, {}});
            continue;
        }
        const bool isConfig = argument.kind == SideArgument::Kind::kConfig;
        const std::string name = isConfig ? "--config" : "--partition";
        std::optional<std::int16_t>* slot = isConfig ? &pending.config : &pending.partition;
        if (*slot)
            Refuse(name + " given twice for one side");
        const runtime::DecimalNumber number =
            runtime::ParseDecimal(argument.value, std::numeric_limits<std::int16_t>::min(),
                                  std::numeric_limits<std::int16_t>::max());
        if (!number.ok())
            Refuse(name + ": " + number.problem);
        *slot = static_cast<std::int16_t>(number.value);
        finishPending();
    }
    if (pending.isPartition())
        Refuse("--config and --partition go together");
    if (sides.size() != 2)
        Refuse("give two sides: each an export file or --config C --partition P");
}

std::optional<partition::PartitionDocument> Load(const Side& side,
                                                 std::unique_ptr<data::DataBase>& db,
                                                 const platform::Platform& platform) {
    if (!side.isPartition())
        return ReadDocumentFile(side.file);
    if (!db) {
        if (!RequireDatabase(platform))
            return std::nullopt;
        db = std::make_unique<data::DataBase>(platform);
    }
    return partition::ExportPartition(*db, *side.config, *side.partition);
}

int Diff(Program& program, DiffOptions& options) {
    try {
        ParseArguments(options);
    } catch (const CLI::ValidationError& error) {
        std::cerr << kProgram << ": " << error.what() << "\n";
        return kDocumentError;
    }
    const std::vector<Side>& sides = options.sides;
    const platform::PlatformServices services(program.machine());
    std::unique_ptr<data::DataBase> db;
    std::optional<partition::PartitionDocument> a;
    std::optional<partition::PartitionDocument> b;
    try {
        a = Load(sides[0], db, services.view());
        if (a)
            b = Load(sides[1], db, services.view());
    } catch (const runtime::Error& error) {
        ReportError(error);
        return kDocumentError;
    }
    if (!a || !b)
        return kDocumentError;
    const auto differences = partition::DiffDocuments(*a, *b);
    if (options.json) {
        std::cout << partition::DifferenceJson(differences).dump(2) << "\n";
    } else {
        std::cout << partition::DifferenceText(differences, "A (" + sides[0].name() + ")",
                                               "B (" + sides[1].name() + ")");
    }
    return differences.empty() ? kOk : kDifferent;
}

}  // namespace

void AddDiffCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<DiffOptions>();
    CLI::App* command = app.add_subcommand(
        "diff",
        "compare two partition documents, each an export file or --config C --partition P of "
        "the database: exit 0 equal, 1 different, 2 on error");
    command->add_option("A B", options->files, "an export file (or --config C --partition P)");
    command->add_option("--config", options->configs, "a side's configuration")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_option("--partition", options->partitions, "a side's partition")
        ->allow_extra_args(false)
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    command->add_flag("--json", options->json, "write the differences as JSON");
    command->callback([&program, options, command] {
        // The sides in the order given: which file or option came where.
        std::size_t file = 0;
        std::size_t config = 0;
        std::size_t partition = 0;
        options->arguments.clear();
        for (const CLI::Option* option : command->parse_order()) {
            using Kind = SideArgument::Kind;
            if (option->get_name() == "--config") {
                options->arguments.push_back({Kind::kConfig, options->configs.at(config++)});
            } else if (option->get_name() == "--partition") {
                options->arguments.push_back(
                    {Kind::kPartition, options->partitions.at(partition++)});
            } else if (option->get_name() != "--json") {
                options->arguments.push_back({Kind::kFile, options->files.at(file++)});
            }
        }
        program.run([&] { return Diff(program, *options); });
    });
}

}  // namespace xfer::app
