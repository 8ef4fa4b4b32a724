// The application lives on main's stack: Qt's own objects must go before the process exits.

#include <gtest/gtest.h>

#include <QApplication>

#include "desktop/form_font.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Offscreen also when the build lists the tests, where ctest's environment is not set.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    xfer::desktop::UseFormFont();
    return RUN_ALL_TESTS();
}
