#include "gallery/gallery.h"

namespace {
QList<Gallery::Area>& registeredAreas() {
    static QList<Gallery::Area> areas;
    return areas;
}
} // namespace

bool Gallery::registerArea(Area area) {
    registeredAreas().append(area);
    return true;
}

const QList<Gallery::Area>& Gallery::areas() {
    return registeredAreas();
}
