#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

// A test program that paints or opens windows defines this to return a QApplication; the others get a
// QCoreApplication.
__attribute__((weak)) QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv);

// Every test program gets an application object so timers, sockets and coroutines have an event loop.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    std::unique_ptr<QCoreApplication> app(zingboardCreateTestApplication
                                              ? zingboardCreateTestApplication(argc, argv)
                                              : new QCoreApplication(argc, argv));
    return RUN_ALL_TESTS();
}
