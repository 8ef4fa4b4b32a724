// Saving the node shown in the editor, after checking that every node it refers to exists.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "business_rules/node_saver.h"
#include "business_rules/required_nodes.h"

#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using std::to_string;
namespace type = data::node_type;

void NodeSaver::SaveChanges(std::int16_t NodeNumber) {
    auto& pointer = ctx_.platform().mousePointer;
    platform::Trap(
        ctx_.platform().messageBoxes, "SaveChanges",
        [&] {
            editor::GUI& form = ctx_.form();
            pointer.set(platform::Pointer::Hourglass);
            form.Frame1.setEnabled(false);
            form.StatusBar1.setVisible(true);

            CheckForUnReferencedNodes();
            form.StatusBar1.setPanelText(1, "Saving node information. Please wait...");
            ctx_.platform().windows.repaint();

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
            params.insert(params.end(),
                          {type::kXferName, label, kXferTypeId, config, partition, number});
            ctx_.db.Update_XFER_Node(params);
            ctx_.db.Update_Node_General_Pool(
                {label, runtime::NowText(), config, partition, kXferTypeId, number});

            pointer.set(platform::Pointer::Default);
            form.StatusBar1.setPanelText(1, "");
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
        },
        [&] {
            editor::GUI& form = ctx_.component.gui();
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
            pointer.set(platform::Pointer::Default);
        });
}

void NodeSaver::CheckForUnReferencedNodes() {
    std::shared_ptr<platform::ConfirmationDialog> dialog;
    auto& pointer = ctx_.platform().mousePointer;
    platform::Trap(
        ctx_.platform().messageBoxes, "CheckForUnReferencedNodes",
        [&] {
            editor::GUI& form = ctx_.form();
            form.StatusBar1.setPanelText(1, "Checking for non-existing nodes. Please wait...");
            ctx_.platform().windows.repaint();
            dialog = ctx_.platform().components.create<platform::ConfirmationDialog>(
                platform::kConfirmationProgId);
            form.lstNodeTypeName.Clear();
            form.lstNodeTypeID.Clear();
            form.lstNodeNumber.Clear();

            std::vector<NodeReference> references{
                {form.cmbXStyle.Text(), kStyleTypeId,
                 to_string(form.cmbXStyle.ItemData(form.cmbXStyle.ListIndex()))}};
            for (long row = 1; row <= form.LVExceptions.ItemCount(); ++row) {
                const editor::ListItem& item = form.LVExceptions.Item(row);
                references.push_back({item.SubItems(editor::cell::kCommandNode),
                                      item.SubItems(editor::cell::kNodeTypeID),
                                      item.SubItems(editor::cell::kNodeNumber)});
            }
            const auto trapped = [this](const std::function<void()>& listOne) {
                platform::Trap(ctx_.platform().messageBoxes, "AddNodeTolstRequired", listOne);
            };
            for (const RequiredNode& node : ListRequiredNodes(references, trapped)) {
                form.lstNodeTypeName.AddItem(node.NodeName);
                form.lstNodeTypeID.AddItem(node.NodeTypeID);
                form.lstNodeNumber.AddItem(node.NodeNumber);
            }

            long answer = platform::confirm::kClosed;
            for (long i = 0; i < form.lstNodeTypeName.ListCount(); ++i) {
                const std::string typeId = form.lstNodeTypeID.List(i);
                const std::string number = form.lstNodeNumber.List(i);
                if (NodeExisted(typeId, number))
                    continue;
                const std::string name = form.lstNodeTypeName.List(i);
                if (answer != platform::confirm::kCreateAll) {
                    pointer.set(platform::Pointer::Default);
                    answer = dialog->show(1,
                                          name + " is referenced but it does not exist.\r\n" +
                                              "Do you want to auto create node '" + name + "'?",
                                          1, 7, "Confirmation");
                    pointer.set(platform::Pointer::Hourglass);
                }
                if (answer == platform::confirm::kCreate ||
                    answer == platform::confirm::kCreateAll) {
                    duplicator_.DuplicateNode({form.ConfigID(), form.PartitionID()}, "0", number,
                                              typeId);
                    form.StatusBar1.setPanelText(1, name + " is created.");
                    ctx_.platform().windows.repaint();
                } else if (answer == platform::confirm::kStop ||
                           answer == platform::confirm::kClosed) {
                    break;
                }
            }
            dialog.reset();
        },
        [&] {
            dialog.reset();
            pointer.set(platform::Pointer::Default);
        });
}

bool NodeSaver::NodeExisted(const std::string& NodeTypeID, const std::string& NodeNumber) {
    bool existed = false;
    platform::Trap(ctx_.platform().messageBoxes, "NodeExisted", [&] {
        existed = NodeExists(ctx_.db, ctx_.config(), ctx_.partition(), NodeTypeID, NodeNumber);
    });
    return existed;
}

}  // namespace xfer::business_rules
