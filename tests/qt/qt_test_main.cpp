// The Qt tests' own main: one QApplication for all of them, gone before the process exits
// (Qt's input devices must not outlive it), and the program's resources, as the programs add
// them before their first window.

#include <gtest/gtest.h>

#include <QApplication>

#include "platform/win/resource_registry.h"
#include "resources/program_resources.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Never a real display: also when the test runner lists the tests without the environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    tra1::res::AddProgramResources(tra1::win::ResourceRegistry::Instance());
    return RUN_ALL_TESTS();
}
