#include <QApplication>
#include <cstdlib>
#include <gtest/gtest.h>

// The Qt suites run offscreen, in English, with one application for all their tests.
int main(int argc, char** argv) {
    setenv("LC_ALL", "C", 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
