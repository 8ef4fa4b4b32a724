#include "host/bulk_run.h"

#include <limits>
#include <string>

#include "business_rules/stored_nodes.h"
#include "data/database.h"
#include "data/node_types.h"
#include "runtime/decimal.h"
#include "runtime/error.h"

namespace xfer::host {

namespace {

constexpr long kLowest = std::numeric_limits<std::int16_t>::min();
constexpr long kHighest = std::numeric_limits<std::int16_t>::max();

// One number of the list, by the rule every typed number follows.
std::int16_t NodeNumber(std::string_view text, std::string_view item) {
    const runtime::DecimalNumber n = runtime::ParseDecimal(text, kLowest, kHighest);
    if (!n.ok())
        throw NodeListError("\"" + std::string(item) + "\": " + n.problem);
    return static_cast<std::int16_t>(n.value);
}

}  // namespace

std::vector<std::int16_t> ParseNodeList(std::string_view text) {
    std::vector<std::int16_t> nodes;
    std::vector<bool> seen(static_cast<std::size_t>(kHighest - kLowest + 1), false);
    const auto add = [&](std::int16_t node) {
        auto at = seen.begin() + (node - kLowest);
        if (!*at)
            nodes.push_back(node);
        *at = true;
    };
    while (true) {
        const std::size_t comma = text.find(',');
        const std::string_view item = text.substr(0, comma);
        if (item.empty())
            throw NodeListError("an empty entry in the node list (write 1,5,12-20)");
        // A range's dash follows its first number, whose own sign comes first.
        const std::size_t dash = item.find('-', 1);
        const std::int16_t low = NodeNumber(item.substr(0, dash), item);
        const std::int16_t high =
            dash == std::string_view::npos ? low : NodeNumber(item.substr(dash + 1), item);
        if (low > high)
            throw NodeListError("the range \"" + std::string(item) + "\" runs backwards");
        for (long n = low; n <= high; ++n)
            add(static_cast<std::int16_t>(n));
        if (comma == std::string_view::npos)
            break;
        text.remove_prefix(comma + 1);
    }
    return nodes;
}

std::vector<std::int16_t> SelectorNodes(SessionRunner& runner, std::int16_t config,
                                        std::int16_t partition) {
    std::vector<std::int16_t> nodes;
    for (const business_rules::StoredXferNode& node :
         business_rules::ReadXferNodes(runner.database(), config, partition)) {
        if (node.number > 0)
            nodes.push_back(node.number);
    }
    return nodes;
}

namespace {

// What a session could have stored of a node: its row and its general row's date, which every
// save writes.
std::string Stored(SessionRunner& runner, const SessionTarget& target) {
    std::string seen;
    try {
        data::DataBase& db = runner.database();
        if (const auto node =
                business_rules::ReadXferNode(db, target.config, target.partition, target.node)) {
            seen = node->label + '\x1f' + node->dial + '\x1f' + node->style;
            for (const business_rules::StoredTarget& t : node->targets)
                seen += '\x1f' + t.type + '\x1f' + t.number;
        }
        db.Get_Description({std::to_string(target.config), std::to_string(target.partition),
                            data::node_type::Text(data::node_type::kXFER),
                            std::to_string(target.node)});
        auto& general = db.rsGet_Description();
        if (!general.eof())
            seen += '\x1f' + general.field("DateModified").textOrEmpty();
        general.close();
    } catch (const runtime::Error&) {
        // Unreadable: the session reports why.
    }
    return seen;
}

}  // namespace

BulkSummary RunBulkSession(SessionRunner& runner, Transcript& transcript,
                           const std::vector<ScriptStep>& steps, std::int16_t config,
                           std::int16_t partition, const std::vector<std::int16_t>& nodes,
                           bool keepGoing) {
    BulkSummary summary;
    summary.nodes = nodes.size();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const SessionTarget target{config, partition, nodes[i]};
        transcript.node(target, i, nodes.size());
        const std::string before = Stored(runner, target);
        if (runner.run(steps, target).passed()) {
            summary.passed.push_back(nodes[i]);
            continue;
        }
        summary.failed.push_back(nodes[i]);
        if (Stored(runner, target) != before)
            summary.storedFailed.push_back(nodes[i]);
        if (!keepGoing) {
            summary.notRun = nodes.size() - i - 1;
            break;
        }
    }
    transcript.summary(summary);
    return summary;
}

}  // namespace xfer::host
