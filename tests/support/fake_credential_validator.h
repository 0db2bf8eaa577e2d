#pragma once

#include "engine/credential_validator.h"
#include "support/manual_gate.h"

#include <QList>
#include <exception>

// Records which providers were checked; fails with `error` when one is set.
class FakeCredentialValidator final : public CredentialValidator {
public:
    QCoro::Task<void> validate(IntegrationProvider provider) override {
        checked.append(provider);
        co_await gate.wait();
        if (error)
            std::rethrow_exception(error);
    }
    QList<IntegrationProvider> checked;
    std::exception_ptr error;
    ManualGate gate;
};
