// The main of the window tests: GoogleTest inside a QApplication.
#include "accessibility_workarounds.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

int main(int argc, char** argv) {
    // Run by hand, the tests still keep off the screen.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests at build time needs no display.
    std::unique_ptr<QApplication> app;
    if (!testing::GTEST_FLAG(list_tests)) {
        app = std::make_unique<QApplication>(argc, argv);
        // As the program names itself; its boxes carry the name.
        QApplication::setApplicationName(QStringLiteral("Kinsight"));
        kinsight::installAccessibilityWorkarounds();
    }
    return RUN_ALL_TESTS();
}
