#include "business_rules/business_rules.h"

#include "business_rules/input_checks.h"
#include "business_rules/node_duplicator.h"
#include "business_rules/node_loader.h"
#include "business_rules/node_saver.h"
#include "platform/error_trap.h"

namespace xfer::business_rules {

Business_Rules::Business_Rules(Component& component)
    : component_(component),
      db_(std::make_unique<data::DataBase>(component.platform(), &component.sessions())),
      loader_(std::make_unique<NodeLoader>(RulesContext{component, *db_})),
      checks_(std::make_unique<InputChecks>(RulesContext{component, *db_})),
      duplicator_(std::make_unique<NodeDuplicator>(*db_, component.platform().messageBoxes)),
      saver_(std::make_unique<NodeSaver>(RulesContext{component, *db_}, *duplicator_)) {}

Business_Rules::~Business_Rules() = default;

bool Business_Rules::ShowNodeEditor(std::int16_t Config_ID, std::int16_t Partition_ID,
                                    std::int16_t Node_Number) {
    platform::Trap(component_.platform().messageBoxes, "ShowNodeEditor", [&] {
        isTemplateNode_ = Node_Number == 0;
        editor::GUI& form = component_.loadedGui();
        form.SetNewCollection();
        form.setConfigID(Config_ID);
        form.setPartitionID(Partition_ID);
        form.setNodeNumber(Node_Number);
        form.ResetExceptionListView();
        loader_->HideExceptionPickers();
        bool nodeLoaded = false;
        {
            const data::ForgetsAheadOnExit forgetting(*db_);
            loader_->SendOpeningAhead(Node_Number);
            loader_->LoadNodeNameAndNodeTypeID();
            loader_->LoadXStyle();
            loader_->LoadHoldNode();
            loader_->LoadMOHNode();
            loader_->LoadBusy1Busy2Node();
            loader_->LoadNoAnswerNode();
            loader_->LoadAnswerNode();
            loader_->LoadExistingNodesInRecordSelector(Node_Number, isTemplateNode_);
            nodeLoaded = loader_->LoadData(Node_Number);
        }
        form.cmdApply.setEnabled(false);
        if (nodeLoaded) {
            form.showModal();
        } else {
            form.Unload();
        }
        form.FreeCollection();
    });
    return false;
}

bool Business_Rules::LoadData(std::int16_t Node_Number) {
    return loader_->LoadData(Node_Number);
}

void Business_Rules::Get_XStyle_Description(std::int16_t StyleNodeNumber) {
    loader_->Get_XStyle_Description(StyleNodeNumber);
}

void Business_Rules::Validate_Input_Dial() {
    checks_->Validate_Input_Dial();
}

bool Business_Rules::Validate_Dial_TextBox() {
    return checks_->Validate_Dial_TextBox();
}

void Business_Rules::Combo_Change(editor::ComboBox& Combo) {
    checks_->Combo_Change(Combo);
}

void Business_Rules::SaveChanges(std::int16_t NodeNumber) {
    saver_->SaveChanges(NodeNumber);
}

}  // namespace xfer::business_rules
