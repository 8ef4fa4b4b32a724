// check: the saving check's reference rules over a whole partition, before it goes live.
// Read-only: nothing is created and nothing is written.

#include <fmt/format.h>

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>
#include <set>

#include "data/database.h"
#include "partition/partition_check.h"
#include "program.h"
#include "runtime/error.h"

namespace xfer::app {

namespace {

// Exit status when a node is missing or a node could not be checked.
constexpr int kDangling = 1;

struct CheckOptions {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    bool json = false;
};

std::string Plural(std::size_t n, const std::string& word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

void PrintText(const partition::PartitionCheck& check, StoredText& shown) {
    for (const partition::DanglingReference& d : check.dangling) {
        std::cout << "XFER " << d.node << " " << Quoted(shown.oneLine(d.label, d.node)) << ": "
                  << fmt::format("{}", fmt::join(d.sources, ", ")) << " -> "
                  << shown.oneLine(d.target, d.node) << " does not exist\n";
    }
    for (const partition::UncheckedNode& u : check.unchecked) {
        std::cout << "XFER " << u.node << " " << Quoted(shown.oneLine(u.label, u.node))
                  << ": not checked: " << shown.oneLine(u.reason, u.node) << "\n";
    }
    for (const partition::HalfCreatedNode& h : check.halfCreated) {
        std::cout << h.name << ": half created: " << partition::DescribeHalf(h);
        for (std::size_t i = 0; i < h.referrers.size(); ++i) {
            const partition::HalfCreatedReferrer& r = h.referrers[i];
            std::cout << (i == 0 ? "; referred to by " : ", ") << "XFER " << r.node << " "
                      << Quoted(shown.oneLine(r.label, r.node)) << " ("
                      << fmt::format("{}", fmt::join(r.sources, ", ")) << ")";
        }
        std::cout << " (run repair)\n";
    }
    std::set<std::int16_t> referring;
    for (const partition::DanglingReference& d : check.dangling)
        referring.insert(d.node);
    std::cout << "configuration " << check.config << ", partition " << check.partition << ": "
              << Plural(static_cast<std::size_t>(check.nodes), "XFER node") << ", ";
    if (check.dangling.empty()) {
        std::cout << "no missing referenced nodes";
    } else {
        std::cout << Plural(check.dangling.size(), "missing referenced node") << " in "
                  << Plural(referring.size(), "XFER node");
    }
    if (!check.unchecked.empty())
        std::cout << ", " << check.unchecked.size() << " not checked";
    if (!check.halfCreated.empty())
        std::cout << ", " << Plural(check.halfCreated.size(), "half-created node");
    std::cout << "\n";
}

void PrintJson(const partition::PartitionCheck& check, StoredText& shown) {
    nlohmann::ordered_json out = {{"config", check.config},
                                  {"partition", check.partition},
                                  {"nodes", check.nodes},
                                  {"dangling", nlohmann::ordered_json::array()},
                                  {"unchecked", nlohmann::ordered_json::array()},
                                  {"halfCreated", nlohmann::ordered_json::array()}};
    for (const partition::DanglingReference& d : check.dangling) {
        out["dangling"].push_back({{"node", d.node},
                                   {"label", shown.valid(d.label, d.node)},
                                   {"exceptions", d.sources},
                                   {"target", shown.valid(d.target, d.node)},
                                   {"targetTypeId", NumberOrNull(d.targetTypeId)},
                                   {"targetNumber", NumberOrNull(d.targetNumber)}});
    }
    for (const partition::UncheckedNode& u : check.unchecked)
        out["unchecked"].push_back({{"node", u.node},
                                    {"label", shown.valid(u.label, u.node)},
                                    {"reason", shown.valid(u.reason, u.node)}});
    for (const partition::HalfCreatedNode& h : check.halfCreated) {
        nlohmann::ordered_json referrers = nlohmann::ordered_json::array();
        for (const partition::HalfCreatedReferrer& r : h.referrers) {
            referrers.push_back({{"node", r.node},
                                 {"label", shown.valid(r.label, r.node)},
                                 {"exceptions", r.sources}});
        }
        out["halfCreated"].push_back({{"target", h.name},
                                      {"targetTypeId", h.key.typeId},
                                      {"targetNumber", h.key.number},
                                      {"missing", h.generalRow ? h.table : "Node_General_Pool"},
                                      {"referrers", referrers}});
    }
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

int Check(const Program& program, const CheckOptions& options) {
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kError;
    try {
        data::DataBase db(services.view());
        if (!RequireNodes(db, options.config, options.partition))
            return kError;
        const partition::PartitionCheck check =
            partition::CheckPartition(db, options.config, options.partition);
        StoredText shown;
        if (options.json) {
            PrintJson(check, shown);
        } else {
            PrintText(check, shown);
        }
        shown.warn();
        return check.clean() ? kOk : kDangling;
    } catch (const runtime::Error& error) {
        ReportError(error);
        return kError;
    }
}

}  // namespace

void AddCheckCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<CheckOptions>();
    CLI::App* check = app.add_subcommand(
        "check",
        "list the referenced nodes that saving each XFER node of a partition would offer "
        "to create (read-only)");
    AddId(check, "--config", options->config, "configuration (ConfigID)");
    AddId(check, "--partition", options->partition, "partition (PartID)");
    check->add_flag("--json", options->json, "write the report as JSON");
    check->callback([&program, options] { program.run([&] { return Check(program, *options); }); });
}

}  // namespace xfer::app
