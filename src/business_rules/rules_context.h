#pragma once
// What the parts of one Business_Rules object share: the component (its platform seams and
// its form) and the object's one DataBase.

#include <string>

#include "business_rules/component.h"
#include "data/database.h"
#include "data/node_types.h"
#include "editor/exception_table.h"
#include "editor/gui.h"

namespace xfer::business_rules {

// The form and the data layer name the same identifiers; they must never drift apart.
static_assert(editor::kMsgTypeId == data::node_type::kMSG);
static_assert(editor::kNoopTypeId == data::node_type::kNOOP);
static_assert(editor::kBeepTypeId == data::node_type::kBEEP);

// The XFER and STYLE identifiers as the commands take them.
inline const std::string kXferTypeId = data::node_type::Text(data::node_type::kXFER);
inline const std::string kStyleTypeId = data::node_type::Text(data::node_type::kSTYLE);

struct RulesContext {
    Component& component;
    data::DataBase& db;

    platform::Platform& platform() { return component.platform(); }
    // The form, loaded when it is not.
    editor::GUI& form() { return component.loadedGui(); }
    // The form's configuration and partition as the commands take them.
    std::string config() { return std::to_string(form().ConfigID()); }
    std::string partition() { return std::to_string(form().PartitionID()); }
};

}  // namespace xfer::business_rules
