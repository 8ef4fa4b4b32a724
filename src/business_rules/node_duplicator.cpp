// Creating a missing node as a copy of its type's template node (number 0): the node row,
// its detail rows, then its row in the general node table.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "business_rules/node_duplicator.h"

#include "data/node_types.h"
#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using data::CommandId;
namespace type = data::node_type;

namespace {
struct Copy {
    int typeId;  // compared as decimal text: "05" or " 5" is no type of this table
    std::vector<CommandId> commands;
};

const std::array<Copy, 12>& CopyCommands() {
    static const std::array<Copy, 12> table{{
        {type::kCMD, {CommandId::Duplicate_CMD_NODE, CommandId::Duplicate_Detail_CMD_NODE}},
        {type::kTIME, {CommandId::Duplicate_TIME_Node, CommandId::Duplicate_Detail_TIME_Node}},
        {type::kDATE, {CommandId::Duplicate_DATE_Node, CommandId::Duplicate_Detail_DATE_Node}},
        {type::kXFER, {CommandId::Duplicate_XFER_Node}},
        {type::kDTMF,
         {CommandId::Duplicate_DTMF_Node, CommandId::Duplicate_DetailPrompts_DTMF_Node,
          CommandId::Duplicate_DetailActions_DTMF_Node}},
        {type::kVOX,
         {CommandId::Duplicate_VOX_Node, CommandId::Duplicate_DetailPrompts_VOX_Node,
          CommandId::Duplicate_DetailActions_VOX_Node}},
        {type::kLIST, {CommandId::Duplicate_LIST_Node, CommandId::Duplicate_Detail_LIST_Node}},
        {type::kAUTO,
         {CommandId::Duplicate_AUTO_Node, CommandId::Duplicate_DetailPrompts_AUTO_Node,
          CommandId::Duplicate_DetailActions_AUTO_Node}},
        {type::kMOH, {CommandId::Duplicate_MOH_Node}},
        {type::kPAAS, {CommandId::Duplicate_PAAS_Node}},
        {type::kTABLE,
         {CommandId::Duplicate_TABLE_Node, CommandId::Duplicate_DetailActions_TABLE_Node}},
        {type::kDBN, {CommandId::Duplicate_DBN_Node, CommandId::Duplicate_DetailPrompts_DBN_Node}},
    }};
    return table;
}

// The style detail table that belongs to a STYLE node, chosen by its SuperviseID.
std::optional<CommandId> StyleDetailCommand(const runtime::Variant& superviseId) {
    if (!superviseId.isNull()) {
        switch (superviseId.toInt32()) {
            case 0:
                return std::nullopt;
            case 1:
                return CommandId::Duplicate_STYLE_Partial;
            case 2:
                return CommandId::Duplicate_STYLE_Full;
            case 3:
                return CommandId::Duplicate_STYLE_DialCont;
            default:
                break;
        }
    }
    return CommandId::Duplicate_STYLE_Enhanced;
}

bool Is(const std::string& text, int typeId) {
    return text == type::Text(typeId);
}

}  // namespace

void NodeDuplicator::DuplicateNode(NodeScope scope, const std::string& SourceNodeNumber,
                                   const std::string& DestNodeNumber, std::string NodeTypeID) {
    platform::Trap(boxes_, "DuplicateNode", [&] {
        const std::string config = std::to_string(scope.config);
        const std::string partition = std::to_string(scope.partition);
        const auto copyParams = [&] {
            return data::Params{DestNodeNumber, config, partition, SourceNodeNumber};
        };
        bool registered = true;
        if (Is(NodeTypeID, type::kMSG) || Is(NodeTypeID, type::kMsgAlias817) ||
            Is(NodeTypeID, type::kMsgAlias818)) {
            NodeTypeID = type::Text(type::kMSG);
            const std::string file =
                "P" + runtime::ZeroPad(scope.partition, 2) + "M" +
                runtime::ZeroPad(runtime::Variant(DestNodeNumber).toInt32(), 3) + ".wav";
            db_.Duplicate_MSG_NODE({DestNodeNumber, file, config, partition, SourceNodeNumber});
        } else if (Is(NodeTypeID, type::kSTYLE)) {
            db_.Duplicate_STYLE_Node(copyParams());
            auto& style = db_.rsGet_STYLE_Node();
            db_.Get_STYLE_Node({config, partition, SourceNodeNumber, NodeTypeID});
            if (!style.eof()) {
                if (const auto detail = StyleDetailCommand(style.field("SuperviseID"))) {
                    db_.execute(*detail, copyParams());
                }
            }
            style.close();
        } else {
            registered = false;
            for (const Copy& copy : CopyCommands()) {
                if (!Is(NodeTypeID, copy.typeId))
                    continue;
                for (const CommandId command : copy.commands)
                    db_.execute(command, copyParams());
                registered = true;
                break;
            }
        }
        if (registered) {
            db_.Duplicate_Node_In_General_Pool({DestNodeNumber, runtime::NowText(), config,
                                                partition, SourceNodeNumber, NodeTypeID});
        }
    });
}

}  // namespace xfer::business_rules
