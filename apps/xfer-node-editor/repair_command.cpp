// repair: completes or removes the nodes of a partition whose creation stopped half-way, in one
// transaction, and says what it did (with --dry-run, what it would do, changing nothing).

#include <iostream>
#include <memory>

#include "data/database.h"
#include "data/preview_sessions.h"
#include "partition/partition_repair.h"
#include "program.h"
#include "runtime/error.h"

namespace xfer::app {

namespace {

struct RepairOptions {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    bool dryRun = false;
};

std::string Verb(partition::RepairKind kind, bool dryRun) {
    switch (kind) {
        case partition::RepairKind::Completed:
            return dryRun ? "would complete" : "completed";
        case partition::RepairKind::Removed:
            return dryRun ? "would remove" : "removed";
        case partition::RepairKind::Left:
            break;
    }
    return "left as it is";
}

int Repair(const Program& program, const RepairOptions& options) {
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kError;
    partition::PartitionRepair repair;
    try {
        // A dry run works on a snapshot, and rolls its transaction back too.
        data::PreviewSessions preview;
        data::DataBase db(services.view(), options.dryRun ? &preview : nullptr);
        if (!RequireNodes(db, options.config, options.partition))
            return kError;
        repair = partition::RepairPartition(db, options.config, options.partition, options.dryRun);
    } catch (const runtime::Error& error) {
        ReportError(error);
        std::cerr << kProgram << ": nothing was changed\n";
        return kError;
    }
    int left = 0;
    for (const partition::RepairAction& action : repair.actions) {
        left += action.kind == partition::RepairKind::Left ? 1 : 0;
        std::cout << action.node.name << " (" << partition::DescribeHalf(action.node)
                  << "): " << Verb(action.kind, options.dryRun) << ": " << action.detail << "\n";
    }
    std::cout << "configuration " << options.config << ", partition " << options.partition << ": ";
    if (repair.actions.empty()) {
        std::cout << "no half-created nodes, nothing to repair\n";
    } else {
        std::cout << repair.actions.size() - static_cast<std::size_t>(left) << " of "
                  << repair.actions.size() << " half-created nodes "
                  << (options.dryRun ? "would be repaired; nothing was changed (--dry-run)"
                                     : "repaired")
                  << "\n";
    }
    return left == 0 ? kOk : kFailed;
}

}  // namespace

void AddRepairCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<RepairOptions>();
    CLI::App* repair = app.add_subcommand(
        "repair",
        "complete or remove the nodes of a partition whose creation stopped half-way (check "
        "lists them), in one transaction");
    AddId(repair, "--config", options->config, "configuration (ConfigID)");
    AddId(repair, "--partition", options->partition, "partition (PartID)");
    repair->add_flag(
        "--dry-run", options->dryRun,
        "do it on a snapshot of the database and say what would be done: nothing is changed");
    repair->callback(
        [&program, options] { program.run([&] { return Repair(program, *options); }); });
}

}  // namespace xfer::app
