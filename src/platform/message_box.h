#pragma once
// The message-box seam: text, buttons, icon and title in, the answer code out.

#include <string>

namespace xfer::platform {

// Button sets and icons, added together into the one style value a box is asked with.
namespace mb {
inline constexpr int kOKOnly = 0;
inline constexpr int kOKCancel = 1;
inline constexpr int kYesNoCancel = 3;
inline constexpr int kYesNo = 4;
inline constexpr int kCritical = 16;
inline constexpr int kQuestion = 32;
inline constexpr int kExclamation = 48;
inline constexpr int kInformation = 64;
inline constexpr int kButtonsMask = 0x0F;
inline constexpr int kIconMask = 0x70;
}  // namespace mb

// Answer codes.
namespace answer {
inline constexpr int kOK = 1;
inline constexpr int kCancel = 2;
inline constexpr int kYes = 6;
inline constexpr int kNo = 7;
}  // namespace answer

struct MessageBoxRequest {
    std::string text;
    int buttons = mb::kOKOnly;
    int icon = 0;
    std::string title;
    bool operator==(const MessageBoxRequest&) const = default;
};

// The answer a box gives when nobody chooses: its first button.
int DefaultAnswer(int buttons);

class MessageBoxes {
  public:
    virtual ~MessageBoxes() = default;
    // Shows the box and returns the button the person chose.
    virtual int show(const MessageBoxRequest& request) = 0;

    // Shows a box whose style is its buttons plus its icon (mb::kYesNo | mb::kQuestion), and
    // returns the answer.
    int ask(const std::string& text, int style, const std::string& title);
};

// Writes each box to stderr and answers its first button: for hosts without a display.
class StderrMessageBoxes final : public MessageBoxes {
  public:
    int show(const MessageBoxRequest& request) override;
};

}  // namespace xfer::platform
