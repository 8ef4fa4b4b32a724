#pragma once
// Business_Rules, the component's public class. A host creates it and calls ShowNodeEditor;
// the form creates a second one for its own handlers. Everything else here is internal: the
// loaders, the input checks, saving, the reference check and node duplication.

#include <cstdint>
#include <memory>
#include <string>

#include "data/database.h"

namespace xfer::editor {
class ComboBox;
class GUI;
}  // namespace xfer::editor

namespace xfer::business_rules {

class Component;

class Business_Rules {
  public:
    // Creates the DataBase object; its errors (an unusable registry value) propagate.
    explicit Business_Rules(Component& component);
    ~Business_Rules();
    Business_Rules(const Business_Rules&) = delete;
    Business_Rules& operator=(const Business_Rules&) = delete;

    // Opens the editor on one XFER node and returns when it has closed. Always false.
    bool ShowNodeEditor(std::int16_t Config_ID, std::int16_t Partition_ID,
                        std::int16_t Node_Number);

    bool IsTemplateNode() const noexcept { return isTemplateNode_; }
    data::DataBase& DataBase() noexcept { return *db_; }

    // Opening ---------------------------------------------------------------------------------
    void HideExceptionPickers();
    void LoadNodeNameAndNodeTypeID();
    void LoadXStyle();
    void Get_XStyle_Description(const std::int16_t& StyleNodeNumber);
    void LoadHoldNode();
    void LoadMOHNode();
    void LoadBusy1Busy2Node();
    void LoadNoAnswerNode();
    void LoadAnswerNode();
    void LoadExistingNodesInRecordSelector(std::int16_t Node_Number);
    void LoadData(std::int16_t Node_Number, bool& NodeLoaded);

    // Input checks ----------------------------------------------------------------------------
    std::string LastValidDial;
    void Validate_Input_Dial();
    bool Validate_Dial_TextBox();
    bool IsAutoLetterRepeated();
    std::int16_t CountOccurrences(const std::string& Search, const std::string& Text);
    void Combo_Change(editor::ComboBox& Combo);

    // Saving ----------------------------------------------------------------------------------
    void SaveChanges(std::int16_t NodeNumber);
    void CheckForUnReferencedNodes();
    void AddNodeTolstRequired(std::string NodeName, std::string NodeTypeID, std::string NodeNumber);
    bool NodeExisted(std::string NodeTypeID, const std::string& NodeNumber);
    void DuplicateNode(const std::string& SourceNodeNumber, const std::string& DestNodeNumber,
                       std::string NodeTypeID);

  private:
    struct TargetLoader;
    void LoadExceptionTargets(const TargetLoader& loader);
    editor::GUI& Form();  // the component's form, loaded when it is not
    platform::Platform& Platform();

    Component& component_;
    std::unique_ptr<data::DataBase> db_;
    bool isTemplateNode_ = false;
};

}  // namespace xfer::business_rules
