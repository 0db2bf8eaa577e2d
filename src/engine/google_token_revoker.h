#pragma once

#include <QCoroTask>

// Revokes the stored Google refresh token at Google. Callers ignore its outcome, failures included.
class GoogleTokenRevoker {
public:
    virtual ~GoogleTokenRevoker() = default;
    virtual QCoro::Task<void> revoke() = 0;
};
