#include "engine/google_oauth_token_revoker.h"

#include "google/google_oauth_manager.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"

GoogleOAuthTokenRevoker::GoogleOAuthTokenRevoker(KeychainStore& keychain, GoogleOAuthManager& oauth)
    : m_keychain(keychain), m_oauth(oauth) {}

QCoro::Task<void> GoogleOAuthTokenRevoker::revoke() {
    const std::optional<QString> refreshToken =
        co_await m_keychain.load(CredentialAccounts::googleRefreshToken());
    if (!refreshToken || refreshToken->isEmpty())
        co_return;
    co_await m_oauth.revoke(*refreshToken);
}
