#pragma once
// The one way to open the editor: a host owns complete platform services for its mode, the
// component built on them, and opens XFER nodes as the configuration builder does, through a
// host Business_Rules object and ShowNodeEditor.
//
// Modes differ only in the services they are given: the machine's defaults (no display), the
// desktop's (src/desktop), a scripted session's (session_runner.h), or a test's.

#include <cstdint>
#include <memory>

#include "platform/platform.h"

namespace xfer::business_rules {
class Component;
}
namespace xfer::editor {
class GUI;
}
namespace xfer::data {
class SharedSessions;
}

namespace xfer::host {

class EditorHost {
  public:
    // The host shares one server session per database among its connections.
    explicit EditorHost(platform::PlatformServices services = platform::PlatformServices());
    // Every connection of the host opens through `sessions` (a preview's, for instance).
    EditorHost(platform::PlatformServices services, std::unique_ptr<data::SharedSessions> sessions);
    ~EditorHost();
    EditorHost(const EditorHost&) = delete;
    EditorHost& operator=(const EditorHost&) = delete;

    // ShowNodeEditor on a new host Business_Rules object: returns when the editor has closed,
    // with ShowNodeEditor's result (always false). Errors creating the object (an unusable
    // registry value) propagate.
    bool open(std::int16_t config, std::int16_t partition, std::int16_t node);

    platform::Platform platform() const { return services_.view(); }
    // The sessions that every DataBase of this host shares: the component's, and any the
    // host makes for itself.
    data::SharedSessions& sessions() noexcept { return *sessions_; }
    business_rules::Component& component() noexcept { return *component_; }
    // The component's form, loaded or not.
    editor::GUI& form() noexcept;

  private:
    platform::PlatformServices services_;
    std::unique_ptr<data::SharedSessions> sessions_;
    std::unique_ptr<business_rules::Component> component_;
};

}  // namespace xfer::host
