#pragma once
// The platform seams a screen serves, on Qt: message boxes, the busy pointer, the confirmation
// dialog and the modal window system. The classes show no Qt types; a QApplication must exist
// while they are used.

#include "platform/components.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/window_system.h"

namespace xfer::desktop {

// A QMessageBox with the icon, title, text and buttons asked for; answers the button's code.
class QtMessageBoxes final : public platform::MessageBoxes {
  public:
    int show(const platform::MessageBoxRequest& request) override;
};

// The hourglass as the application's override cursor.
class QtMousePointer final : public platform::MousePointer {
  public:
    ~QtMousePointer() override;
    void set(platform::Pointer pointer) override;
    platform::Pointer current() const override { return current_; }

  private:
    platform::Pointer current_ = platform::Pointer::Default;
};

// Create, Create all, Skip and Stop answer 2, 4, 3 and 5; closing the dialog answers 0.
class QtConfirmationDialog final : public platform::ConfirmationDialog {
  public:
    long show(short style, const std::string& prompt, long defaultButton, long buttons,
              const std::string& title) override;
};

// Shows a form as a FormDialog and runs its modal loop until the form has been unloaded.
class QtWindowSystem final : public platform::WindowSystem {
  public:
    void showModal(platform::Window& window) override;
    // Paints what changed, without taking user input, while a long operation runs.
    void repaint() override;
};

}  // namespace xfer::desktop
