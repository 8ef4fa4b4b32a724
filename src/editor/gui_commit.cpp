// Commit, cancel and the pending-change flag, which is the Enabled state of cmdApply alone.

#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/utf8.h"

namespace xfer::editor {

namespace {
constexpr const char* kLabelRejected =
    "Double quotes and continuous single quotes are not allowed in the Label field";

}  // namespace

// The label goes through the validator component, created for this one check. A refused label
// gets the focus back with its whole text selected, so that the user can retype it at once.
bool GUI::labelAccepted() {
    const auto validator =
        Platform().components.create<platform::TextFieldValidator>(platform::kValidatorProgId);
    const bool accepted = validator->ValidateText(txtDescription.Text());
    if (!accepted) {
        Platform().messageBoxes.ask(
            kLabelRejected, platform::mb::kOKOnly | platform::mb::kInformation, "Information");
        if (isLoaded() && txtDescription.isUsable()) {
            txtDescription.SetFocus();
            txtDescription.setSelStart(0);
            txtDescription.setSelLength(
                static_cast<int>(runtime::utf8::Length(txtDescription.Text())));
        }
    }
    return accepted;
}

int GUI::AskToSaveChanges() {
    if (!cmdApply.Enabled())
        return platform::answer::kNo;
    const int answer = Platform().messageBoxes.ask(
        "Do you want to save changes?", platform::mb::kYesNoCancel | platform::mb::kQuestion,
        "Confirmation");
    if (answer != platform::answer::kYes)
        return answer;
    if (!labelAccepted())
        return platform::answer::kCancel;
    rules().SaveChanges(nodeNumber_);
    cmdApply.setEnabled(false);
    return platform::answer::kYes;
}

void GUI::EndExceptionsEdit(bool TurnOff) {
    if (TurnOff && cmdExceptionsEdit.Caption() == "Edit Off")
        cmdExceptionsEdit_Click();
}

void GUI::cmdOK_Click() {
    platform::Trap(Platform().messageBoxes, "cmdOK_Click", [&] {
        EndExceptionsEdit(true);
        if (!cmdApply.Enabled()) {
            Unload();
            return;
        }
        if (saveIfValid())
            Unload();
    });
}

void GUI::cmdApply_Click() {
    platform::Trap(Platform().messageBoxes, "cmdApply_Click", [&] {
        EndExceptionsEdit(true);
        saveIfValid();
    });
}

bool GUI::saveIfValid() {
    if (!rules().Validate_Dial_TextBox())
        return false;
    if (!labelAccepted())
        return false;
    rules().SaveChanges(nodeNumber_);
    cmdApply.setEnabled(false);
    return true;
}

void GUI::cmdCancel_Click() {
    platform::Trap(Platform().messageBoxes, "cmdCancel_Click", [&] {
        EndExceptionsEdit(true);
        if (AskToSaveChanges() == platform::answer::kCancel)
            return;
        cmdApply.setEnabled(false);
        Unload();
    });
}

void GUI::cmbXStyle_Click() {
    platform::Trap(Platform().messageBoxes, "cmbXStyle_Click", [&] {
        EndExceptionsEdit(true);
        const auto style = static_cast<std::int16_t>(cmbXStyle.ListIndex() + 1);
        rules().Get_XStyle_Description(style);
        cmdApply.setEnabled(true);
    });
}

void GUI::txtDescription_GotFocus() {
    platform::Trap(Platform().messageBoxes, "txtDescription_GotFocus",
                   [&] { EndExceptionsEdit(true); });
}

void GUI::txtDescription_Change() {
    platform::Trap(Platform().messageBoxes, "txtDescription_Change",
                   [&] { cmdApply.setEnabled(true); });
}

void GUI::txtDial_GotFocus() {
    platform::Trap(Platform().messageBoxes, "txtDial_GotFocus", [&] { EndExceptionsEdit(true); });
}

void GUI::txtDial_Change() {
    platform::Trap(Platform().messageBoxes, "txtDial_Change", [&] {
        rules().Validate_Input_Dial();
        cmdApply.setEnabled(true);
    });
}

}  // namespace xfer::editor
