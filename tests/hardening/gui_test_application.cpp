#include <QApplication>

// The secrets test looks at the connect screens: widgets need a full QApplication.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}
