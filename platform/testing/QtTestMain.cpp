// GoogleTest entry point for tests that need Qt's event loop on the main thread. The test program
// owns the application object, as the player programs do.
#include <QCoreApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
