// The exceptions list: edit mode, the row click that lays a pair of pickers over a row, the
// pickers' handlers (one implementation for all six exceptions), the list's window procedure
// and the default targets.

#include <string>

#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::editor {

namespace {
constexpr int kLabelColumnWidth = 1100;
constexpr int kTypePickerWidth = 975;
constexpr int kNumberPickerWidth = 700;
constexpr int kWideTypePickerWidth = kTypePickerWidth + kNumberPickerWidth;

std::string ProcedureName(Exception e, const char* kind) {
    return "cmb" + std::string(Info(e).pickerName) + kind;
}

// The row key chooses the exception; any key but "1a" .. "5a" means Answer.
Exception ExceptionOfRow(const std::string& key) {
    for (const auto& e : kExceptions) {
        if (e.id != Exception::Answer && key == e.rowKey)
            return e.id;
    }
    return Exception::Answer;
}

// A cell read as a number, as the comparisons of the pickers read it.
double NumberOf(const std::string& text) {
    return runtime::Variant(text).toDouble();
}

ListItem& SelectedRow(ListView& list) {
    ListItem* row = list.SelectedItem();
    if (row == nullptr)
        runtime::RaiseRuntime(runtime::err::kObjectNotSet);
    return *row;
}
}  // namespace

void GUI::cmdExceptionsEdit_Click() {
    platform::Trap(Platform().messageBoxes, "cmdExceptionsEdit_Click", [&] {
        if (editModeFlag_ != 0) {
            editModeFlag_ = 0;
            cmdExceptionsDefault.setEnabled(true);
            hideAllPickers();
            cmdExceptionsEdit.setCaption("Edit");
        } else {
            editModeFlag_ = 1;
            cmdExceptionsDefault.setEnabled(false);
            cmdExceptionsEdit.setCaption("Edit Off");
            ListItem& row = LVExceptions.Item(SelectedRow(LVExceptions).Index());
            LVExceptions_ItemClick(row);
        }
        cmdApply.setEnabled(true);
    });
}

void GUI::LVExceptions_ItemClick(ListItem& Item) {
    platform::Trap(Platform().messageBoxes, "LVExceptions_ItemClick", [&] {
        ResetExceptionListView();
        if (cmdExceptionsEdit.Caption() == "Edit")
            return;

        const Exception e = ExceptionOfRow(Item.Key());
        for (const auto& other : kExceptions) {
            if (other.id == e)
                continue;
            nodePicker(other.id).setVisible(false);
            numberPicker(other.id).setVisible(false);
        }
        ComboBox& node = nodePicker(e);
        ComboBox& number = numberPicker(e);
        node.setVisible(true);
        node.SetFocus();
        node.setLeft(LVExceptions.Left() + Item.Left() + kLabelColumnWidth);
        node.setTop(Item.Top() + Item.Height());
        number.setVisible(number.ListCount() > 0);
        number.setLeft(node.Left() + node.Width());
        number.setTop(Item.Top() + Item.Height());

        const std::string nodeName = Item.SubItems(cell::kNodeName);
        if (!isNodeAvailable(e, nodeName)) {
            showNotAvailable(nodeName);
            node.setVisible(false);
            number.setVisible(false);
            return;
        }
        node.setText(nodeName);
        const std::string rowNumber = Item.SubItems(cell::kNodeNumber);
        if (NumberOf(rowNumber) <= number.ListCount()) {
            number.setText(rowNumber);
            return;
        }
        const bool numbered = e == Exception::Hold || e == Exception::MOH || e == Exception::Answer;
        if (numbered && !Info(e).isNoNumberCommand(node.ItemData(node.ListIndex()))) {
            showNotAvailable(nodeName);
            node.setVisible(false);
            number.setVisible(false);
        }
    });
}

void GUI::LVExceptions_Click() {
    EndExceptionsEdit(false);
}

void GUI::LVExceptions_MouseUp(int, int, int, int) {
    platform::Trap(Platform().messageBoxes, "LVExceptions_MouseUp", [&] {
        if (cmbHoldNode.Visible())
            cmbHoldNode.SetFocus();
    });
}

bool GUI::isNodeAvailable(Exception e, const std::string& NodeName) {
    runtime::Collection& notAvailable = notAvailableFor(e);
    const std::string wanted = runtime::ToUpper(NodeName);
    for (long i = 1; i <= notAvailable.Count(); ++i) {
        if (runtime::ToUpper(notAvailable.Item(i).toText()) == wanted)
            return false;
    }
    return true;
}

