#include "partition/references.h"

#include <limits>

#include "data/node_types.h"
#include "data/transaction.h"
#include "partition/partition_references.h"
#include "runtime/decimal.h"
#include "runtime/error.h"
#include "runtime/variant.h"

namespace xfer::partition {

namespace {

namespace type = data::node_type;

constexpr long long kIdMin = std::numeric_limits<std::int16_t>::min();
constexpr long long kIdMax = std::numeric_limits<std::int16_t>::max();

// A number as stored (the database's own text), read as the rules read stored numbers.
std::optional<long> StoredNumber(const std::string& text) {
    try {
        return runtime::Variant(text).toInt32();
    } catch (const runtime::Error&) {
        return std::nullopt;
    }
}

// The identifier under which the check looks a type up: the MSG aliases are MSG.
long CheckedId(long id) {
    return type::IsStoredAsMsg(id) ? type::kMSG : id;
}

}  // namespace

ReferenceSearch FindReferrers(data::DataBase& db, std::int16_t config, std::int16_t partition,
                              const std::string& typeText, std::int16_t number) {
    // One state of the partition, even while an editor saves.
    const data::ReadTransaction snapshot(db);
    const PartitionReferences read = ReadPartitionReferences(db, config, partition);
    long typeId = 0;
    if (const runtime::DecimalNumber id = runtime::ParseDecimal(typeText, kIdMin, kIdMax);
        id.ok()) {
        typeId = static_cast<long>(id.value);
    } else if (read.typeIds.Exists(typeText)) {
        typeId = read.typeIds.Item(typeText).toInt32();
    } else {
        throw UnknownNodeType("\"" + typeText +
                              "\" is neither a node type of the catalogue nor a type identifier");
    }
    // The node is named as the check names it: MSG for the aliases.
    const std::string key = std::to_string(CheckedId(typeId));
    const std::string typeName =
        read.typeNames.Exists(key) ? read.typeNames.Item(key).textOrEmpty() : key;

    ReferenceSearch search;
    search.target = typeName + " " + std::to_string(number);
    for (const PartitionNode& node : read.nodes) {
        for (std::size_t i = 0; i < node.references.size(); ++i) {
            const auto& ref = node.references[i].ref;
            if (!ref)
                continue;
            const auto refId = StoredNumber(ref->NodeTypeID);
            const auto refNumber = StoredNumber(ref->NodeNumber);
            if (refId && refNumber && CheckedId(*refId) == CheckedId(typeId) &&
                *refNumber == number) {
                search.referrers.push_back({node.stored.number, node.stored.label,
                                            std::string(ReferenceSource(i)), ref->NodeName});
            }
        }
    }
    return search;
}

}  // namespace xfer::partition
