#pragma once
// What the form's event handlers ask of their rules object: the few operations they call.
// The form creates one such object when it loads (through the factory it was given) and
// releases it when it unloads; the business rules implement it.

#include <cstdint>
#include <functional>
#include <memory>

namespace xfer::editor {

class ComboBox;

class FormRules {
  public:
    virtual ~FormRules() = default;

    // Loads another XFER node of the form's partition into the form; true when it was found.
    virtual bool LoadData(std::int16_t Node_Number) = 0;
    // Shows the label of a STYLE node in txtXStyleDescription.
    virtual void Get_XStyle_Description(std::int16_t StyleNodeNumber) = 0;
    // Filters the dial string after each change of txtDial.
    virtual void Validate_Input_Dial() = 0;
    // Checks the dial string before it is saved; false (after telling the user) when it may not.
    virtual bool Validate_Dial_TextBox() = 0;
    // Keeps a number picker's text inside the range of its entries.
    virtual void Combo_Change(ComboBox& Combo) = 0;
    // Writes the node shown in the form, after the reference check.
    virtual void SaveChanges(std::int16_t NodeNumber) = 0;
};

// Creates the form's rules object; its errors propagate to the form's load handling.
using FormRulesFactory = std::function<std::unique_ptr<FormRules>()>;

}  // namespace xfer::editor
