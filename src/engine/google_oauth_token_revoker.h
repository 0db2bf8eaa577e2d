#pragma once

#include "engine/google_token_revoker.h"

class GoogleOAuthManager;
class KeychainStore;

// Revokes the stored refresh token at Google's revocation endpoint; nothing stored means nothing to revoke.
class GoogleOAuthTokenRevoker final : public GoogleTokenRevoker {
public:
    GoogleOAuthTokenRevoker(KeychainStore& keychain, GoogleOAuthManager& oauth);
    QCoro::Task<void> revoke() override;

private:
    KeychainStore& m_keychain;
    GoogleOAuthManager& m_oauth;
};
