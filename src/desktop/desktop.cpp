#include "desktop/desktop.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <cstdlib>
#include <memory>

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
    // The form's font where the machine has it; the default family at the same size otherwise.
    QFont font = QApplication::font();
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        font.setFamily(QStringLiteral("Tahoma"));
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    return body();
}

platform::PlatformServices DesktopServices(platform::PlatformParts machine) {
    machine.messageBoxes = std::make_unique<QtMessageBoxes>();
    machine.mousePointer = std::make_unique<QtMousePointer>();
    machine.windows = std::make_unique<QtWindowSystem>();
    machine.components = platform::DefaultComponents();
    machine.components->Register(platform::kConfirmationProgId,
                                 [] { return std::make_shared<QtConfirmationDialog>(); });
    return platform::PlatformServices(std::move(machine));
}

}  // namespace xfer::desktop
