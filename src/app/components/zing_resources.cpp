#include "app/components/zing_resources.h"

#include <QtGlobal>

static void loadZingboardResources() {
    Q_INIT_RESOURCE(zingboard);
}

namespace ZingResources {
void ensureLoaded() {
    static const bool loaded = (loadZingboardResources(), true);
    Q_UNUSED(loaded);
}
} // namespace ZingResources