long GUI::ExceptionListWindowProc(std::intptr_t hw, unsigned uMsg, long wParam, long lParam) {
    if (hw != LVExceptions.hWnd())
        return 0;
    // The pickers float over rows; once the rows move under them they would point at the wrong
    // exception, so scrolling and a press on the header take them away.
    if (uMsg == kWmVScroll || uMsg == kWmParentNotify)
        hideAllPickers();
    return previousWindowProc_ ? previousWindowProc_(hw, uMsg, wParam, lParam) : 0;
}

void GUI::showNotAvailable(const std::string& nodeName) {
    Platform().messageBoxes.ask("Please check the \"Max Number of each Node\" Section for " +
                                    nodeName + " Node in Partition Settings.",
                                platform::mb::kOKOnly | platform::mb::kInformation, "Information");
}

void GUI::NodePicker_Click(Exception e) {
    platform::Trap(Platform().messageBoxes, ProcedureName(e, "Node_Click"), [&] {
        ComboBox& node = nodePicker(e);
        ComboBox& number = numberPicker(e);
        number.Clear();
        const long typeId = node.ItemData(node.ListIndex());
        const std::string id = std::to_string(typeId);
        number.setRange(1, MaxNodeNumberCollection().Item(id).toInt16());

        if (Info(e).isNoNumberCommand(typeId)) {
            number.setVisible(false);
            node.setWidth(kWideTypePickerWidth);
            ListItem& row = SelectedRow(LVExceptions);
            const std::string name = NodeNameCollection().Item(id).toText();
            row.setSubItems(cell::kNodeTypeID, id);
            row.setSubItems(cell::kCommandNode, name);
            row.setSubItems(cell::kNodeName, name);
            row.setSubItems(cell::kNodeNumber, "1");
            row.setSubItems(cell::kTargetLabel, "");
            return;
        }

        number.setVisible(true);
        node.setWidth(kTypePickerWidth);
        number.setWidth(kNumberPickerWidth);
        number.setLeft(node.Left() + node.Width());
        ListItem* row = LVExceptions.SelectedItem();
        if (row == nullptr)
            return;
        row->setSubItems(cell::kNodeTypeID, id);
        row->setSubItems(cell::kCommandNode, NodeNameCollection().Item(id).toText() + " " +
                                                 row->SubItems(cell::kNodeNumber));
        row->setSubItems(cell::kNodeName, node.Text());
        const std::string rowNumber = row->SubItems(cell::kNodeNumber);
        // A number the new type does not have falls back to its first node.
        number.setText(NumberOf(rowNumber) <= number.ListCount() ? rowNumber : "1");
        row->setSubItems(cell::kTargetLabel, "");
    });
}

void GUI::NumberPicker_Click(Exception e) {
    platform::Trap(Platform().messageBoxes, ProcedureName(e, "Number_Click"), [&] {
        ListItem* row = LVExceptions.SelectedItem();
        if (row == nullptr || !row->Selected())
            return;
        const std::string& text = numberPicker(e).Text();
        row->setSubItems(
            cell::kCommandNode,
            NodeNameCollection().Item(row->SubItems(cell::kNodeTypeID)).toText() + " " + text);
        row->setSubItems(cell::kNodeNumber, text);
    });
}

void GUI::NumberPicker_Change(Exception e) {
    platform::Trap(Platform().messageBoxes, ProcedureName(e, "Number_Change"), [&] {
        ComboBox& number = numberPicker(e);
        // The row click sets a hidden picker's text for the no-number commands: nothing may
        // reach the row then.
        if (!number.Visible())
            return;
        rules().Combo_Change(number);
        NumberPicker_Click(e);
    });
}

void GUI::cmdExceptionsDefault_Click() {
    platform::Trap(Platform().messageBoxes, "cmdExceptionsDefault_Click", [&] {
        LVExceptions.ClearItems();
        for (const auto& e : kExceptions) {
            const std::string id = std::to_string(e.defaultTargetType);
            ListItem& row = LVExceptions.AddItem(std::string(e.rowKey), std::string(e.rowText));
            const std::string name = NodeNameCollection().Item(id).toText();
            row.setSubItems(cell::kLabel, std::string(e.label));
            row.setSubItems(cell::kCommandNode, name + " 1");
            row.setSubItems(cell::kTargetLabel, "");
            row.setSubItems(cell::kNodeName, name);
            row.setSubItems(cell::kNodeTypeID, id);
            row.setSubItems(cell::kNodeNumber, "1");
        }
        cmdApply.setEnabled(true);
    });
}

}  // namespace xfer::editor
