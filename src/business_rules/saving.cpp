// Saving the node shown in the editor, after checking that every node it refers to exists.

#include <memory>
#include <string>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using std::to_string;

namespace {
constexpr const char* kXferTypeId = "4";
constexpr const char* kStyleTypeId = "5";
}  // namespace

void Business_Rules::SaveChanges(std::int16_t NodeNumber) {
    auto& pointer = Platform().mousePointer;
    platform::Trap(
        Platform().messageBoxes, "SaveChanges",
        [&] {
            editor::GUI& form = Form();
            pointer.Set(platform::Pointer::Hourglass);
            form.Frame1.setEnabled(false);
            form.StatusBar1.setVisible(true);

            CheckForUnReferencedNodes();
            form.StatusBar1.setPanelText(1, "Saving node information. Please wait...");
            Platform().windows.Repaint();

            const std::string label = form.txtDescription.Text();
            const std::string dial = form.txtDial.Text();
            const std::string style =
                to_string(form.cmbXStyle.ItemData(form.cmbXStyle.ListIndex()));
            data::Params params{dial, style};
            for (long row = 1; row <= 6; ++row) {
                const editor::ListItem& item = form.LVExceptions.Item(row);
                params.push_back(item.SubItems(editor::cell::kNodeName));
                params.push_back(item.SubItems(editor::cell::kNodeNumber));
            }
            const std::string config = to_string(form.ConfigID());
            const std::string partition = to_string(form.PartitionID());
            const std::string number = to_string(NodeNumber);
            params.insert(params.end(), {"XFER", label, kXferTypeId, config, partition, number});
            db_->Update_XFER_Node(params);
            db_->Update_Node_General_Pool(
                {label, runtime::NowText(), config, partition, kXferTypeId, number});

            pointer.Set(platform::Pointer::Default);
            form.StatusBar1.setPanelText(1, "");
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
        },
        [&] {
            editor::GUI& form = component_.gui();
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
            pointer.Set(platform::Pointer::Default);
        });
}

void Business_Rules::CheckForUnReferencedNodes() {
    std::shared_ptr<platform::ConfirmationDialog> dialog;
    auto& pointer = Platform().mousePointer;
    platform::Trap(
        Platform().messageBoxes, "CheckForUnReferencedNodes",
        [&] {
            editor::GUI& form = Form();
            form.StatusBar1.setPanelText(1, "Checking for non-existing nodes. Please wait...");
            Platform().windows.Repaint();
            dialog = Platform().components.Create<platform::ConfirmationDialog>(
                platform::kConfirmationProgId);
            form.lstNodeTypeName.Clear();
            form.lstNodeTypeID.Clear();
            form.lstNodeNumber.Clear();

            AddNodeTolstRequired(form.cmbXStyle.Text(), kStyleTypeId,
                                 to_string(form.cmbXStyle.ItemData(form.cmbXStyle.ListIndex())));
            for (long row = 1; row <= form.LVExceptions.ItemCount(); ++row) {
                const editor::ListItem& item = form.LVExceptions.Item(row);
                AddNodeTolstRequired(item.SubItems(editor::cell::kCommandNode),
                                     item.SubItems(editor::cell::kNodeTypeID),
                                     item.SubItems(editor::cell::kNodeNumber));
            }

            long answer = platform::confirm::kClosed;
            for (long i = 0; i < form.lstNodeTypeName.ListCount(); ++i) {
                const std::string typeId = form.lstNodeTypeID.List(i);
                const std::string number = form.lstNodeNumber.List(i);
                if (NodeExisted(typeId, number))
                    continue;
                const std::string name = form.lstNodeTypeName.List(i);
                if (answer != platform::confirm::kCreateAll) {
                    pointer.Set(platform::Pointer::Default);
                    answer = dialog->Show(1,
                                          name + " is referenced but it does not exist.\r\n" +
                                              "Do you want to auto create node '" + name + "'?",
                                          1, 7, "Confirmation");
                    pointer.Set(platform::Pointer::Hourglass);
                }
                if (answer == platform::confirm::kCreate ||
                    answer == platform::confirm::kCreateAll) {
                    DuplicateNode("0", number, typeId);
                    form.StatusBar1.setPanelText(1, name + " is created.");
                    Platform().windows.Repaint();
                } else if (answer == platform::confirm::kStop ||
                           answer == platform::confirm::kClosed) {
                    break;
                }
            }
            dialog.reset();
        },
        [&] {
            dialog.reset();
            pointer.Set(platform::Pointer::Default);
        });
}

void Business_Rules::AddNodeTolstRequired(std::string NodeName, std::string NodeTypeID,
                                          std::string NodeNumber) {
    platform::Trap(Platform().messageBoxes, "AddNodeTolstRequired", [&] {
        editor::GUI& form = Form();
        const double typeId = runtime::Variant(NodeTypeID).toDouble();
        // NOOP and the types that never name a node of their own are not checked.
        if (typeId == 999 || typeId == 816 || typeId == 814)
            return;
        if (typeId == 817 || typeId == 818) {
            NodeTypeID = "0";
            NodeName = "MSG " + NodeNumber;
        }
        // Each node is listed once. The whole name is compared: a prefix match would take
        // MSG 1 as listed once MSG 12 is, and MSG 1 would then never be checked.
        for (long i = 0; i < form.lstNodeTypeName.ListCount(); ++i) {
            if (runtime::EqualsNoCase(form.lstNodeTypeName.List(i), NodeName))
                return;
        }
        form.lstNodeTypeName.AddItem(NodeName);
        form.lstNodeTypeID.AddItem(NodeTypeID);
        form.lstNodeNumber.AddItem(NodeNumber);
    });
}

bool Business_Rules::NodeExisted(std::string NodeTypeID, const std::string& NodeNumber) {
    bool existed = false;
    platform::Trap(Platform().messageBoxes, "NodeExisted", [&] {
        editor::GUI& form = Form();
        const double typeId = runtime::Variant(NodeTypeID).toDouble();
        if (typeId == 817 || typeId == 818)
            NodeTypeID = "0";
        auto& rs = db_->rsGet_Description();
        db_->Get_Description(
            {to_string(form.ConfigID()), to_string(form.PartitionID()), NodeTypeID, NodeNumber});
        existed = !rs.eof() || typeId == 815;  // BEEP names a command, never a node
        rs.close();
    });
    return existed;
}

}  // namespace xfer::business_rules
