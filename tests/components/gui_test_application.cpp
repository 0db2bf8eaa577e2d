#include "app/components/zing_style.h"

#include <QApplication>

// The components paint text and read the application style, as in the program.
QCoreApplication* zingboardCreateTestApplication(int& argc, char** argv) {
    auto* app = new QApplication(argc, argv);
    ZingStyle::install(*app);
    return app;
}
