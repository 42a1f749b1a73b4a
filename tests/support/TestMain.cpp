#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>

int main(int argc, char** argv) {
    // Tests run headless and find the sources and the build through these,
    // unless the caller says otherwise.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("VP_SOURCE_DIR", VP_SOURCE_DIR, 0);
    setenv("VP_BINARY_DIR", VP_BINARY_DIR, 0);
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
