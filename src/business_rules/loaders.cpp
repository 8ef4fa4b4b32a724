// The loaders that fill the form when the editor opens and when it moves to another node.

#include <optional>
#include <string>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using runtime::Variant;
using std::to_string;

namespace {
constexpr int kStyleTypeId = 5;
constexpr const char* kXferTypeId = "4";

// A node's label: the field's text, or "" when there is no row or the field is Null.
std::string DescriptionOf(data::Recordset& rs) {
    return rs.eof() ? std::string() : rs.field("NodeDescription").textOrEmpty();
}
}  // namespace

void Business_Rules::LoadNodeNameAndNodeTypeID() {
    platform::Trap(Platform().messageBoxes, "LoadNodeNameAndNodeTypeID", [&] {
        editor::GUI& form = Form();
        auto& names = db_->rsGet_Node_Names();
        auto& limits = db_->rsGet_Max_NodeNumber();
        db_->Get_Node_Names({});
        while (!names.eof()) {
            const std::string id = names.field("ID").toText();
            const Variant& name = names.field("English_Name");
            form.NodeNameCollection().Add(name, id);
            form.NodeTypeIDCollection().Add(id, name.toText());
            db_->Get_Max_NodeNumber(
                {to_string(form.ConfigID()), to_string(form.PartitionID()), id});
            if (!limits.eof()) {
                form.MaxNodeNumberCollection().Add(limits.field("Max_Number"), id);
            } else {
                // Types without a limit row of their own.
                const long typeId = names.field("ID").toInt32();
                long fallback = 0;
                if (typeId == 816) {
                    fallback = 999;
                } else if (typeId == 817 || typeId == 818) {
                    fallback = form.MaxNodeNumberCollection().Item("0").toInt16();
                }
                form.MaxNodeNumberCollection().Add(to_string(fallback), id);
            }
            limits.close();
            names.moveNext();
        }
        names.close();
    });
}

void Business_Rules::LoadXStyle() {
    platform::Trap(Platform().messageBoxes, "LoadXStyle", [&] {
        editor::GUI& form = Form();
        form.cmbXStyle.Clear();
        auto& limits = db_->rsGet_Max_NodeNumber();
        db_->Get_Max_NodeNumber(
            {to_string(form.ConfigID()), to_string(form.PartitionID()), to_string(kStyleTypeId)});
        if (!limits.eof()) {
            const Variant& max = limits.field("Max_Number");
            if (!max.isNull() && max.toDouble() > 0) {
                const int count = max.toInt16();
                for (int i = 1; i <= count; ++i) {
                    form.cmbXStyle.AddItem("STYLE " + to_string(i));
                    form.cmbXStyle.setItemData(form.cmbXStyle.NewIndex(), i);
                }
            }
        }
        limits.close();
    });
}

void Business_Rules::Get_XStyle_Description(const std::int16_t& StyleNodeNumber) {
    platform::Trap(Platform().messageBoxes, "Get_XStyle_Description", [&] {
        editor::GUI& form = Form();
        auto& rs = db_->rsGet_Description();
        db_->Get_Description({to_string(form.ConfigID()), to_string(form.PartitionID()),
                              to_string(kStyleTypeId), to_string(StyleNodeNumber)});
        form.txtXStyleDescription.setText(DescriptionOf(rs));
        rs.close();
    });
}

void Business_Rules::LoadExistingNodesInRecordSelector(std::int16_t Node_Number) {
    platform::Trap(Platform().messageBoxes, "LoadExistingNodesInRecordSelector", [&] {
        editor::GUI& form = Form();
        auto& rs = db_->rsGet_All_XFER_Nodes();
        db_->Get_All_XFER_Nodes(
            {to_string(form.ConfigID()), to_string(form.PartitionID()), kXferTypeId});
        long toSelect = 0;
        std::optional<std::string> xfer;  // the type's name, looked up at the first entry
        while (!rs.eof()) {
            const std::int32_t number = rs.field("NodeNumber").toInt32();
            const bool take = isTemplateNode_ ? number == 0 : number > 0;
            if (take) {
                if (!xfer)
                    xfer = form.NodeNameCollection().Item(kXferTypeId).toText();
                form.cmbNode.AddItem(*xfer + " " + to_string(number));
                form.cmbNode.setItemData(form.cmbNode.NewIndex(), number);
                if (number == Node_Number)
                    toSelect = form.cmbNode.NewIndex();
            }
            rs.moveNext();
        }
        rs.close();
        if (form.cmbNode.ListCount() > 0)
            form.cmbNode.setListIndex(toSelect);
        if (isTemplateNode_) {
            form.cmdFirst.setVisible(false);
            form.cmdPrevious.setVisible(false);
            form.cmbNode.setVisible(false);
            form.lblRecordPosition.setVisible(false);
            form.cmdNext.setVisible(false);
            form.cmdLast.setVisible(false);
            form.MoveControlsUp();
        }
    });
}

