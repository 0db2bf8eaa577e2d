#pragma once

#include "engine/google_token_revoker.h"

#include <exception>

// Counts revocations; fails with `error` when one is set.
class FakeGoogleTokenRevoker final : public GoogleTokenRevoker {
public:
    QCoro::Task<void> revoke() override {
        ++calls;
        if (error)
            std::rethrow_exception(error);
        co_return;
    }
    int calls = 0;
    std::exception_ptr error;
};
