#include "partition/partition_references.h"

#include "business_rules/type_catalogue.h"
#include "data/node_types.h"
#include "editor/exception_table.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;
using business_rules::NodeReference;

// The style as the style list shows it; a load problem when loading would fail on it.
ResolvedReference StyleReference(const std::string& stored, int listLength,
                                 std::string& loadProblem) {
    std::int16_t style = 0;
    try {
        style = runtime::Variant(stored).toInt16();
    } catch (const runtime::Error& error) {
        const std::string why = stored.empty() ? std::string("no style number is stored")
                                               : "style \"" + stored + "\": " + error.description();
        loadProblem = why;
        return {std::nullopt, why};
    }
    // Loading leaves the style list without a selection; saving then stops at the style.
    if (style == 0)
        return {std::nullopt, "no style is chosen"};
    if (style < 0 || style > listLength) {
        loadProblem = business_rules::StyleEntryText(style) +
                      " is not in the style list (STYLE 1 to STYLE " + std::to_string(listLength) +
                      ")";
    }
    return {NodeReference{business_rules::StyleEntryText(style), type::Text(type::kSTYLE),
                          std::to_string(style)},
            {}};
}

ResolvedReference RowReference(const editor::ExceptionInfo& exception,
                               const business_rules::StoredTarget& target,
                               const runtime::Collection& typeIds) {
    const auto typeIdOf = [&typeIds](const std::string& name) {
        return typeIds.Item(name).toInt16();
    };
    try {
        const auto row =
            business_rules::RowTargetOf(exception, target.type, target.number, typeIdOf);
        return {NodeReference{row.shown, std::to_string(row.NodeTypeID), target.number}, {}};
    } catch (const runtime::Error& error) {
        if (!typeIds.Exists(target.type))
            return {std::nullopt, "\"" + target.type + "\" is not a node type"};
        return {std::nullopt, "type \"" + target.type + "\": " + error.description()};
    }
}

}  // namespace

std::string_view ReferenceSource(std::size_t index) {
    return index == 0 ? std::string_view("Style") : editor::kExceptions.at(index - 1).label;
}

PartitionReferences ReadPartitionReferences(data::DataBase& db, std::int16_t config,
                                            std::int16_t partition) {
    PartitionReferences result;
    const std::string configText = std::to_string(config);
    const std::string partitionText = std::to_string(partition);
    // The loaders trap their errors and go on with what they read before it; so does this.
    runtime::Collection limits;
    try {
        business_rules::ReadNodeTypeCatalogue(db, configText, partitionText,
                                              {result.typeNames, result.typeIds, limits});
    } catch (const runtime::Error&) {
    }
    try {
        result.styleListLength = business_rules::ReadStyleListLength(db, configText, partitionText);
    } catch (const runtime::Error&) {
        result.styleListLength = 0;
    }

    for (business_rules::StoredXferNode& stored :
         business_rules::ReadXferNodes(db, config, partition)) {
        PartitionNode& node = result.nodes.emplace_back();
        node.stored = std::move(stored);
        if (result.styleListLength == 0) {
            node.loadProblem =
                "the partition allows no STYLE nodes, so the editor opens none of its XFER nodes";
        }
        std::string problem;
        node.references[0] = StyleReference(node.stored.style, result.styleListLength, problem);
        if (node.loadProblem.empty())
            node.loadProblem = problem;
        for (const auto& e : editor::kExceptions) {
            const auto index = static_cast<std::size_t>(e.id);
            ResolvedReference& ref = node.references[index + 1];
            ref = RowReference(e, node.stored.targets[index], result.typeIds);
            if (node.loadProblem.empty() && !ref.ref)
                node.loadProblem = std::string(e.label) + ": " + ref.problem;
        }
    }
    return result;
}

}  // namespace xfer::partition
