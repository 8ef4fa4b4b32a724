#pragma once
// What the editor reads about a partition before it loads a node: the node type catalogue
// with the partition's limits, and the length of the style list. The loaders fill the form
// with them; the partition check reads them the same way without a form.

#include <string>

#include "runtime/collection.h"

namespace xfer::data {
class DataBase;
}

namespace xfer::business_rules {

struct TypeCollections {
    runtime::Collection& NodeNameCollection;       // identifier as text -> type name
    runtime::Collection& NodeTypeIDCollection;     // type name -> identifier as text
    runtime::Collection& MaxNodeNumberCollection;  // identifier as text -> highest number
};

// Fills the collections from Get_Node_Names and Get_Max_NodeNumber. The first error (a
// repeated identifier or name, a Null name) propagates; what was added before it stays.
void ReadNodeTypeCatalogue(data::DataBase& db, const std::string& config,
                           const std::string& partition, const TypeCollections& into);

// The number of entries of the style list: the partition's STYLE limit when it is above 0,
// else 0. A limit beyond 16 bits raises 6.
int ReadStyleListLength(data::DataBase& db, const std::string& config,
                        const std::string& partition);

}  // namespace xfer::business_rules
