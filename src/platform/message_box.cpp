#include "platform/message_box.h"

#include <iostream>

namespace xfer::platform {

int DefaultAnswer(int buttons) {
    switch (buttons & mb::kButtonsMask) {
        case mb::kYesNoCancel:
        case mb::kYesNo:
            return answer::kYes;
        default:
            return answer::kOK;
    }
}

int MessageBoxes::ask(const std::string& text, int style, const std::string& title) {
    return show({text, style & mb::kButtonsMask, style & mb::kIconMask, title});
}

int StderrMessageBoxes::show(const MessageBoxRequest& request) {
    std::cerr << "[" << request.title << "] " << request.text << "\n";
    return DefaultAnswer(request.buttons);
}

}  // namespace xfer::platform
