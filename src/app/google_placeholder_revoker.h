#pragma once

#include "engine/google_token_revoker.h"

// Until Google sign-in exists there is no token this program obtained, so there is nothing to revoke;
// disconnecting Google still removes whatever is stored locally.
class GooglePlaceholderRevoker final : public GoogleTokenRevoker {
public:
    QCoro::Task<void> revoke() override { co_return; }
};
