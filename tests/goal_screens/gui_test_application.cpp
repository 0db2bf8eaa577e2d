#include <QApplication>

// The editors and lists are widgets, which need a full QApplication.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}
