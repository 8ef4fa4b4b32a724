#include "partition/partition_import.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "business_rules/node_duplicator.h"
#include "business_rules/required_nodes.h"
#include "data/node_types.h"
#include "data/transaction.h"
#include "editor/exception_table.h"
#include "partition/document_fields.h"
#include "partition/partition_export.h"
#include "platform/message_box.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;
using business_rules::NodeReference;
using business_rules::RequiredNode;

// The types whose template the duplication copies (the MSG aliases as MSG).
bool Creatable(long id) {
    static const std::set<long> kTypes = {
        type::kMSG, type::kCMD,  type::kTIME, type::kDATE, type::kXFER, type::kSTYLE, type::kDTMF,
        type::kVOX, type::kLIST, type::kAUTO, type::kMOH,  type::kPAAS, type::kTABLE, type::kDBN};
    return kTypes.count(id) > 0;
}

// Duplication reports its errors in a box; here a box means the import cannot go on, and
// the transaction then ends without any of its changes.
class CollectedBoxes final : public platform::MessageBoxes {
  public:
    int show(const platform::MessageBoxRequest& request) override {
        texts.push_back(request.text);
        return platform::DefaultAnswer(request.buttons);
    }
    std::vector<std::string> texts;
};

// The fields of a node that name a reference, by its position in the reference list.
std::string ReferrerFields(const RequiredNode& node) {
    std::string fields;
    for (const std::size_t i : node.referrers) {
        if (!fields.empty())
            fields += ", ";
        fields += i == 0 ? std::string(field::kStyle)
                         : std::string(field::kExceptions) + "." +
                               std::string(field::kExceptionKeys[i - 1]);
    }
    return fields;
}

// The references as the form would hold them after loading the node.
std::vector<NodeReference> References(const DocumentNode& node, const ImportRules& rules) {
    std::vector<NodeReference> references;
    const std::string style = std::to_string(node.style.value_or(0));
    references.push_back(
        {business_rules::StyleEntryText(node.style.value_or(0)), type::Text(type::kSTYLE), style});
    for (std::size_t i = 0; i < node.exceptions.size(); ++i) {
        const DocumentTarget& target = node.exceptions[i];
        const std::string number = std::to_string(target.number.value_or(0));
        const auto row = business_rules::RowTargetOf(
            editor::kExceptions[i], target.type, number, [&](const std::string& name) {
                return static_cast<std::int16_t>(TypeIdOf(rules, name).value_or(0));
            });
        references.push_back({row.shown, std::to_string(row.NodeTypeID), number});
    }
    return references;
}

class Importer {
  public:
    Importer(data::DataBase& db, std::int16_t config, std::int16_t partition,
             const ImportOptions& options)
        : db_(db),
          config_(config),
          partition_(partition),
          configText_(std::to_string(config)),
          partitionText_(std::to_string(partition)),
          options_(options) {}

    ImportReport run(const PartitionDocument& document) {
        data::Transaction transaction(db_, options_.dryRun ? data::TransactionMode::ReadOnly
                                                           : data::TransactionMode::ReadWrite);
        rules_ = ReadImportRules(db_, config_, partition_);
        for (const DocumentNode& node : document.nodes)
            inDocument_.insert(node.node);

        // The partition as it is, for the nodes of the export document, and what the export
        // document leaves.
        PartitionDocument all = ReadPartitionDocument(db_, config_, partition_, std::nullopt);
        PartitionDocument current;
        for (DocumentNode& node : all.nodes) {
            if (inDocument_.count(node.node))
                current.nodes.push_back(node);
            else
                report_.leftAlone.push_back(node.node);
        }
        if (inDocument_.count(0)) {
            for (DocumentNode& node :
                 ReadPartitionDocument(db_, config_, partition_, std::vector<std::int16_t>{0})
                     .nodes)
                current.nodes.insert(current.nodes.begin(), std::move(node));
        }
        std::set<std::int16_t> stored;
        for (const DocumentNode& node : current.nodes)
            stored.insert(node.node);

        for (const DocumentNode& node : document.nodes)
            check(node, stored.count(node.node) > 0);
        std::stable_sort(report_.refused.begin(), report_.refused.end(),
                         [](const Refusal& a, const Refusal& b) { return a.node < b.node; });
        if (!report_.refused.empty())
            return report_;

        // The export document as this partition's catalogue names its types.
        PartitionDocument wanted = document;
        for (DocumentNode& node : wanted.nodes) {
            for (DocumentTarget& target : node.exceptions)
                target.typeId = TypeIdOf(rules_, target.type);
        }
        report_.changes = DiffDocuments(current, wanted);
        for (const RequiredNode& node : toCreate_)
            report_.created.push_back(node.NodeName);
        if (options_.dryRun)
            return report_;

        write(wanted);
        transaction.commit();
        report_.written = true;
        return report_;
    }

