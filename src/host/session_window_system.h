#pragma once
// A window system without a display: the modal show runs a user session (a function acting on
// the form through UserActions), then closes the window with its close box if the session did
// not close it. The scripted sessions run on it, and so do the tests and the benchmarks.

#include <functional>

#include "platform/window_system.h"

namespace xfer::editor {
class GUI;
class UserActions;
}  // namespace xfer::editor

namespace xfer::host {

class SessionWindowSystem final : public platform::WindowSystem {
  public:
    using Session = std::function<void(editor::GUI& form, editor::UserActions& user)>;

    void setSession(Session session) { session_ = std::move(session); }
    void showModal(platform::Window& window) override;

    int shownCount() const noexcept { return shown_; }
    // True when the form was still loaded after its close box was pressed.
    bool leftOpen() const noexcept { return leftOpen_; }

  private:
    Session session_;
    int shown_ = 0;
    bool leftOpen_ = false;
};

}  // namespace xfer::host
