#include "app/components/zing_panel_background.h"
#include "app/components/zing_style.h"
#include "gallery/gallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTextStream>
#include <QVBoxLayout>
#include <memory>

// Renders every registered page offscreen at 1x and 2x into the output folder.
namespace {

QImage render(QWidget& window, qreal ratio) {
    QImage image(window.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    window.render(&image);
    return image;
}

bool renderPage(const GalleryPage& page, const QDir& output, QTextStream& err) {
    GalleryFixture fixture;
    std::unique_ptr<QWidget> window;
    QWidget* content = page.build(fixture);
    if (!content) {
        err << "gallery: page " << page.name << " built no widget\n";
        return false;
    }
    if (page.onPanel) {
        window = std::make_unique<ZingPanelBackground>();
        auto* layout = new QVBoxLayout(window.get());
        layout->setContentsMargins(16, 16, 16, 16);
        layout->addWidget(content);
        // Components that do not grow sit at the top, as in a screen.
        if (!(content->sizePolicy().verticalPolicy() & QSizePolicy::ExpandFlag))
            layout->addStretch(1);
    } else {
        window.reset(content);
    }
    window->resize(page.size);
    window->show();
    window->activateWindow();
    fixture.settle();
    if (fixture.focus)
        fixture.focus->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    bool ok = true;
    for (const qreal ratio : {1.0, 2.0}) {
        const QString file = output.filePath(page.name + (ratio == 1.0 ? QString() : QStringLiteral("@2x")) +
                                             QStringLiteral(".png"));
        if (!render(*window, ratio).save(file)) {
            err << "gallery: cannot write " << file << "\n";
            ok = false;
        }
    }
    window->hide();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    // The offscreen platform says this for every window it cannot size from hints; it is noise here.
    static QtMessageHandler standard = nullptr;
    standard =
        qInstallMessageHandler([](QtMsgType type, const QMessageLogContext& context, const QString& message) {
            if (!message.contains(QLatin1String("propagateSizeHints")) && standard)
                standard(type, context, message);
        });
    // Always offscreen: the pictures must not depend on a display or its scale.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ZingStyle::install(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Renders the screenshot gallery."));
    parser.addHelpOption();
    parser.addPositionalArgument(QStringLiteral("folder"), QStringLiteral("Where the pictures go."));
    const QCommandLineOption only(QStringLiteral("only"), QStringLiteral("Pages whose name matches."),
                                  QStringLiteral("regex"));
    parser.addOption(only);
    parser.process(app);
    QTextStream err(stderr);
    const QStringList positional = parser.positionalArguments();
    const QDir output(positional.isEmpty() ? QStringLiteral("screenshots") : positional.constFirst());
    if (!QDir().mkpath(output.path())) {
        err << "gallery: cannot create " << output.path() << "\n";
        return 1;
    }
    const QRegularExpression filter(parser.value(only));

    Gallery gallery;
    for (const Gallery::Area area : Gallery::areas())
        area(gallery);
    int written = 0;
    bool ok = true;
    QStringList seen;
    for (const GalleryPage& page : gallery.pages()) {
        if (seen.contains(page.name)) {
            err << "gallery: two pages are called " << page.name << "\n";
            ok = false;
            continue;
        }
        seen.append(page.name);
        if (!filter.match(page.name).hasMatch())
            continue;
        ok = renderPage(page, output, err) && ok;
        ++written;
    }
    QTextStream(stdout) << written << " pages written to " << output.path() << "\n";
    return ok ? 0 : 1;
}
