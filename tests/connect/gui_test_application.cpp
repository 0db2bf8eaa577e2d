#include <QApplication>

// The screens are widgets: they need a full QApplication.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    return new QApplication(argc, argv);
}
