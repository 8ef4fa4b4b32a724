// The node type catalogue and the style list's length, read as the editor reads them.

#include "business_rules/type_catalogue.h"

#include "data/database.h"
#include "data/node_types.h"

namespace xfer::business_rules {

using runtime::Variant;
namespace type = data::node_type;

void ReadNodeTypeCatalogue(data::DataBase& db, const std::string& config,
                           const std::string& partition, const TypeCollections& into) {
    auto& names = db.rsGet_Node_Names();
    auto& limits = db.rsGet_Max_NodeNumber();
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
