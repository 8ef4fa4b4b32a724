#pragma once
// The bundle of platform seams handed to the component: the process-wide defaults for a host,
// explicit ones in tests and in the desktop build.

#include <memory>

#include "platform/components.h"
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
};

// Owns one implementation of every seam. The defaults: the environment's shell folder, the
// machine's registry file, the real file system, boxes and prompts on stderr, a recorded
// pointer, the label validator and a headless window system. Each may be replaced.
class PlatformServices {
  public:
    PlatformServices();

    Platform view();

    std::unique_ptr<Shell> shell;
    std::unique_ptr<Registry> registry;
    std::unique_ptr<FileSystem> fileSystem;
    std::unique_ptr<MessageBoxes> messageBoxes;
    std::unique_ptr<MousePointer> mousePointer;
    std::unique_ptr<ComponentFactory> components;
    std::unique_ptr<WindowSystem> windows;
};

// Registers the label validator and the stderr confirmation dialog.
void RegisterDefaultComponents(ComponentFactory& factory);

}  // namespace xfer::platform
