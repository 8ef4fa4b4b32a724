#include "host/session_window_system.h"

#include "editor/controls/user_actions.h"
#include "editor/gui.h"

namespace xfer::host {

void SessionWindowSystem::showModal(platform::Window& window) {
    ++shown_;
    leftOpen_ = false;
    auto& form = dynamic_cast<editor::GUI&>(window);
    editor::UserActions user(form);
    if (session_)
        session_(form, user);
    if (form.isLoaded())
        form.closeBox();
    leftOpen_ = form.isLoaded();
}

}  // namespace xfer::host
