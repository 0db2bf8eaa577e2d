#include "app/zingboard_main.h"

#include <QCommandLineParser>
#include <QCoreApplication>

int zingboardMain(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zingboard"));
    QCoreApplication::setApplicationVersion(QStringLiteral(ZINGBOARD_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zingboard: loud reactions to your business numbers."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.process(app);
    return 0;
}
