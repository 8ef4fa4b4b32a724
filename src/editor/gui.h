#pragma once
// GUI, the "XFER Node Editor" form as a view model: its controls, the state it holds for the
// component (configuration, partition, node number, eight keyed collections, its own
// rules object), its load and unload handling and its event handlers.
//
// The form object lives as long as its component; loading and unloading do not destroy it.
// Unloading puts every control back to its designed state; the properties, the collections
// and the edit-mode flag live on from one loading to the next.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editor/controls/combo_box.h"
#include "editor/controls/form_base.h"
#include "editor/controls/list_view.h"
#include "editor/controls/simple_controls.h"
#include "editor/controls/text_box.h"
#include "editor/exception_table.h"
#include "editor/form_rules.h"
#include "platform/platform.h"
#include "runtime/collection.h"

namespace xfer::editor {

class GUI final : public FormBase {
  public:
    static constexpr int kClientWidth = 4890;
    static constexpr int kClientHeight = 5835;

    // `makeRules` creates the form's own rules object each time the form loads.
    GUI(platform::Platform platform, FormRulesFactory makeRules);
    ~GUI() override;

    // Lifecycle -------------------------------------------------------------------------------
    // Loads the form unless it is loaded: runs its load handling. Errors propagate.
    void Load();
    // Runs the unload handling; false when the pending-change prompt was cancelled.
    bool Unload();
    // Shows the loaded form modally; returns when it has been unloaded.
    void showModal();
    void closeBox() override;

    // Properties ------------------------------------------------------------------------------
    std::int16_t ConfigID() const noexcept { return configID_; }
    void setConfigID(std::int16_t Given_ConfigID) noexcept { configID_ = Given_ConfigID; }
    std::int16_t PartitionID() const noexcept { return partitionID_; }
    void setPartitionID(std::int16_t Given_PartitionID) noexcept {
        partitionID_ = Given_PartitionID;
    }
    std::int16_t nodeNumber() const noexcept { return nodeNumber_; }
    void setNodeNumber(std::int16_t Given_NodeNumber) noexcept { nodeNumber_ = Given_NodeNumber; }

    // The eight collections; each raises 91 while it does not exist.
    void SetNewCollection();
    void FreeCollection();
    runtime::Collection& NodeNameCollection();
    runtime::Collection& NodeTypeIDCollection();
    runtime::Collection& MaxNodeNumberCollection();
    runtime::Collection& NotAvailableHoldNode();
    runtime::Collection& NotAvailableMOHNode();
    runtime::Collection& NotAvailableBusyNode();
    runtime::Collection& NotAvailableNoAnswerNode();
    runtime::Collection& NotAvailableAnswerNode();
    runtime::Collection& notAvailableFor(Exception e);

    // The form's own rules object; raises 91 while the form is not loaded.
    FormRules& rules();

    void ResetExceptionListView();
    void MoveControlsUp();

    // Commit, cancel and pending changes -------------------------------------------------------
    int AskToSaveChanges();
    void EndExceptionsEdit(bool TurnOff);
    void cmdOK_Click();
    void cmdApply_Click();
    void cmdCancel_Click();
    void cmbXStyle_Click();
    void txtDescription_GotFocus();
    void txtDescription_Change();
    void txtDial_GotFocus();
    void txtDial_Change();

    // Exceptions list and pickers --------------------------------------------------------------
    void cmdExceptionsEdit_Click();
    void cmdExceptionsDefault_Click();
    void LVExceptions_ItemClick(ListItem& Item);
    void LVExceptions_Click();
    void LVExceptions_MouseUp(int Button, int Shift, int x, int y);
    long ExceptionListWindowProc(std::intptr_t hw, unsigned uMsg, long wParam, long lParam);
    // The availability test of each exception (IsHoldNodeAvailable and its twins): false when
    // the type is in the exception's not-available collection, letter case ignored.
    bool isNodeAvailable(Exception e, const std::string& NodeName);
    // cmb<Name>Node_Click, cmb<Name>Number_Click and cmb<Name>Number_Change of each exception.
    void NodePicker_Click(Exception e);
    void NumberPicker_Click(Exception e);
    void NumberPicker_Change(Exception e);
    ComboBox& nodePicker(Exception e) { return *pickers_[static_cast<std::size_t>(e)].node; }
    ComboBox& numberPicker(Exception e) { return *pickers_[static_cast<std::size_t>(e)].number; }
    // Whether the edit-mode flag of cmdExceptionsEdit_Click is on.
    bool editModeFlag() const noexcept { return editModeFlag_ != 0; }

