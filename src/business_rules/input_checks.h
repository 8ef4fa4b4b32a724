#pragma once
// The input checks the form runs on its rules object: they read and write the form's dial box
// and number pickers, and keep the last dial string that passed the filter.

#include <string>

#include "business_rules/rules_context.h"

namespace xfer::business_rules {

class InputChecks {
  public:
    explicit InputChecks(RulesContext context) : ctx_(context) {}

    void Validate_Input_Dial();
    bool Validate_Dial_TextBox();
    void Combo_Change(editor::ComboBox& Combo);

  private:
    RulesContext ctx_;
    std::string LastValidDial;  // the last dial text that passed the filter; an edit that fails
                                // is replaced by it
};

}  // namespace xfer::business_rules
