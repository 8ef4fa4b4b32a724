#include "platform/platform.h"

namespace xfer::platform {

std::unique_ptr<ComponentFactory> DefaultComponents() {
    auto factory = std::make_unique<ComponentFactory>();
    factory->registerComponent(kValidatorProgId, [] { return std::make_shared<LabelValidator>(); });
    factory->registerComponent(kConfirmationProgId,
                               [] { return std::make_shared<StderrConfirmationDialog>(); });
    return factory;
}

namespace {
template <typename T, typename Make>
void Default(std::unique_ptr<T>& part, Make&& make) {
    if (!part)
        part = make();
}
}  // namespace

PlatformServices::PlatformServices(PlatformParts parts) : parts_(std::move(parts)) {
    Default(parts_.shell, [] { return std::make_unique<EnvironmentShell>(); });
    Default(parts_.registry,
            [] { return std::make_unique<HiveRegistry>(LoadRegFile(kDefaultRegistryFile)); });
    Default(parts_.fileSystem, [] { return std::make_unique<StdFileSystem>(); });
    Default(parts_.messageBoxes, [] { return std::make_unique<StderrMessageBoxes>(); });
    Default(parts_.mousePointer, [] { return std::make_unique<RecordingMousePointer>(); });
    Default(parts_.components, [] { return DefaultComponents(); });
    Default(parts_.windows, [] { return std::make_unique<HeadlessWindowSystem>(); });
    Default(parts_.settings, [] { return std::make_unique<ProcessSettings>(); });
}

Platform PlatformServices::view() const {
    return Platform{*parts_.shell,        *parts_.registry,     *parts_.fileSystem,
                    *parts_.messageBoxes, *parts_.mousePointer, *parts_.components,
                    *parts_.windows,      *parts_.settings};
}

}  // namespace xfer::platform
