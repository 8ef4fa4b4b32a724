#include "host/bulk_run.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <string>

#include "host/stored_nodes.h"
#include "runtime/text.h"

namespace xfer::host {

namespace {

constexpr long kLowest = std::numeric_limits<std::int16_t>::min();
constexpr long kHighest = std::numeric_limits<std::int16_t>::max();

// Reads a decimal number (an optional sign, then digits) at the start of `text`; moves past
// it. Nothing when there is none.
std::optional<long long> TakeNumber(std::string_view& text) {
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        ++i;
    const std::size_t digits = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digits)
        return std::nullopt;
    std::string_view number = text.substr(text[0] == '+' ? 1 : 0, i - (text[0] == '+' ? 1 : 0));
    long long value = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), value);
    text.remove_prefix(i);
    if (ec != std::errc())  // beyond any integer: out of range all the same
        return std::numeric_limits<long long>::max();
    return value;
}

std::int16_t InRange(long long value, std::string_view item) {
    if (value < kLowest || value > kHighest) {
        throw NodeListError("\"" + std::string(item) + "\" is out of range (node numbers are " +
                            std::to_string(kLowest) + " to " + std::to_string(kHighest) + ")");
    }
    return static_cast<std::int16_t>(value);
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
        const std::string_view item = runtime::Trim(text.substr(0, comma));
        if (item.empty())
            throw NodeListError("an empty entry in the node list (write 1,5,12-20)");
        std::string_view rest = item;
        const auto first = TakeNumber(rest);
        std::optional<long long> last = first;
        if (first && !rest.empty() && rest.front() == '-') {
            rest.remove_prefix(1);
            last = TakeNumber(rest);
        }
        if (!first || !last || !rest.empty()) {
            throw NodeListError("\"" + std::string(item) +
                                "\" is not a decimal node number or range (such as 5 or 12-20)");
        }
        const std::int16_t low = InRange(*first, item);
        const std::int16_t high = InRange(*last, item);
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
    for (const StoredXferNode& node : ReadXferNodes(runner.database(), config, partition)) {
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
