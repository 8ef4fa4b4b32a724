#include "partition/partition_export.h"

#include <algorithm>
#include <limits>

#include "business_rules/stored_nodes.h"
#include "business_rules/type_catalogue.h"
#include "data/transaction.h"
#include "partition/document_fields.h"
#include "runtime/collection.h"
#include "runtime/decimal.h"
#include "runtime/error.h"

namespace xfer::partition {

namespace {

// A stored number as the export document writes it: only text that is a plain decimal number.
std::optional<long> StoredNumber(const std::string& text) {
    const runtime::DecimalNumber number = runtime::ParseDecimal(
        text, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    if (!number.ok())
        return std::nullopt;
    return static_cast<long>(number.value);
}

}  // namespace

PartitionDocument ReadPartitionDocument(data::DataBase& db, std::int16_t config,
                                        std::int16_t partition,
                                        const std::optional<std::vector<std::int16_t>>& nodes) {
    PartitionDocument document;
    document.version = field::kCurrentVersion;
    document.config = config;
    document.partition = partition;

    // Type names to identifiers as the editor looks them up (letter case ignored). A catalogue
    // the editor could not load in full still names the types it read.
    runtime::Collection names;
    runtime::Collection ids;
    runtime::Collection limits;
    try {
        business_rules::ReadNodeTypeCatalogue(db, std::to_string(config), std::to_string(partition),
                                              {names, ids, limits});
    } catch (const runtime::Error&) {
    }
    const auto typeIdOf = [&ids](const std::string& name) -> std::optional<long> {
        if (!ids.Exists(name))
            return std::nullopt;
        return StoredNumber(ids.Item(name).textOrEmpty());
    };

    for (business_rules::StoredXferNode& stored :
         business_rules::ReadXferNodes(db, config, partition)) {
        const bool wanted =
            nodes ? std::find(nodes->begin(), nodes->end(), stored.number) != nodes->end()
                  : stored.number != 0;
        if (!wanted)
            continue;
        DocumentNode& node = document.nodes.emplace_back();
        node.node = stored.number;
        node.label = std::move(stored.label);
        node.dial = std::move(stored.dial);
        node.style = StoredNumber(stored.style);
        for (std::size_t i = 0; i < stored.targets.size(); ++i) {
            DocumentTarget& target = node.exceptions[i];
            target.type = std::move(stored.targets[i].type);
            target.number = StoredNumber(stored.targets[i].number);
            target.typeId = typeIdOf(target.type);
        }
    }
    return document;
}

PartitionDocument ExportPartition(data::DataBase& db, std::int16_t config, std::int16_t partition,
                                  const std::optional<std::vector<std::int16_t>>& nodes) {
    const data::ReadTransaction snapshot(db);
    return ReadPartitionDocument(db, config, partition, nodes);
}

}  // namespace xfer::partition
