#pragma once
// The component: its platform seams and its one form. Every Business_Rules object of the
// component reaches the same form through it.

#include <memory>

#include "platform/platform.h"

namespace xfer::editor {
class GUI;
}
namespace xfer::data {
class SharedSessions;
}

namespace xfer::business_rules {

class Component {
  public:
    // `sessions` is the host's (data/shared_sessions.h): every Business_Rules object of the
    // component opens its database through it.
    Component(platform::Platform platform, data::SharedSessions& sessions);
    ~Component();
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;

    platform::Platform& platform() noexcept { return platform_; }
    data::SharedSessions& sessions() noexcept { return sessions_; }
    // The form object, loaded or not.
    editor::GUI& gui() noexcept { return *gui_; }
    // The form, loaded first when it is not: whatever uses the form finds it loaded.
    editor::GUI& loadedGui();

  private:
    platform::Platform platform_;
    data::SharedSessions& sessions_;
    std::unique_ptr<editor::GUI> gui_;
};

}  // namespace xfer::business_rules
