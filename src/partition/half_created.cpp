#include "partition/half_created.h"

#include <algorithm>
#include <optional>

#include "data/node_types.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;

std::optional<long> StoredNumber(const std::string& text) {
    try {
        return runtime::Variant(text).toInt32();
    } catch (const runtime::Error&) {
        return std::nullopt;
    }
}

std::vector<HalfCreatedReferrer> ReferrersOf(const data::NodeKey& key,
                                             const PartitionReferences& read) {
    std::vector<HalfCreatedReferrer> referrers;
    for (const PartitionNode& node : read.nodes) {
        HalfCreatedReferrer referrer{node.stored.number, node.stored.label, {}};
        for (std::size_t i = 0; i < node.references.size(); ++i) {
            const auto& ref = node.references[i].ref;
            if (!ref)
                continue;
            const auto id = StoredNumber(ref->NodeTypeID);
            const auto number = StoredNumber(ref->NodeNumber);
            if (!id || !number || *number != key.number)
                continue;
            if ((type::IsStoredAsMsg(*id) ? type::kMSG : *id) == key.typeId)
                referrer.sources.emplace_back(ReferenceSource(i));
        }
        if (!referrer.sources.empty())
            referrers.push_back(std::move(referrer));
    }
    return referrers;
}

}  // namespace

std::vector<HalfCreatedNode> FindHalfCreated(data::DataBase& db, std::int16_t config,
                                             std::int16_t partition,
                                             const PartitionReferences& read) {
    std::vector<HalfCreatedNode> found;
    const auto add = [&](const data::NodeKey& key, bool generalRow) {
        HalfCreatedNode& node = found.emplace_back();
        node.key = key;
        const std::string id = type::Text(key.typeId);
        node.name = (read.typeNames.Exists(id) ? read.typeNames.Item(id).textOrEmpty() : id) + " " +
                    std::to_string(key.number);
        node.table = data::NodeTableOf(key.typeId)->name;
        node.generalRow = generalRow;
        node.referrers = ReferrersOf(key, read);
    };
    const data::HalfCreatedKeys keys = data::FindHalfCreatedKeys(db, config, partition);
    for (const data::NodeKey& key : keys.withoutGeneralRow)
        add(key, false);
    for (const data::NodeKey& key : keys.withoutNodeRow)
        add(key, true);
    std::sort(found.begin(), found.end(),
              [](const HalfCreatedNode& a, const HalfCreatedNode& b) { return a.key < b.key; });
    return found;
}

std::string DescribeHalf(const HalfCreatedNode& node) {
    return node.generalRow ? "a Node_General_Pool row without its " + node.table + " row"
                           : "a " + node.table + " row without its Node_General_Pool row";
}

}  // namespace xfer::partition
