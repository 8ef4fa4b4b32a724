#pragma once
// The desktop window with nobody in front of it, for measuring what a person waits for: the
// form is shown as the desktop shows it, and every step returns once its frame is painted.
// No Qt types: a benchmark drives it inside RunDesktop.

#include <chrono>
#include <functional>
#include <string>

#include "platform/window_system.h"

namespace xfer::editor {
class FormBase;
}

namespace xfer::desktop {

class PaintedWindow {
  public:
    virtual ~PaintedWindow() = default;
    // Presses the named button as a mouse click does; true once what changed was painted.
    virtual bool press(const std::string& button) = 0;
};

// Shows the form, paints its first frame, runs the session on the shown window, then closes
// the form with the window's close box.
class PaintedWindowSystem final : public platform::WindowSystem {
  public:
    using Session = std::function<void(editor::FormBase&, PaintedWindow&)>;
    void setSession(Session session) { session_ = std::move(session); }

    // When the last window shown painted its first frame; painted() is false if it did not.
    std::chrono::steady_clock::time_point firstFrame() const noexcept { return firstFrame_; }
    bool painted() const noexcept { return painted_; }

    void showModal(platform::Window& window) override;
    void repaint() override;

  private:
    Session session_;
    std::chrono::steady_clock::time_point firstFrame_{};
    bool painted_ = false;
};

}  // namespace xfer::desktop
