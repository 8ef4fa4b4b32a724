#include "editor/session_window_system.h"

#include "editor/controls/user_actions.h"
#include "editor/gui.h"

namespace xfer::editor {

void SessionWindowSystem::ShowModal(platform::Window& window) {
    ++shown_;
    leftOpen_ = false;
    auto& form = dynamic_cast<GUI&>(window);
    UserActions user(form);
    if (session_)
        session_(form, user);
    if (form.IsLoaded())
        form.CloseBox();
    leftOpen_ = form.IsLoaded();
}

}  // namespace xfer::editor
