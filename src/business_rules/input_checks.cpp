// The checks on what the user types: the dial string and the exception number pickers.

#include <cctype>
#include <string>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "editor/gui.h"
#include "platform/error_trap.h"
#include "runtime/text.h"

namespace xfer::business_rules {

namespace {
constexpr std::size_t kDialLimit = 31;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}
bool IsDialSymbol(char c) {
    return c == ',' || c == '!' || c == '#' || c == '*';
}
bool IsAutoLetter(char c) {
    const char u = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u == 'A' || u == 'U' || u == 'T' || u == 'O';
}
}  // namespace

void Business_Rules::Validate_Input_Dial() {
    platform::Trap(Platform().messageBoxes, "Validate_Input_Dial", [&] {
        editor::TextBox& dial = Form().txtDial;
        const std::size_t length = dial.Text().size();
        dial.setSelStart(static_cast<int>(length));
        // Upper-casing changes the text, which runs this check again on the upper-case text;
        // the second pass changes nothing more, so the recursion ends there.
        dial.setText(runtime::UCase(dial.Text()));
        if (length > kDialLimit) {
            dial.setText(LastValidDial);
            return;
        }
        const std::string text = dial.Text();
        for (const char c : text) {
            if (!IsDigit(c) && !IsDialSymbol(c) && !IsAutoLetter(c)) {
                dial.setText(LastValidDial);
                return;
            }
        }
        LastValidDial = text;
    });
}

bool Business_Rules::Validate_Dial_TextBox() {
    bool result = true;
    platform::Trap(Platform().messageBoxes, "Validate_Dial_TextBox", [&] {
        editor::TextBox& dial = Form().txtDial;
        const std::string text = dial.Text();
        const int length = static_cast<int>(text.size());
        bool valid = true;
        if (runtime::UCase(text).find("AUTO") != std::string::npos) {
            // With the keyword present only a repeated keyword letter is refused.
            valid = length <= 4 || !IsAutoLetterRepeated();
        } else {
            for (const char c : text) {
                if (!IsDigit(c) && !IsDialSymbol(c)) {
                    valid = false;
                    break;
                }
            }
        }
        if (valid)
            return;
        result = false;
        Platform().messageBoxes.MsgBox(text + " is Invalid Data",
                                       platform::mb::kOKOnly | platform::mb::kInformation,
                                       "Information");
        dial.setSelStart(0);
        dial.setSelLength(length);
        dial.SetFocus();
    });
    return result;
}

bool Business_Rules::IsAutoLetterRepeated() {
    const std::string text = Form().txtDial.Text();
    for (const char* letter : {"A", "U", "T", "O"}) {
        if (CountOccurrences(letter, text) >= 2)
            return true;
    }
    return false;
}

std::int16_t Business_Rules::CountOccurrences(const std::string& Search, const std::string& Text) {
    if (Search.empty())
        return 0;
    const std::string search = runtime::UCase(Search);
    const std::string text = runtime::UCase(Text);
    std::int16_t count = 0;
    // Each search starts one character after the last find, so finds may overlap.
    for (auto at = text.find(search); at != std::string::npos; at = text.find(search, at + 1)) {
        ++count;
    }
    return count;
}

void Business_Rules::Combo_Change(editor::ComboBox& Combo) {
    platform::Trap(Platform().messageBoxes, "Combo_Change", [&] {
        const auto entry = [&](long index) {
            return runtime::Variant(Combo.List(index)).toInt32();
        };
        const std::string text = Combo.Text();
        long value = 0;
        for (const char c : text) {
            if (!IsDigit(c))
                break;
            const long digit = c - '0';
            value = value * 10 + digit;
            if (value > entry(Combo.ListCount() - 1) || value < entry(0)) {
                value = (value - digit) / 10;  // the digit would leave the range: take it back
                break;
            }
        }
        if (value == 0)
            value = entry(0);
        Combo.setText(std::to_string(value));
        Combo.setSelStart(static_cast<int>(Combo.Text().size()));
    });
}

}  // namespace xfer::business_rules
