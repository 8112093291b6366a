#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

// The Qt suites run offscreen, in English, with one application for all their tests, and keep
// their window settings in a folder of their own, never the user's.
int main(int argc, char** argv) {
    setenv("LC_ALL", "C", 1);
    char config[] = "/tmp/vorq-qt-tests-XXXXXX";
    if (!mkdtemp(config))
        return 1;
    setenv("XDG_CONFIG_HOME", config, 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    std::filesystem::remove_all(config);
    return result;
}
