// refs: where-used, the XFER nodes of a partition whose style or exceptions point at a node.

#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "data/database.h"
#include "partition/references.h"
#include "program.h"
#include "runtime/error.h"
#include "runtime/shown_text.h"

namespace xfer::app {

namespace {

// Exit status when nothing points at the node, as grep finding nothing.
constexpr int kNoReferrer = 1;

struct RefsOptions {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    std::string type;
    std::int16_t node = 0;
    bool json = false;
};

int Refs(const Program& program, const RefsOptions& options) {
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kError;
    partition::ReferenceSearch search;
    try {
        data::DataBase db(services.view());
        if (!RequireNodes(db, options.config, options.partition))
            return kError;
        search = partition::FindReferrers(db, options.config, options.partition, options.type,
                                          options.node);
    } catch (const partition::UnknownNodeType& error) {
        std::cerr << kProgram << ": --type: " << error.what() << "\n";
        return kError;
    } catch (const runtime::Error& error) {
        ReportError(error);
        return kError;
    }
    StoredText shown;
    if (options.json) {
        nlohmann::ordered_json out = {{"config", options.config},
                                      {"partition", options.partition},
                                      {"target", runtime::ValidText(search.target)},
                                      {"referrers", nlohmann::ordered_json::array()}};
        for (const partition::Referrer& r : search.referrers) {
            out["referrers"].push_back({{"node", r.node},
                                        {"label", shown.valid(r.label, r.node)},
                                        {"exception", r.source},
                                        {"shown", shown.valid(r.shown, r.node)}});
        }
        std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                  << "\n";
    } else {
        for (const partition::Referrer& r : search.referrers) {
            std::cout << "XFER " << r.node << " " << Quoted(shown.oneLine(r.label, r.node)) << ": "
                      << r.source << " -> " << shown.oneLine(r.shown, r.node) << "\n";
        }
        std::cout << search.referrers.size() << " reference"
                  << (search.referrers.size() == 1 ? "" : "s") << " to "
                  << runtime::OneLineText(search.target) << " in configuration " << options.config
                  << ", partition " << options.partition << "\n";
    }
    shown.warn();
    return search.referrers.empty() ? kNoReferrer : kOk;
}

}  // namespace

void AddRefsCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<RefsOptions>();
    CLI::App* refs = app.add_subcommand(
        "refs", "list the XFER nodes whose style or exceptions point at a node (where-used)");
    AddId(refs, "--config", options->config, "configuration (ConfigID)");
    AddId(refs, "--partition", options->partition, "partition (PartID)");
    refs->add_option("--type", options->type,
                     "the node's type: a name of the catalogue (MSG) or an identifier (0); "
                     "MSG, PMSG and SMSG name the same node")
        ->required();
    AddId(refs, "--node", options->node, "the node's number");
    refs->add_flag("--json", options->json, "write the list as JSON");
    refs->callback([&program, options] { program.run([&] { return Refs(program, *options); }); });
}

}  // namespace xfer::app
