#include <QCoreApplication>
#include <gtest/gtest.h>

// Every test program gets a QCoreApplication so timers, sockets and coroutines have an event loop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
