// Moving to another XFER node of the partition. The buttons only move the selector; the
// selector's click loads the node.

#include <string>

#include "editor/gui.h"
#include "platform/error_trap.h"

namespace xfer::editor {

void GUI::navigate(const char* procedure, long (*target)(long index, long count)) {
    platform::Trap(Platform().messageBoxes, procedure, [&] {
        EndExceptionsEdit(true);
        if (AskToSaveChanges() == platform::answer::kCancel)
            return;
        cmdApply.setEnabled(false);  // edits the prompt did not save are dropped
        const long index = cmbNode.ListIndex();
        const long to = target(index, cmbNode.ListCount());
        if (to == index)
            return;
        cmbNode.setListIndex(to);
        nodeNumber_ = static_cast<std::int16_t>(cmbNode.ItemData(cmbNode.ListIndex()));
    });
}

void GUI::cmdFirst_Click() {
    navigate("cmdFirst_Click", [](long index, long) { return index != 0 ? 0L : index; });
}

void GUI::cmdPrevious_Click() {
    navigate("cmdPrevious_Click", [](long index, long) { return index != 0 ? index - 1 : index; });
}

void GUI::cmdNext_Click() {
    navigate("cmdNext_Click",
             [](long index, long count) { return index != count - 1 ? index + 1 : index; });
}

void GUI::cmdLast_Click() {
    navigate("cmdLast_Click",
             [](long index, long count) { return index != count - 1 ? count - 1 : index; });
}

void GUI::cmbNode_Click() {
    platform::Trap(Platform().messageBoxes, "cmbNode_Click", [&] {
        EndExceptionsEdit(true);
        // While the editor is being opened the node asked for is loaded by the opening itself;
        // the selector only shows where it stands.
        if (!isShown())
            return;
        const auto selected = static_cast<std::int16_t>(cmbNode.ItemData(cmbNode.ListIndex()));
        if (selected == nodeNumber_)
            return;
        if (AskToSaveChanges() != platform::answer::kCancel) {
            rules().LoadData(selected);  // navigation does not ask whether it was found
            cmdApply.setEnabled(false);
            nodeNumber_ = selected;
            return;
        }
        // Stay on the node being edited, with its edits.
        for (long i = 0; i < cmbNode.ListCount(); ++i) {
            if (cmbNode.ItemData(i) == nodeNumber_) {
                cmbNode.setListIndex(i);
                break;
            }
        }
    });
}

}  // namespace xfer::editor