    // Record navigation -----------------------------------------------------------------------
    void cmdFirst_Click();
    void cmdPrevious_Click();
    void cmdNext_Click();
    void cmdLast_Click();
    void cmbNode_Click();

    // Controls --------------------------------------------------------------------------------
    Frame Frame1{"Frame1"};
    CommandButton cmdFirst{"cmdFirst"};
    CommandButton cmdPrevious{"cmdPrevious"};
    ComboBox cmbNode{"cmbNode", ComboStyle::DropDownList};
    Label lblRecordPosition{"lblRecordPosition"};
    CommandButton cmdNext{"cmdNext"};
    CommandButton cmdLast{"cmdLast"};
    Label lblLabel{"lblLabel"};
    TextBox txtDescription{"txtDescription"};
    Label lblDial{"lblDial"};
    TextBox txtDial{"txtDial"};
    Label lblXStyle{"lblXStyle"};
    ComboBox cmbXStyle{"cmbXStyle", ComboStyle::DropDownList};
    TextBox txtXStyleDescription{"txtXStyleDescription"};
    Frame fraExceptions{"fraExceptions"};
    ListView LVExceptions{"LVExceptions"};
    ComboBox cmbHoldNode{"cmbHoldNode", ComboStyle::DropDownList};
    ComboBox cmbHoldNumber{"cmbHoldNumber", ComboStyle::DropDownCombo};
    ComboBox cmbMOHNode{"cmbMOHNode", ComboStyle::DropDownList};
    ComboBox cmbMOHNumber{"cmbMOHNumber", ComboStyle::DropDownCombo};
    ComboBox cmbBusy1Node{"cmbBusy1Node", ComboStyle::DropDownList};
    ComboBox cmbBusy1Number{"cmbBusy1Number", ComboStyle::DropDownCombo};
    ComboBox cmbBusy2Node{"cmbBusy2Node", ComboStyle::DropDownList};
    ComboBox cmbBusy2Number{"cmbBusy2Number", ComboStyle::DropDownCombo};
    ComboBox cmbNoAnswerNode{"cmbNoAnswerNode", ComboStyle::DropDownList};
    ComboBox cmbNoAnswerNumber{"cmbNoAnswerNumber", ComboStyle::DropDownCombo};
    ComboBox cmbAnswerNode{"cmbAnswerNode", ComboStyle::DropDownList};
    ComboBox cmbAnswerNumber{"cmbAnswerNumber", ComboStyle::DropDownCombo};
    CommandButton cmdExceptionsEdit{"cmdExceptionsEdit"};
    CommandButton cmdExceptionsDefault{"cmdExceptionsDefault"};
    CommandButton cmdOK{"cmdOK"};
    CommandButton cmdCancel{"cmdCancel"};
    CommandButton cmdApply{"cmdApply"};
    StatusBar StatusBar1{"StatusBar1"};
    ImageList ImageList1{"ImageList1"};
    ListBox lstNodeTypeName{"lstNodeTypeName"};
    ListBox lstNodeTypeID{"lstNodeTypeID"};
    ListBox lstNodeNumber{"lstNodeNumber"};

    platform::Platform& Platform() noexcept { return platform_; }

    // Hides the twelve exception pickers.
    void hideAllPickers();
    // The information that the partition allows no node of a type ("STYLE", "MSG").
    void showNotAvailable(const std::string& nodeName);

  private:
    struct PickerPair {
        ComboBox* node;
        ComboBox* number;
    };

    void design();
    void wireEvents();
    // The form's own rules object and the list's window procedure, made as the form loads.
    void onLoad();
    // Asks about pending changes; false when the user cancels, and the form stays.
    bool mayUnload();
    // Releases what onLoad made.
    void onUnload();
    // OK's and Apply's save: the dial and label checks, then SaveChanges. False when refused.
    bool saveIfValid();
    // The label check through the validator component; shows the rejection message.
    bool labelAccepted();
    void navigate(const char* procedure, long (*target)(long index, long count));

    platform::Platform platform_;
    FormRulesFactory makeRules_;
    std::unique_ptr<FormRules> rules_;
    ListView::WindowProc previousWindowProc_;

    std::int16_t configID_ = 0;
    std::int16_t partitionID_ = 0;
    std::int16_t nodeNumber_ = 0;
    std::array<std::unique_ptr<runtime::Collection>, 8> collections_;
    std::array<PickerPair, 6> pickers_;
    std::int16_t editModeFlag_ = 0;  // outlives an unload: it is the form's, not one loading's
};

}  // namespace xfer::editor
