#pragma once
// Business_Rules, the component's public class. A host creates it and calls ShowNodeEditor;
// the form creates a second one for its own handlers and reaches it through the rules
// interface it declares. The loaders, the input checks, saving with its reference check and
// node duplication are parts of their own behind this facade.

#include <cstdint>
#include <memory>

#include "editor/form_rules.h"

namespace xfer::data {
class DataBase;
}

namespace xfer::business_rules {

class Component;
class InputChecks;
class NodeDuplicator;
class NodeLoader;
class NodeSaver;

class Business_Rules final : public editor::FormRules {
  public:
    // Creates the DataBase object; its errors (an unusable registry value) propagate.
    explicit Business_Rules(Component& component);
    ~Business_Rules() override;
    Business_Rules(const Business_Rules&) = delete;
    Business_Rules& operator=(const Business_Rules&) = delete;

    // Opens the editor on one XFER node and returns when it has closed. Always false.
    bool ShowNodeEditor(std::int16_t Config_ID, std::int16_t Partition_ID,
                        std::int16_t Node_Number);

    bool IsTemplateNode() const noexcept { return isTemplateNode_; }
    data::DataBase& DataBase() noexcept { return *db_; }

    // What the form's handlers call.
    bool LoadData(std::int16_t Node_Number) override;
    void Get_XStyle_Description(std::int16_t StyleNodeNumber) override;
    void Validate_Input_Dial() override;
    bool Validate_Dial_TextBox() override;
    void Combo_Change(editor::ComboBox& Combo) override;
    void SaveChanges(std::int16_t NodeNumber) override;

  private:
    Component& component_;
    std::unique_ptr<data::DataBase> db_;
    std::unique_ptr<NodeLoader> loader_;
    std::unique_ptr<InputChecks> checks_;
    std::unique_ptr<NodeDuplicator> duplicator_;
    std::unique_ptr<NodeSaver> saver_;
    bool isTemplateNode_ = false;
};

}  // namespace xfer::business_rules
