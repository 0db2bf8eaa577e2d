#include "app/app_identity.h"

namespace AppIdentity {

QString applicationId() {
    return QStringLiteral(ZINGBOARD_APP_ID);
}

QString displayName() {
    return QStringLiteral("Zingboard");
}

} // namespace AppIdentity
