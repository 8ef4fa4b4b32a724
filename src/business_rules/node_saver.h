#pragma once
// Saving the node shown in the form: the reference check, which offers to create the nodes the
// XFER node refers to but that do not exist, then the two updates.

#include <cstdint>
#include <string>

#include "business_rules/node_duplicator.h"
#include "business_rules/rules_context.h"

namespace xfer::business_rules {

class NodeSaver {
  public:
    NodeSaver(RulesContext context, NodeDuplicator& duplicator)
        : ctx_(context), duplicator_(duplicator) {}

    void SaveChanges(std::int16_t NodeNumber);
    void CheckForUnReferencedNodes();
    // The style and the six rows are listed by ListRequiredNodes (required_nodes.h), each
    // reference under the error trap named AddNodeTolstRequired.
    bool NodeExisted(const std::string& NodeTypeID, const std::string& NodeNumber);

  private:
    RulesContext ctx_;
    NodeDuplicator& duplicator_;
};

}  // namespace xfer::business_rules
