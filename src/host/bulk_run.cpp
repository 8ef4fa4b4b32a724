#include "host/bulk_run.h"

#include <limits>
#include <string>

#include "business_rules/stored_nodes.h"
#include "runtime/decimal.h"

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
    for (const business_rules::StoredXferNode& node : business_rules::ReadXferNodes(runner.database(), config, partition)) {
        if (node.number > 0)
            nodes.push_back(node.number);
    }
    return nodes;
}

BulkSummary RunBulkSession(SessionRunner& runner, Transcript& transcript,
                           const std::vector<ScriptStep>& steps, std::int16_t config,
                           std::int16_t partition, const std::vector<std::int16_t>& nodes,
                           bool keepGoing) {
    BulkSummary summary;
    summary.nodes = nodes.size();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const SessionTarget target{config, partition, nodes[i]};
        transcript.node(target, i, nodes.size());
        if (runner.run(steps, target).passed()) {
            summary.passed.push_back(nodes[i]);
            continue;
        }
        summary.failed.push_back(nodes[i]);
        if (!keepGoing) {
            summary.notRun = nodes.size() - i - 1;
            break;
        }
    }
    transcript.summary(summary);
    return summary;
}

}  // namespace xfer::host
