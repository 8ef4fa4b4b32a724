#include "host/references.h"

#include <charconv>

#include "data/node_types.h"
#include "host/partition_references.h"
#include "runtime/text.h"

namespace xfer::host {

namespace {

namespace type = data::node_type;

// The identifier under which the check looks a type up: the MSG aliases are MSG.
long CheckedId(long id) {
    return type::IsStoredAsMsg(id) ? type::kMSG : id;
}

// A whole decimal number with an optional sign, or nothing.
std::optional<long> Decimal(std::string_view text) {
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

}  // namespace

ReferenceSearch FindReferrers(data::DataBase& db, std::int16_t config, std::int16_t partition,
                              const std::string& typeText, std::int16_t number) {
    const ReadSnapshot snapshot(db);
    const PartitionReferences read = ReadPartitionReferences(db, config, partition);
    long typeId = 0;
    if (const auto id = Decimal(runtime::Trim(typeText))) {
        typeId = *id;
    } else if (read.typeIds.contains(typeText)) {
        typeId = read.typeIds.Item(typeText).toInt32();
    } else {
        throw UnknownNodeType("\"" + typeText +
                              "\" is neither a node type of the catalogue nor a type identifier");
    }
    // The node is named as the check names it: MSG for the aliases.
    const std::string key = std::to_string(CheckedId(typeId));
    const std::string typeName =
        read.typeNames.contains(key) ? read.typeNames.Item(key).textOrEmpty() : key;

    ReferenceSearch search;
    search.target = typeName + " " + std::to_string(number);
    for (const PartitionNode& node : read.nodes) {
        for (std::size_t i = 0; i < node.references.size(); ++i) {
            const auto& ref = node.references[i].ref;
            if (!ref)
                continue;
            const auto refId = Decimal(ref->NodeTypeID);
            const auto refNumber = Decimal(ref->NodeNumber);
            if (refId && refNumber && CheckedId(*refId) == CheckedId(typeId) &&
                *refNumber == number) {
                search.referrers.push_back({node.stored.number, node.stored.label,
                                            std::string(ReferenceSource(i)), ref->NodeName});
            }
        }
    }
    return search;
}

}  // namespace xfer::host
