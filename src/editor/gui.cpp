// The form's design, lifecycle, properties and collections.

#include "editor/gui.h"

#include "platform/error_trap.h"
#include "runtime/error.h"

namespace xfer::editor {

namespace {
enum CollectionSlot {
    kNodeName,
    kNodeTypeID,
    kMaxNodeNumber,
    kNotAvailableHold,
    kNotAvailableMOH,
    kNotAvailableBusy,
    kNotAvailableNoAnswer,
    kNotAvailableAnswer
};
}  // namespace

GUI::GUI(platform::Platform platform, FormRulesFactory makeRules)
    : FormBase("XFER Node Editor", kClientWidth, kClientHeight),
      platform_(platform),
      makeRules_(std::move(makeRules)) {
    pickers_ = {{{&cmbHoldNode, &cmbHoldNumber},
                 {&cmbMOHNode, &cmbMOHNumber},
                 {&cmbBusy1Node, &cmbBusy1Number},
                 {&cmbBusy2Node, &cmbBusy2Number},
                 {&cmbNoAnswerNode, &cmbNoAnswerNumber},
                 {&cmbAnswerNode, &cmbAnswerNumber}}};
    design();
    wireEvents();
    for (Control* c : controls())
        c->captureDesign();
}

GUI::~GUI() = default;

void GUI::design() {
    // The order controls are placed in is the tab order: label, dial, style, the exceptions,
    // the three buttons, then navigation.
    auto place = [&](Control& c, Frame* container, int left, int top, int width, int height) {
        registerControl(c);
        c.setContainer(container);
        c.Move(left, top, width, height);
    };

    place(Frame1, nullptr, 30, 30, 4905, 5385);
    Frame1.setBorder(false);
    place(lblLabel, &Frame1, 120, 570, 435, 195);
    lblLabel.setCaption("Label:");
    place(txtDescription, &Frame1, 690, 540, 2565, 315);
    txtDescription.setMaxLength(30);
    place(lblDial, &Frame1, 120, 1020, 345, 195);
    lblDial.setCaption("Dial:");
    place(txtDial, &Frame1, 690, 990, 2565, 315);
    txtDial.setMaxLength(31);
    place(lblXStyle, &Frame1, 120, 1470, 585, 225);
    lblXStyle.setCaption("Style:");
    place(cmbXStyle, &Frame1, 690, 1440, 1065, 315);
    place(txtXStyleDescription, &Frame1, 1800, 1440, 2565, 315);
    txtXStyleDescription.setEnabled(false);

    place(fraExceptions, &Frame1, 60, 1950, 4695, 2835);
    fraExceptions.setCaption("Exceptions");
    fraExceptions.setFont("Tahoma", 8.25, true);
    place(LVExceptions, &fraExceptions, 120, 240, 4455, 2085);
    constexpr int kPickerTops[] = {360, 690, 1020, 1350, 1680, 2010};
    for (std::size_t i = 0; i < pickers_.size(); ++i) {
        place(*pickers_[i].node, &fraExceptions, 1200, kPickerTops[i], 975, 315);
        place(*pickers_[i].number, &fraExceptions, 2160, kPickerTops[i], 700, 315);
    }
    place(cmdExceptionsEdit, &fraExceptions, 2760, 2430, 855, 255);
    cmdExceptionsEdit.setCaption("Edit");
    place(cmdExceptionsDefault, &fraExceptions, 3720, 2430, 855, 255);
    cmdExceptionsDefault.setCaption("Default");

    place(cmdOK, &Frame1, 630, 4890, 855, 375);
    cmdOK.setCaption("OK");
    cmdOK.setDefault(true);
    place(cmdCancel, &Frame1, 1980, 4890, 855, 375);
    cmdCancel.setCaption("Cancel");
    cmdCancel.setCancel(true);
    place(cmdApply, &Frame1, 3300, 4890, 855, 372);
    cmdApply.setCaption("Apply");
    cmdApply.setEnabled(false);

    place(cmdFirst, &Frame1, 720, 90, 375, 315);
    cmdFirst.setSymbol("first");
    place(cmdPrevious, &Frame1, 1095, 90, 375, 315);
    cmdPrevious.setSymbol("previous");
    place(cmbNode, &Frame1, 1470, 90, 1095, 315);
    place(lblRecordPosition, &Frame1, 2550, 90, 855, 315);
    lblRecordPosition.setCaption("n/m");
    place(cmdNext, &Frame1, 3420, 90, 375, 315);
    cmdNext.setSymbol("next");
    place(cmdLast, &Frame1, 3795, 90, 375, 315);
    cmdLast.setSymbol("last");
    for (CommandButton* b : {&cmdFirst, &cmdPrevious, &cmdNext, &cmdLast}) {
        b->setFont("MS Sans Serif", 8.25);
    }

    constexpr int kStatusBarHeight = 315;
    place(StatusBar1, nullptr, 0, kClientHeight - kStatusBarHeight, kClientWidth, kStatusBarHeight);
    place(ImageList1, nullptr, 0, 0, 0, 0);
    ImageList1.AddImage("exception");
    for (ListBox* l : {&lstNodeTypeName, &lstNodeTypeID, &lstNodeNumber}) {
        place(*l, nullptr, 120, kClientHeight + 600, 1200, 255);
        l->setVisible(false);
    }
}

void GUI::wireEvents() {
    cmdOK.Click = [this] { cmdOK_Click(); };
    cmdApply.Click = [this] { cmdApply_Click(); };
    cmdCancel.Click = [this] { cmdCancel_Click(); };
    cmbXStyle.Click = [this] { cmbXStyle_Click(); };
    txtDescription.GotFocus = [this] { txtDescription_GotFocus(); };
    txtDescription.Change = [this] { txtDescription_Change(); };
    txtDial.GotFocus = [this] { txtDial_GotFocus(); };
    txtDial.Change = [this] { txtDial_Change(); };
    cmdExceptionsEdit.Click = [this] { cmdExceptionsEdit_Click(); };
    cmdExceptionsDefault.Click = [this] { cmdExceptionsDefault_Click(); };
    LVExceptions.ItemClick = [this](ListItem& item) { LVExceptions_ItemClick(item); };
    LVExceptions.Click = [this] { LVExceptions_Click(); };
    LVExceptions.MouseUp = [this](int b, int s, int x, int y) { LVExceptions_MouseUp(b, s, x, y); };
    for (const auto& e : kExceptions) {
        nodePicker(e.id).Click = [this, id = e.id] { NodePicker_Click(id); };
        numberPicker(e.id).Click = [this, id = e.id] { NumberPicker_Click(id); };
        numberPicker(e.id).Change = [this, id = e.id] { NumberPicker_Change(id); };
    }
    cmdFirst.Click = [this] { cmdFirst_Click(); };
    cmdPrevious.Click = [this] { cmdPrevious_Click(); };
    cmdNext.Click = [this] { cmdNext_Click(); };
    cmdLast.Click = [this] { cmdLast_Click(); };
    cmbNode.Click = [this] { cmbNode_Click(); };
}

// Lifecycle ------------------------------------------------------------------------------------

void GUI::Load() {
    if (isLoaded())
        return;
    onLoad();
    setLoaded(true);
}

void GUI::onLoad() {
    rules_ = makeRules_();
    previousWindowProc_ =
        LVExceptions.setWindowProc([this](std::intptr_t hw, unsigned msg, long w, long l) {
            return ExceptionListWindowProc(hw, msg, w, l);
        });
    StatusBar1.setPanelWidth(1, ClientWidth() - 100);
    StatusBar1.setVisible(false);
}

bool GUI::Unload() {
    if (!isLoaded())
        return true;
    if (!mayUnload())
        return false;
    onUnload();
    clearFocus();
    for (Control* c : controls())
        c->restoreDesign();
    setClientHeight(kClientHeight);
    setShown(false);
    setLoaded(false);
    return true;
}

bool GUI::mayUnload() {
    return AskToSaveChanges() != platform::answer::kCancel;
}

void GUI::onUnload() {
    rules_.reset();
    LVExceptions.setWindowProc(std::move(previousWindowProc_));
    previousWindowProc_ = nullptr;
}

void GUI::showModal() {
    setShown(true);
    Platform().windows.showModal(*this);
}

void GUI::closeBox() {
    // The unload handling has no trap of its own; a failure here keeps the form open with
    // everything in it, and says why.
    platform::Trap(Platform().messageBoxes, "closeBox", [&] { Unload(); });
}

FormRules& GUI::rules() {
    if (!rules_)
        runtime::RaiseRuntime(runtime::err::kObjectNotSet);
    return *rules_;
}

// Collections ----------------------------------------------------------------------------------

void GUI::SetNewCollection() {
    for (auto& c : collections_)
        c = std::make_unique<runtime::Collection>();
}

void GUI::FreeCollection() {
    for (auto& c : collections_)
        c.reset();
}

namespace {
runtime::Collection& Existing(std::unique_ptr<runtime::Collection>& c) {
    if (!c)
        runtime::RaiseRuntime(runtime::err::kObjectNotSet);
    return *c;
}
}  // namespace

runtime::Collection& GUI::NodeNameCollection() {
    return Existing(collections_[kNodeName]);
}
runtime::Collection& GUI::NodeTypeIDCollection() {
    return Existing(collections_[kNodeTypeID]);
}
runtime::Collection& GUI::MaxNodeNumberCollection() {
    return Existing(collections_[kMaxNodeNumber]);
}
runtime::Collection& GUI::NotAvailableHoldNode() {
    return Existing(collections_[kNotAvailableHold]);
}
runtime::Collection& GUI::NotAvailableMOHNode() {
    return Existing(collections_[kNotAvailableMOH]);
}
runtime::Collection& GUI::NotAvailableBusyNode() {
    return Existing(collections_[kNotAvailableBusy]);
}
runtime::Collection& GUI::NotAvailableNoAnswerNode() {
    return Existing(collections_[kNotAvailableNoAnswer]);
}
runtime::Collection& GUI::NotAvailableAnswerNode() {
    return Existing(collections_[kNotAvailableAnswer]);
}

runtime::Collection& GUI::notAvailableFor(Exception e) {
    switch (e) {
        case Exception::Hold:
            return NotAvailableHoldNode();
        case Exception::MOH:
            return NotAvailableMOHNode();
        case Exception::Busy1:
        case Exception::Busy2:
            return NotAvailableBusyNode();
        case Exception::NoAnswer:
            return NotAvailableNoAnswerNode();
        case Exception::Answer:
            break;
    }
    return NotAvailableAnswerNode();
}

// Layout ---------------------------------------------------------------------------------------

void GUI::ResetExceptionListView() {
    platform::Trap(Platform().messageBoxes, "ResetExceptionListView", [&] {
        LVExceptions.LabelEditManual = true;
        LVExceptions.FullRowSelect = true;
        LVExceptions.GridLines = true;
        LVExceptions.ReportView = true;
        LVExceptions.MultiSelect = true;
        LVExceptions.ClearColumns();
        LVExceptions.AddColumn("#", 0);
        LVExceptions.AddColumn("", 1100);
        LVExceptions.AddColumn("Command/Node", 1600);
        LVExceptions.AddColumn("Label", 1600);
        LVExceptions.AddColumn("NodeName", 0);
        LVExceptions.AddColumn("NodeTypeID", 0);
        LVExceptions.AddColumn("NodeNumber", 0);
        LVExceptions.setSmallIcons(&ImageList1);
    });
}

void GUI::MoveControlsUp() {
    platform::Trap(Platform().messageBoxes, "MoveControlsUp", [&] {
        const int oldTop = lblLabel.Top();
        lblLabel.setTop(cmdFirst.Top());
        const int distance = oldTop - lblLabel.Top();
        txtDescription.setTop(lblLabel.Top());
        lblDial.setTop(lblDial.Top() - distance);
        txtDial.setTop(lblDial.Top());
        lblXStyle.setTop(lblXStyle.Top() - distance);
        cmbXStyle.setTop(lblXStyle.Top());
        txtXStyleDescription.setTop(lblXStyle.Top());
        for (Control* c :
             std::initializer_list<Control*>{&fraExceptions, &cmdOK, &cmdCancel, &cmdApply}) {
            c->setTop(c->Top() - distance);
        }
        // The status bar sits on the form's bottom edge and goes up with it.
        StatusBar1.setTop(StatusBar1.Top() - distance);
        setClientHeight(ClientHeight() - distance);
    });
}

void GUI::hideAllPickers() {
    for (const auto& e : kExceptions) {
        nodePicker(e.id).setVisible(false);
        numberPicker(e.id).setVisible(false);
    }
}

}  // namespace xfer::editor
