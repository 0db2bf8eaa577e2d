#include "app/app_identity.h"

namespace AppIdentity {

QString applicationId() {
    return QStringLiteral("com.zingboard.Zingboard");
}

QString displayName() {
    return QStringLiteral("Zingboard");
}

} // namespace AppIdentity
