// The reference check's rules on plain values: which references are listed, under which
// identifier and name, and when a listed node exists.

#include "business_rules/required_nodes.h"

#include <cmath>

#include "data/database.h"
#include "data/node_types.h"
#include "runtime/text.h"
#include "runtime/variant.h"

namespace xfer::business_rules {

namespace type = data::node_type;

namespace {

// An identifier read as a number, as the check compares it with the fixed identifiers; -1,
// which is none of them, when it is not a whole number. Text that is no number raises 13.
long IdOf(const std::string& text) {
    const double value = runtime::Variant(text).toDouble();
    return value == std::floor(value) && std::fabs(value) < 1e9 ? static_cast<long>(value) : -1;
}

}  // namespace

void AddNodeTolstRequired(std::vector<RequiredNode>& lstRequired, std::string NodeName,
                          std::string NodeTypeID, std::string NodeNumber, std::size_t referrer) {
    const long typeId = IdOf(NodeTypeID);
    if (type::IsNeverChecked(typeId))
        return;
    if (type::IsStoredAsMsg(typeId)) {
        NodeTypeID = type::Text(type::kMSG);
        NodeName = "MSG " + NodeNumber;
    }
    // Each node is listed once. The whole name is compared: a prefix match would take MSG 1
    // as listed once MSG 12 is, and MSG 1 would then never be checked.
    for (RequiredNode& listed : lstRequired) {
        if (runtime::EqualsNoCase(listed.NodeName, NodeName)) {
            listed.referrers.push_back(referrer);
            return;
        }
    }
    lstRequired.push_back(
        {std::move(NodeName), std::move(NodeTypeID), std::move(NodeNumber), {referrer}});
}

std::vector<RequiredNode> ListRequiredNodes(std::span<const NodeReference> references,
                                            const ListingGuard& guard) {
    std::vector<RequiredNode> list;
    for (std::size_t i = 0; i < references.size(); ++i) {
        const NodeReference& ref = references[i];
        const auto listOne = [&] {
            AddNodeTolstRequired(list, ref.NodeName, ref.NodeTypeID, ref.NodeNumber, i);
        };
        if (guard) {
            guard(listOne);
        } else {
            listOne();
        }
    }
    return list;
}

bool NodeExists(data::DataBase& db, const std::string& config, const std::string& partition,
                const std::string& NodeTypeID, const std::string& NodeNumber) {
    const long typeId = IdOf(NodeTypeID);
    const std::string lookedUp = type::IsStoredAsMsg(typeId) ? type::Text(type::kMSG) : NodeTypeID;
    data::Recordset& rs = db.rsGet_Description();
    db.Get_Description({config, partition, lookedUp, NodeNumber});
    const bool existed = !rs.eof() || type::AlwaysExists(typeId);
    rs.close();
    return existed;
}

RowTarget RowTargetOf(const editor::ExceptionInfo& exception, const std::string& type,
                      const std::string& number,
                      const std::function<std::int16_t(const std::string& type)>& typeIdOf) {
    const std::string upper = runtime::ToUpper(type);
    if (upper == "NOOP" && exception.allowsNoop)
        return {type, static_cast<std::int16_t>(type::kNOOP)};
    if (upper == "BEEP" && exception.allowsBeep)
        return {type, static_cast<std::int16_t>(type::kBEEP)};
    return {type + " " + number, typeIdOf(type)};
}

std::string StyleEntryText(long number) {
    return kStyleEntryPrefix + std::to_string(number);
}

}  // namespace xfer::business_rules