  private:
    void refuse(std::int16_t node, std::string fieldName, std::string reason) {
        report_.refused.push_back({node, std::move(fieldName), std::move(reason)});
    }

    bool exists(const std::string& typeId, const std::string& number) {
        const std::string key = typeId + "/" + number;
        if (const auto found = known_.find(key); found != known_.end())
            return found->second;
        const bool found =
            business_rules::NodeExists(db_, configText_, partitionText_, typeId, number);
        known_.emplace(key, found);
        return found;
    }

    std::string typeName(const std::string& typeId) const {
        return rules_.typeNames.Exists(typeId) ? rules_.typeNames.Item(typeId).textOrEmpty()
                                               : typeId;
    }

    void check(const DocumentNode& node, bool isStored) {
        const std::vector<Refusal> refused = CheckNode(node, rules_);
        report_.refused.insert(report_.refused.end(), refused.begin(), refused.end());
        const std::string xfer = type::Text(type::kXFER);
        if (!isStored && !exists(xfer, "0")) {
            refuse(node.node, std::string(field::kNode),
                   "XFER " + std::to_string(node.node) +
                       " does not exist and cannot be created: the template XFER 0 does not "
                       "exist");
        }
        if (!refused.empty())
            return;  // its references are not all nodes
        std::vector<RequiredNode> required;
        try {
            required = business_rules::ListRequiredNodes(References(node, rules_));
        } catch (const runtime::Error& error) {
            refuse(node.node, std::string(field::kNode), error.description());
            return;
        }
        for (const RequiredNode& target : required) {
            const bool inDocument =
                target.NodeTypeID == xfer &&
                inDocument_.count(static_cast<std::int16_t>(std::stol(target.NodeNumber))) > 0;
            if (inDocument || exists(target.NodeTypeID, target.NodeNumber))
                continue;
            const std::string templateName = typeName(target.NodeTypeID) + " 0";
            if (!options_.createMissing) {
                refuse(node.node, ReferrerFields(target),
                       target.NodeName + " does not exist (--create-missing creates it from " +
                           templateName + ")");
            } else if (!Creatable(std::stol(target.NodeTypeID))) {
                refuse(node.node, ReferrerFields(target),
                       target.NodeName +
                           " does not exist, and nodes of its type are not "
                           "created from a template");
            } else if (!exists(target.NodeTypeID, "0")) {
                refuse(node.node, ReferrerFields(target),
                       target.NodeName + " does not exist, nor does its template " + templateName);
            } else if (planned_.insert(target.NodeTypeID + "/" + target.NodeNumber).second) {
                toCreate_.push_back(target);
            }
        }
    }

    void write(const PartitionDocument& wanted) {
        CollectedBoxes boxes;
        business_rules::NodeDuplicator duplicator(db_, boxes);
        const business_rules::NodeScope scope{config_, partition_};
        for (const RequiredNode& node : toCreate_)
            duplicator.DuplicateNode(scope, "0", node.NodeNumber, node.NodeTypeID);
        for (const NodeDifference& change : report_.changes) {
            if (change.kind == NodeDifference::Kind::OnlyInB)
                duplicator.DuplicateNode(scope, "0", std::to_string(change.node),
                                         type::Text(type::kXFER));
        }
        if (!boxes.texts.empty())
            runtime::Raise(runtime::err::kInvalidProcedureCall,
                           std::string(runtime::kComponentSource), boxes.texts.front());

        std::map<std::int16_t, const DocumentNode*> byNumber;
        for (const DocumentNode& node : wanted.nodes)
            byNumber[node.node] = &node;
        const std::string now = runtime::NowText();
        for (const NodeDifference& change : report_.changes) {
            const DocumentNode& node = *byNumber.at(change.node);
            const std::string number = std::to_string(node.node);
            data::Params params = {node.dial, std::to_string(*node.style)};
            for (const DocumentTarget& target : node.exceptions) {
                params.push_back(target.type);
                params.push_back(std::to_string(*target.number));
            }
            params.insert(params.end(), {type::kXferName, node.label, type::Text(type::kXFER),
                                         configText_, partitionText_, number});
            db_.Update_XFER_Node(params);
            db_.Update_Node_General_Pool(
                {node.label, now, configText_, partitionText_, type::Text(type::kXFER), number});
        }
    }

    data::DataBase& db_;
    std::int16_t config_;
    std::int16_t partition_;
    std::string configText_;
    std::string partitionText_;
    ImportOptions options_;
    ImportRules rules_;
    ImportReport report_;
    std::set<std::int16_t> inDocument_;
    std::map<std::string, bool> known_;
    std::set<std::string> planned_;
    std::vector<RequiredNode> toCreate_;
};

}  // namespace

ImportReport ImportPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                             const PartitionDocument& document, const ImportOptions& options) {
    return Importer(db, config, partition, options).run(document);
}

}  // namespace xfer::partition
