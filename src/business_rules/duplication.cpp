// Creating a missing node as a copy of its type's template node (number 0): the node row,
// its detail rows, then its row in the general node table.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using data::CommandId;

namespace {
struct Copy {
    const char* typeId;  // compared as text: "05" or " 5" is no type of this table
    std::vector<CommandId> commands;
};

const std::array<Copy, 12>& CopyCommands() {
    static const std::array<Copy, 12> table{{
        {"1", {CommandId::Duplicate_CMD_NODE, CommandId::Duplicate_Detail_CMD_NODE}},
        {"2", {CommandId::Duplicate_TIME_Node, CommandId::Duplicate_Detail_TIME_Node}},
        {"3", {CommandId::Duplicate_DATE_Node, CommandId::Duplicate_Detail_DATE_Node}},
        {"4", {CommandId::Duplicate_XFER_Node}},
        {"6",
         {CommandId::Duplicate_DTMF_Node, CommandId::Duplicate_DetailPrompts_DTMF_Node,
          CommandId::Duplicate_DetailActions_DTMF_Node}},
        {"7",
         {CommandId::Duplicate_VOX_Node, CommandId::Duplicate_DetailPrompts_VOX_Node,
          CommandId::Duplicate_DetailActions_VOX_Node}},
        {"8", {CommandId::Duplicate_LIST_Node, CommandId::Duplicate_Detail_LIST_Node}},
        {"9",
         {CommandId::Duplicate_AUTO_Node, CommandId::Duplicate_DetailPrompts_AUTO_Node,
          CommandId::Duplicate_DetailActions_AUTO_Node}},
        {"11", {CommandId::Duplicate_MOH_Node}},
        {"12", {CommandId::Duplicate_PAAS_Node}},
        {"13", {CommandId::Duplicate_TABLE_Node, CommandId::Duplicate_DetailActions_TABLE_Node}},
        {"15", {CommandId::Duplicate_DBN_Node, CommandId::Duplicate_DetailPrompts_DBN_Node}},
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
}  // namespace

void Business_Rules::DuplicateNode(const std::string& SourceNodeNumber,
                                   const std::string& DestNodeNumber, std::string NodeTypeID) {
    platform::Trap(Platform().messageBoxes, "DuplicateNode", [&] {
        editor::GUI& form = Form();
        const auto config = [&] { return std::to_string(form.ConfigID()); };
        const auto partition = [&] { return std::to_string(form.PartitionID()); };
        const auto copyParams = [&] {
            return data::Params{DestNodeNumber, config(), partition(), SourceNodeNumber};
        };
        bool registered = true;
        if (NodeTypeID == "0" || NodeTypeID == "817" || NodeTypeID == "818") {
            NodeTypeID = "0";
            const std::string file =
                "P" + runtime::ZeroPad(form.PartitionID(), 2) + "M" +
                runtime::ZeroPad(runtime::Variant(DestNodeNumber).toInt32(), 3) + ".wav";
            db_->Duplicate_MSG_NODE(
                {DestNodeNumber, file, config(), partition(), SourceNodeNumber});
        } else if (NodeTypeID == "5") {
            db_->Duplicate_STYLE_Node(copyParams());
            auto& style = db_->rsGet_STYLE_Node();
            db_->Get_STYLE_Node({config(), partition(), SourceNodeNumber, "5"});
            if (!style.eof()) {
                if (const auto detail = StyleDetailCommand(style.field("SuperviseID"))) {
                    db_->Execute(*detail, copyParams());
                }
            }
            style.close();
        } else {
            registered = false;
            for (const Copy& copy : CopyCommands()) {
                if (NodeTypeID != copy.typeId)
                    continue;
                for (const CommandId command : copy.commands)
                    db_->Execute(command, copyParams());
                registered = true;
                break;
            }
        }
        if (registered) {
            db_->Duplicate_Node_In_General_Pool({DestNodeNumber, runtime::NowText(), config(),
                                                 partition(), SourceNodeNumber, NodeTypeID});
        }
    });
}

}  // namespace xfer::business_rules
