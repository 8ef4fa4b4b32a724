// The checks on what the user types: the dial string and the exception number pickers.

#include "business_rules/input_checks.h"

#include <string>

#include "business_rules/input_rules.h"
#include "platform/error_trap.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace xfer::business_rules {

void InputChecks::Validate_Input_Dial() {
    platform::Trap(ctx_.platform().messageBoxes, "Validate_Input_Dial", [&] {
        editor::TextBox& dial = ctx_.form().txtDial;
        const std::string typed = dial.Text();
        dial.setSelStart(static_cast<int>(runtime::utf8::Length(typed)));
        // Upper-casing changes the text, which runs this check again on the upper-case text;
        // the second pass changes nothing more, so the recursion ends there.
        dial.setText(runtime::ToUpper(typed));
        if (!input::PassesDialFilter(typed)) {
            dial.setText(LastValidDial);
            return;
        }
        LastValidDial = dial.Text();
    });
}

bool InputChecks::Validate_Dial_TextBox() {
    bool result = true;
    platform::Trap(ctx_.platform().messageBoxes, "Validate_Dial_TextBox", [&] {
        editor::TextBox& dial = ctx_.form().txtDial;
        const std::string text = dial.Text();
        if (input::IsValidDial(text))
            return;
        result = false;
        ctx_.platform().messageBoxes.ask(text + " is Invalid Data",
                                         platform::mb::kOKOnly | platform::mb::kInformation,
                                         "Information");
        dial.setSelStart(0);
        dial.setSelLength(static_cast<int>(runtime::utf8::Length(text)));
        dial.SetFocus();
    });
    return result;
}

void InputChecks::Combo_Change(editor::ComboBox& Combo) {
    platform::Trap(ctx_.platform().messageBoxes, "Combo_Change", [&] {
        // A picker without entries has no range: reading it fails, and the trap says so.
        const auto entry = [&](long index) {
            return runtime::Variant(Combo.List(index)).toInt32();
        };
        const long first = entry(0);
        const long last = entry(Combo.ListCount() - 1);
        Combo.setText(std::to_string(input::ClampPickerNumber(Combo.Text(), first, last)));
        Combo.setSelStart(static_cast<int>(runtime::utf8::Length(Combo.Text())));
    });
}

}  // namespace xfer::business_rules
