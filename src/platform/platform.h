#pragma once
// The bundle of platform seams handed to the component, and the services that own one
// implementation of each. Services are built complete: a host chooses every seam when it
// builds them (the parts it leaves empty take the machine's defaults) and none is swapped
// afterwards.

#include <memory>

#include "platform/components.h"
#include "platform/host_settings.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/window_system.h"

namespace xfer::platform {

struct Platform {
    Shell& shell;
    Registry& registry;
    FileSystem& fileSystem;
    MessageBoxes& messageBoxes;
    MousePointer& mousePointer;
    ComponentFactory& components;
    WindowSystem& windows;
    HostSettings& settings;
};

// The seams a host chooses; an empty one takes the machine's default: the environment's shell
// folder, the machine's registry file, the real file system, boxes and prompts on stderr, a
// recorded pointer, the default components, a window system without a display and the
// process environment with no host options.
struct PlatformParts {
    std::unique_ptr<Shell> shell;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<MessageBoxes> messageBoxes;
    std::unique_ptr<MousePointer> mousePointer;
    std::unique_ptr<ComponentFactory> components;
    std::unique_ptr<WindowSystem> windows;
    std::unique_ptr<HostSettings> settings;
};

class PlatformServices {
  public:
    explicit PlatformServices(PlatformParts parts = {});
    PlatformServices(PlatformServices&&) noexcept = default;
    PlatformServices& operator=(PlatformServices&&) noexcept = default;

    Platform view() const;

  private:
    PlatformParts parts_;
};

// A factory that knows the label validator and the stderr confirmation dialog.
std::unique_ptr<ComponentFactory> DefaultComponents();

}  // namespace xfer::platform
