#pragma once

#include "model/integration_provider.h"

#include <QCoroTask>

// Checks the stored credentials of Stripe or Datafast before they count as connected. Reads them from the
// credential store itself; throws a ZingError whose description is shown to the user.
class CredentialValidator {
public:
    virtual ~CredentialValidator() = default;
    virtual QCoro::Task<void> validate(IntegrationProvider provider) = 0;
};
