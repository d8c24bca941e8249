// The Qt tests' own main: one QApplication for all of them, gone before the process exits
// (Qt's input devices must not outlive it).

#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
