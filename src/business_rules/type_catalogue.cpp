// The node type catalogue and the style list's length, read as the editor reads them.

#include "business_rules/type_catalogue.h"

#include "data/database.h"
#include "data/node_types.h"

#include <vector>

namespace xfer::business_rules {

using runtime::Variant;
namespace type = data::node_type;

namespace {

// On a server, every type's limit is asked for in one exchange before the catalogue is read:
// the type list is read once more for it, from the result the opening sent ahead.
void SendLimitsAhead(data::DataBase& db, const std::string& config, const std::string& partition) {
    auto& names = db.rsGet_Node_Names();
    const data::ClosesOnExit closing(names);
    db.Get_Node_Names({});
    std::vector<data::DataBase::Ahead> limits;
    for (; !names.eof(); names.moveNext())
        limits.push_back(
            {data::CommandId::Get_Max_NodeNumber, {config, partition, names.field("ID").toText()}});
    db.sendAhead(limits);
}

}  // namespace

void ReadNodeTypeCatalogue(data::DataBase& db, const std::string& config,
                           const std::string& partition, const TypeCollections& into) {
    if (db.sendsAhead())
        SendLimitsAhead(db, config, partition);
    auto& names = db.rsGet_Node_Names();
    auto& limits = db.rsGet_Max_NodeNumber();
    const data::ClosesOnExit closingNames(names);
    const data::ClosesOnExit closingLimits(limits);
    db.Get_Node_Names({});
    while (!names.eof()) {
        const std::string id = names.field("ID").toText();
        const Variant& name = names.field("English_Name");
        into.NodeNameCollection.Add(name, id);
        into.NodeTypeIDCollection.Add(id, name.toText());
        db.Get_Max_NodeNumber({config, partition, id});
        if (!limits.eof()) {
            into.MaxNodeNumberCollection.Add(limits.field("Max_Number"), id);
        } else {
            // Types without a limit row of their own.
            const long typeId = names.field("ID").toInt32();
            long fallback = 0;
            if (typeId == type::kType816) {
                fallback = type::kType816DefaultLimit;
            } else if (type::IsStoredAsMsg(typeId)) {
                fallback = into.MaxNodeNumberCollection.Item(type::Text(type::kMSG)).toInt16();
            }
            into.MaxNodeNumberCollection.Add(std::to_string(fallback), id);
        }
        limits.close();
        names.moveNext();
    }
    names.close();
}

int ReadStyleListLength(data::DataBase& db, const std::string& config,
                        const std::string& partition) {
    auto& limits = db.rsGet_Max_NodeNumber();
    const data::ClosesOnExit closing(limits);
    db.Get_Max_NodeNumber({config, partition, type::Text(type::kSTYLE)});
    int length = 0;
    if (!limits.eof()) {
        const Variant& max = limits.field("Max_Number");
        if (!max.isNull() && max.toDouble() > 0)
            length = max.toInt16();
    }
    limits.close();
    return length;
}

}  // namespace xfer::business_rules
