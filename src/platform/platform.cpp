#include "platform/platform.h"

namespace xfer::platform {

void RegisterDefaultComponents(ComponentFactory& factory) {
    factory.Register(kValidatorProgId, [] { return std::make_shared<LabelValidator>(); });
    factory.Register(kConfirmationProgId,
                     [] { return std::make_shared<StderrConfirmationDialog>(); });
}

PlatformServices::PlatformServices()
    : shell(std::make_unique<EnvironmentShell>()),
      registry(std::make_unique<HiveRegistry>(LoadRegFile(kDefaultRegistryFile))),
      fileSystem(std::make_unique<StdFileSystem>()),
      messageBoxes(std::make_unique<StderrMessageBoxes>()),
      mousePointer(std::make_unique<RecordingMousePointer>()),
      components(std::make_unique<ComponentFactory>()),
      windows(std::make_unique<HeadlessWindowSystem>()) {
    RegisterDefaultComponents(*components);
}

Platform PlatformServices::view() {
    return Platform{*shell,        *registry,   *fileSystem, *messageBoxes,
                    *mousePointer, *components, *windows};
}

}  // namespace xfer::platform
