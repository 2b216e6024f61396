#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    // Window tests need no display; test discovery runs the program without CTest's environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
