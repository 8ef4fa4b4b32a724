#include "partition/partition_check.h"

#include <unordered_map>

#include "business_rules/required_nodes.h"
#include "data/transaction.h"
#include "partition/partition_references.h"
#include "runtime/error.h"

namespace xfer::partition {

namespace {

// Existence as NodeExisted answers it, asked once per node for the whole partition: many XFER
// nodes share their targets.
class ExistenceCache {
  public:
    ExistenceCache(data::DataBase& db, std::int16_t config, std::int16_t partition)
        : db_(db), config_(std::to_string(config)), partition_(std::to_string(partition)) {}

    bool exists(const business_rules::RequiredNode& node) {
        const std::string key = node.NodeTypeID + '/' + node.NodeNumber;
        if (const auto found = known_.find(key); found != known_.end())
            return found->second;
        const bool exists =
            business_rules::NodeExists(db_, config_, partition_, node.NodeTypeID, node.NodeNumber);
        known_.emplace(key, exists);
        return exists;
    }

  private:
    data::DataBase& db_;
    std::string config_;
    std::string partition_;
    std::unordered_map<std::string, bool> known_;
};

}  // namespace

PartitionCheck CheckPartition(data::DataBase& db, std::int16_t config, std::int16_t partition) {
    PartitionCheck check;
    check.config = config;
    check.partition = partition;
    // One state of the partition, even while an editor saves.
    const data::ReadTransaction snapshot(db);
    const PartitionReferences read = ReadPartitionReferences(db, config, partition);
    check.nodes = static_cast<int>(read.nodes.size());
    ExistenceCache existence(db, config, partition);
    check.halfCreated = FindHalfCreated(db, config, partition, read);

    for (const PartitionNode& node : read.nodes) {
        const std::int16_t number = node.stored.number;
        const std::string& label = node.stored.label;
        if (!node.loadProblem.empty()) {
            check.unchecked.push_back(
                {number, label, "the editor would not load it: " + node.loadProblem});
            continue;
        }
        if (!node.references[0].ref) {
            check.unchecked.push_back(
                {number, label,
                 node.references[0].problem + ": saving stops before the check lists anything"});
            continue;
        }
        std::vector<business_rules::NodeReference> references;
        for (const ResolvedReference& r : node.references)
            references.push_back(*r.ref);
        std::vector<business_rules::RequiredNode> required;
        try {
            required = business_rules::ListRequiredNodes(references);
        } catch (const runtime::Error& error) {
            check.unchecked.push_back({number, label, error.description()});
            continue;
        }
        for (const business_rules::RequiredNode& target : required) {
            if (existence.exists(target))
                continue;
            DanglingReference& d = check.dangling.emplace_back();
            d.node = number;
            d.label = label;
            for (const std::size_t i : target.referrers)
                d.sources.emplace_back(ReferenceSource(i));
            d.target = target.NodeName;
            d.targetTypeId = target.NodeTypeID;
            d.targetNumber = target.NodeNumber;
        }
    }
    return check;
}

}  // namespace xfer::partition
