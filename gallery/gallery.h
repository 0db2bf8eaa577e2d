#pragma once

#include "gallery/gallery_fixture.h"

#include <QList>
#include <QSize>
#include <QString>
#include <functional>

class QWidget;

// One picture of the screenshot gallery: `name` becomes build/screenshots/<name>.png (and <name>@2x.png);
// `size` is the window's logical size; `build` makes the widget from a fresh fixture. With `onPanel` the
// widget is laid out on the panel background with a 16-pixel margin (for components); without, it fills the
// window by itself (for whole screens).
struct GalleryPage {
    QString name;
    QSize size;
    std::function<QWidget*(GalleryFixture&)> build;
    bool onPanel = true;
};

// Collects the pages of every area. An area registers itself from its own file:
//
//   #include "gallery/gallery.h"
//   ZINGBOARD_GALLERY_AREA(panel) {
//       gallery.add({QStringLiteral("panel-dashboard"), QSize(380, 560),
//                    [](GalleryFixture& f) { return new DashboardView(f.state(), f.shell); }, false});
//   }
class Gallery {
public:
    using Area = void (*)(Gallery&);

    void add(GalleryPage page) { m_pages.append(std::move(page)); }
    const QList<GalleryPage>& pages() const { return m_pages; }

    static bool registerArea(Area area);
    static const QList<Area>& areas();

private:
    QList<GalleryPage> m_pages;
};

#define ZINGBOARD_GALLERY_AREA(area)                                                                         \
    static void zingboardGalleryArea_##area(Gallery& gallery);                                               \
    [[maybe_unused]] static const bool zingboardGalleryAreaRegistered_##area =                               \
        Gallery::registerArea(&zingboardGalleryArea_##area);                                                 \
    static void zingboardGalleryArea_##area([[maybe_unused]] Gallery& gallery)
