// GLib's headers declare members named `signals`; they must come before any Qt header.
#include <libsecret/secret.h>

#include "model/secret_service_credential_store.h"

#include "model/bounded_call.h"
#include "model/credential_accounts.h"

#include <atomic>
#include <memory>
#include <mutex>

namespace {

const SecretSchema* schema() {
    static const SecretSchema value = [] {
        SecretSchema s{};
        s.name = "com.zingboard.app.credentials";
        // Items made by other tools (secret-tool store) carry no schema name of ours; match on attributes
        // only.
        s.flags = SECRET_SCHEMA_DONT_MATCH_NAME;
        s.attributes[0] = {"service", SECRET_SCHEMA_ATTRIBUTE_STRING};
        s.attributes[1] = {"account", SECRET_SCHEMA_ATTRIBUTE_STRING};
        return s;
    }();
    return &value;
}

// A cancellable shared by the caller and a worker that may outlive it.
std::shared_ptr<GCancellable> newCancellable() {
    return std::shared_ptr<GCancellable>(g_cancellable_new(), [](GCancellable* c) { g_object_unref(c); });
}

// Runs one libsecret call within the time limit; on time-out the call is cancelled and abandoned.
template <typename Call> bool runBounded(std::chrono::milliseconds limit, Call call) {
    auto cancellable = newCancellable();
    return BoundedCall::run(
        limit, [cancellable, call] { call(cancellable.get()); },
        [cancellable] { g_cancellable_cancel(cancellable.get()); });
}

} // namespace

SecretServiceCredentialStore::SecretServiceCredentialStore()
    : SecretServiceCredentialStore(CredentialAccounts::service()) {}

SecretServiceCredentialStore::SecretServiceCredentialStore(const QString& service,
                                                           std::chrono::milliseconds timeout)
    : m_service(service.toUtf8()), m_timeout(timeout) {}

std::optional<QByteArray> SecretServiceCredentialStore::load(const QString& account) {
    struct Result {
        std::mutex mutex;
        std::optional<QByteArray> bytes;
    };
    auto result = std::make_shared<Result>();
    const QByteArray service = m_service;
    const QByteArray name = account.toUtf8();
    const bool finished = runBounded(m_timeout, [result, service, name](GCancellable* cancellable) {
        GError* error = nullptr;
        SecretValue* value =
            secret_password_lookup_binary_sync(schema(), cancellable, &error, "service", service.constData(),
                                               "account", name.constData(), static_cast<char*>(nullptr));
        if (error)
            g_error_free(error);
        if (!value)
            return;
        gsize length = 0;
        const gchar* data = secret_value_get(value, &length);
        QByteArray bytes(data, qsizetype(length));
        secret_value_unref(value);
        std::lock_guard lock(result->mutex);
        result->bytes = std::move(bytes);
    });
    if (!finished)
        return std::nullopt;
    std::lock_guard lock(result->mutex);
    return result->bytes;
}

bool SecretServiceCredentialStore::save(const QString& account, const QByteArray& bytes) {
    auto ok = std::make_shared<std::atomic<bool>>(false);
    const QByteArray service = m_service;
    const QByteArray name = account.toUtf8();
    const QByteArray label = (QStringLiteral("Zingboard: ") + account).toUtf8();
    const bool finished = runBounded(m_timeout, [ok, service, name, label, bytes](GCancellable* cancellable) {
        SecretValue* value = secret_value_new(bytes.constData(), gssize(bytes.size()), "text/plain");
        GError* error = nullptr;
        const gboolean stored = secret_password_store_binary_sync(
            schema(), SECRET_COLLECTION_DEFAULT, label.constData(), value, cancellable, &error, "service",
            service.constData(), "account", name.constData(), static_cast<char*>(nullptr));
        secret_value_unref(value);
        if (error)
            g_error_free(error);
        ok->store(stored && !error);
    });
    return finished && ok->load();
}

bool SecretServiceCredentialStore::remove(const QString& account) {
    auto ok = std::make_shared<std::atomic<bool>>(false);
    const QByteArray service = m_service;
    const QByteArray name = account.toUtf8();
    const bool finished = runBounded(m_timeout, [ok, service, name](GCancellable* cancellable) {
        GError* error = nullptr;
        // FALSE without an error means there was nothing to delete, which is fine.
        secret_password_clear_sync(schema(), cancellable, &error, "service", service.constData(), "account",
                                   name.constData(), static_cast<char*>(nullptr));
        ok->store(error == nullptr);
        if (error)
            g_error_free(error);
    });
    return finished && ok->load();
}
