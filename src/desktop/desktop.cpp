#include "desktop/desktop.h"

#include <QApplication>
#include <cstdlib>
#include <memory>

#include "desktop/form_font.h"
#include "desktop/qt_platform.h"

namespace xfer::desktop {

namespace {
bool IsSet(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}
}  // namespace

bool DisplayAvailable() {
    return IsSet("QT_QPA_PLATFORM") || IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

int RunDesktop(int argc, char** argv, const std::function<int()>& body) {
    int qtArgc = argc;  // QApplication keeps a reference for its whole life
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("xfer-node-editor"));
    UseFormFont();
    return body();
}

platform::PlatformServices DesktopServices(platform::PlatformParts machine) {
    machine.messageBoxes = std::make_unique<QtMessageBoxes>();
    machine.mousePointer = std::make_unique<QtMousePointer>();
    machine.windows = std::make_unique<QtWindowSystem>();
    machine.components = platform::DefaultComponents();
    machine.components->registerComponent(platform::kConfirmationProgId,
                                          [] { return std::make_shared<QtConfirmationDialog>(); });
    return platform::PlatformServices(std::move(machine));
}

}  // namespace xfer::desktop
