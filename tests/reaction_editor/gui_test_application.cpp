#include "app/components/zing_style.h"

#include <QApplication>

// The editor paints text and reads the application style, as in the program.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    auto* app = new QApplication(argc, argv);
    ZingStyle::install(*app);
    return app;
}
