#include "model/keychain_store.h"

#include "model/credential_accounts.h"

#include <QCoroFuture>
#include <QFuture>
#include <QPromise>
#include <QStringDecoder>
#include <memory>
#include <type_traits>
#include <utility>

namespace {

// One thread: calls run in the order they were made, so a read made after a save sees it, and answers come
// back in order. A hung store holds the queue for at most its own time-out per call.
constexpr int kWorkerThreads = 1;
constexpr int kQuitGraceMs = 1000;

// Runs `work` on the pool and resumes the awaiting coroutine on its own thread once it is done. The work
// shares nothing with the awaiting frame but the promise, so a caller that goes away meanwhile is safe.
template <typename T, typename Work> QFuture<T> onWorker(QThreadPool& pool, Work work) {
    auto promise = std::make_shared<QPromise<T>>();
    QFuture<T> future = promise->future();
    promise->start();
    pool.start([promise, work = std::move(work)]() mutable {
        if constexpr (std::is_void_v<T>)
            work();
        else
            promise->addResult(work());
        promise->finish();
    });
    return future;
}

std::optional<QString> decodeText(const std::optional<QByteArray>& bytes) {
    if (!bytes)
        return std::nullopt;
    // Keep a leading byte-order mark as part of the text: the value is returned exactly as stored.
    QStringDecoder decoder(QStringDecoder::Utf8,
                           QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(*bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

} // namespace

KeychainStore::KeychainStore(CredentialStore& store) : m_store(store) {
    m_pool.setMaxThreadCount(kWorkerThreads);
}

KeychainStore::~KeychainStore() {
    // A working keyring finishes its queue (a save made just before quitting is kept); a hung one gets a
    // short grace, then the calls not started are dropped and only the running one is waited for, within the
    // store's own time-out.
    if (!m_pool.waitForDone(kQuitGraceMs)) {
        m_pool.clear();
        m_pool.waitForDone();
    }
}

// Each future is made in a statement of its own: g++ 12 destroys a temporary that has a destructor twice when
// it appears in the same expression as co_await.
QCoro::Task<std::optional<QString>> KeychainStore::load(QString account) {
    CredentialStore& store = m_store;
    const QFuture<std::optional<QByteArray>> answer =
        onWorker<std::optional<QByteArray>>(m_pool, [&store, account] { return store.load(account); });
    const std::optional<QByteArray> bytes = co_await answer;
    co_return decodeText(bytes);
}

QCoro::Task<void> KeychainStore::save(QString value, QString account) {
    CredentialStore& store = m_store;
    const QFuture<void> done = onWorker<void>(m_pool, [&store, account, bytes = value.toUtf8()] {
        store.remove(account);
        store.save(account, bytes);
    });
    co_await done;
}

QCoro::Task<void> KeychainStore::remove(QString account) {
    CredentialStore& store = m_store;
    const QFuture<void> done = onWorker<void>(m_pool, [&store, account] { store.remove(account); });
    co_await done;
}

QCoro::Task<void> KeychainStore::deleteAll(IntegrationProvider provider) {
    CredentialStore& store = m_store;
    const QFuture<void> done =
        onWorker<void>(m_pool, [&store, accounts = CredentialAccounts::accountsOf(provider)] {
            for (const QString& account : accounts)
                store.remove(account);
        });
    co_await done;
}