void Business_Rules::LoadData(std::int16_t Node_Number, bool& NodeLoaded) {
    auto& pointer = Platform().mousePointer;
    platform::Trap(
        Platform().messageBoxes, "LoadData",
        [&] {
            editor::GUI& form = Form();
            if (form.cmbXStyle.ListCount() == 0) {
                Platform().messageBoxes.MsgBox(
                    "Please check the \"Max Number of each Node\" Section for STYLE Node in "
                    "Partition Settings.",
                    platform::mb::kOKOnly | platform::mb::kInformation, "Information");
                NodeLoaded = false;
                return;
            }
            pointer.Set(platform::Pointer::Hourglass);
            const std::string config = to_string(form.ConfigID());
            const std::string partition = to_string(form.PartitionID());
            auto& node = db_->rsGet_XFER_Node();
            db_->Get_XFER_Node({config, partition, to_string(Node_Number), kXferTypeId});
            if (!node.eof()) {
                form.txtDial.setText(node.field("Dial").textOrEmpty());
                const std::int16_t style = node.field("StyleNodeNumber").toInt16();
                form.cmbXStyle.setListIndex(style - 1);
                Get_XStyle_Description(style);
                form.txtDescription.setText(node.field("NodeDescription").textOrEmpty());
                form.LVExceptions.ClearItems();
                auto& description = db_->rsGet_Description();
                for (const auto& e : editor::kExceptions) {
                    const std::string type = node.field(e.typeColumn).textOrEmpty();
                    const std::string number = node.field(e.numberColumn).textOrEmpty();
                    const std::string upper = runtime::UCase(type);
                    std::string shown;
                    std::int16_t typeId = 0;
                    if (upper == "NOOP" && e.allowsNoop) {
                        shown = type;
                        typeId = editor::kNoopTypeId;
                    } else if (upper == "BEEP" && e.allowsBeep) {
                        shown = type;
                        typeId = editor::kBeepTypeId;
                    } else {
                        shown = type + " " + number;
                        typeId = form.NodeTypeIDCollection().Item(type).toInt16();
                    }
                    db_->Get_Description({config, partition, to_string(typeId), number});
                    const std::string label = DescriptionOf(description);
                    description.close();
                    editor::ListItem& row =
                        form.LVExceptions.AddItem(std::string(e.rowKey), std::string(e.rowText));
                    row.setSubItems(editor::cell::kLabel, std::string(e.label));
                    row.setSubItems(editor::cell::kCommandNode, shown);
                    row.setSubItems(editor::cell::kTargetLabel, label);
                    row.setSubItems(editor::cell::kNodeName, type);
                    row.setSubItems(editor::cell::kNodeTypeID, to_string(typeId));
                    row.setSubItems(editor::cell::kNodeNumber, number);
                }
                NodeLoaded = true;
                form.lblRecordPosition.setCaption(to_string(form.cmbNode.ListIndex() + 1) + " of " +
                                                  to_string(form.cmbNode.ListCount()));
            } else {
                Platform().messageBoxes.MsgBox(
                    form.NodeNameCollection().Item(kXferTypeId).toText() + " " +
                        to_string(form.nodeNumber()) + " doesn't exist.",
                    platform::mb::kOKOnly | platform::mb::kInformation, "Information");
                NodeLoaded = false;
            }
            node.close();

            const long count = form.cmbNode.ListCount();
            const long index = form.cmbNode.ListIndex();
            bool back = true;
            bool forward = true;
            if (count == 1) {
                back = forward = false;
            } else if (index == 0) {
                back = false;
            } else if (index == count - 1) {
                forward = false;
            }
            form.cmdPrevious.setEnabled(back);
            form.cmdFirst.setEnabled(back);
            form.cmdNext.setEnabled(forward);
            form.cmdLast.setEnabled(forward);
            pointer.Set(platform::Pointer::Default);
        },
        [&] {
            pointer.Set(platform::Pointer::Default);
            NodeLoaded = false;
        });
}

}  // namespace xfer::business_rules
