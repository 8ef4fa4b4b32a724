#include "business_rules/business_rules.h"

#include "business_rules/component.h"
#include "editor/gui.h"
#include "platform/error_trap.h"

namespace xfer::business_rules {

Business_Rules::Business_Rules(Component& component)
    : component_(component), db_(std::make_unique<data::DataBase>(component.platform())) {}

Business_Rules::~Business_Rules() = default;

platform::Platform& Business_Rules::Platform() {
    return component_.platform();
}

editor::GUI& Business_Rules::Form() {
    editor::GUI& form = component_.gui();
    form.Load();
    return form;
}

bool Business_Rules::ShowNodeEditor(std::int16_t Config_ID, std::int16_t Partition_ID,
                                    std::int16_t Node_Number) {
    platform::Trap(Platform().messageBoxes, "ShowNodeEditor", [&] {
        isTemplateNode_ = Node_Number == 0;
        editor::GUI& form = Form();
        form.SetNewCollection();
        form.setConfigID(Config_ID);
        form.setPartitionID(Partition_ID);
        form.setNodeNumber(Node_Number);
        form.ResetExceptionListView();
        HideExceptionPickers();
        LoadNodeNameAndNodeTypeID();
        LoadXStyle();
        LoadHoldNode();
        LoadMOHNode();
        LoadBusy1Busy2Node();
        LoadNoAnswerNode();
        LoadAnswerNode();
        LoadExistingNodesInRecordSelector(Node_Number);
        bool nodeLoaded = false;
        LoadData(Node_Number, nodeLoaded);
        form.cmdApply.setEnabled(false);
        if (nodeLoaded) {
            form.ShowModal();
        } else {
            form.Unload();
        }
        form.FreeCollection();
    });
    return false;
}

void Business_Rules::HideExceptionPickers() {
    editor::GUI& form = Form();
    for (const auto& e : editor::kExceptions) {
        form.NodePicker(e.id).setVisible(false);
        form.NumberPicker(e.id).setVisible(false);
    }
}

}  // namespace xfer::business_rules
