// Saving the node shown in the editor, after checking that every node it refers to exists.

#include <cmath>
#include <memory>
#include <string>

#include "business_rules/node_saver.h"

#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

using std::to_string;
namespace type = data::node_type;

namespace {
const std::string kXferTypeId = type::Text(type::kXFER);
const std::string kStyleTypeId = type::Text(type::kSTYLE);

// An identifier read as a number, as the check compares it with the fixed identifiers; -1,
// which is none of them, when it is not a whole number.
long IdOf(const std::string& text) {
    const double value = runtime::Variant(text).toDouble();
    return value == std::floor(value) && std::fabs(value) < 1e9 ? static_cast<long>(value) : -1;
}
}  // namespace

void NodeSaver::SaveChanges(std::int16_t NodeNumber) {
    auto& pointer = ctx_.platform().mousePointer;
    platform::Trap(
        ctx_.platform().messageBoxes, "SaveChanges",
        [&] {
            editor::GUI& form = ctx_.form();
            pointer.Set(platform::Pointer::Hourglass);
            form.Frame1.setEnabled(false);
            form.StatusBar1.setVisible(true);

            CheckForUnReferencedNodes();
            form.StatusBar1.setPanelText(1, "Saving node information. Please wait...");
            ctx_.platform().windows.Repaint();

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

            pointer.Set(platform::Pointer::Default);
            form.StatusBar1.setPanelText(1, "");
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
        },
        [&] {
            editor::GUI& form = ctx_.component.gui();
            form.StatusBar1.setVisible(false);
            form.Frame1.setEnabled(true);
            pointer.Set(platform::Pointer::Default);
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
            ctx_.platform().windows.Repaint();
            dialog = ctx_.platform().components.Create<platform::ConfirmationDialog>(
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
                    duplicator_.DuplicateNode({form.ConfigID(), form.PartitionID()}, "0", number,
                                              typeId);
                    form.StatusBar1.setPanelText(1, name + " is created.");
                    ctx_.platform().windows.Repaint();
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

void NodeSaver::AddNodeTolstRequired(std::string NodeName, std::string NodeTypeID,
                                     const std::string& NodeNumber) {
    platform::Trap(ctx_.platform().messageBoxes, "AddNodeTolstRequired", [&] {
        editor::GUI& form = ctx_.form();
        const long typeId = IdOf(NodeTypeID);
        if (type::IsNeverChecked(typeId))
            return;
        if (type::IsStoredAsMsg(typeId)) {
            NodeTypeID = type::Text(type::kMSG);
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

bool NodeSaver::NodeExisted(std::string NodeTypeID, const std::string& NodeNumber) {
    bool existed = false;
    platform::Trap(ctx_.platform().messageBoxes, "NodeExisted", [&] {
        editor::GUI& form = ctx_.form();
        const long typeId = IdOf(NodeTypeID);
        if (type::IsStoredAsMsg(typeId))
            NodeTypeID = type::Text(type::kMSG);
        auto& rs = ctx_.db.rsGet_Description();
        ctx_.db.Get_Description(
            {to_string(form.ConfigID()), to_string(form.PartitionID()), NodeTypeID, NodeNumber});
        existed = !rs.eof() || type::AlwaysExists(typeId);
        rs.close();
    });
    return existed;
}

}  // namespace xfer::business_rules
