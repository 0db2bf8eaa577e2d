#include <QApplication>

// The shell opens windows and paints icons, which needs a full QApplication.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}
