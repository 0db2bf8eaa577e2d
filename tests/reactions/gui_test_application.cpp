#include <QApplication>

// The overlay tests paint text and open windows, which needs a full QApplication.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}
