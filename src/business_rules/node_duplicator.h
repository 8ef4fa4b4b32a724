#pragma once
// Creating a missing node as a copy of its type's template node (number 0) of the same
// configuration and partition: the node row, its detail rows, then its row in the general node
// table. Needs nothing but the database and the identifiers; its errors are trapped under
// "DuplicateNode".

#include <cstdint>
#include <string>

#include "data/database.h"
#include "platform/message_box.h"

namespace xfer::business_rules {

// Where the node is created: the configuration and partition being edited.
struct NodeScope {
    std::int16_t config = 0;
    std::int16_t partition = 0;
};

class NodeDuplicator {
  public:
    NodeDuplicator(data::DataBase& db, platform::MessageBoxes& boxes) : db_(db), boxes_(boxes) {}

    // The identifiers are decimal text and compared as text: "05" is no type of the table, and
    // nothing is created for it. Types 817 and 818 are created as MSG nodes.
    void DuplicateNode(NodeScope scope, const std::string& SourceNodeNumber,
                       const std::string& DestNodeNumber, std::string NodeTypeID);

  private:
    data::DataBase& db_;
    platform::MessageBoxes& boxes_;
};

}  // namespace xfer::business_rules
