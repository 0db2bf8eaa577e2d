#pragma once

#include "fuzz_support.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/memory_preferences_store.h"

#include <QString>

// The invariants every stored document keeps, whatever bytes were on disk:
// - reading through the manager agrees with the pure decoder;
// - a document that decodes survives saving it again unchanged;
// - a document that does not decode is kept byte for byte before anything replaces it.
namespace Fuzz {

template <typename T> struct DocumentCodec {
    QString key;
    std::optional<T> (PersistenceManager::*read)();
    std::optional<T> (*fromBytes)(const QByteArray&);
    void (PersistenceManager::*write)(const T&);
    T fallback;
};

inline bool keptCopyHolds(const MemoryPreferencesStore& store, const QString& key, const QByteArray& bytes) {
    const QString prefix = key + QStringLiteral(".unreadable-");
    for (auto it = store.values().constBegin(); it != store.values().constEnd(); ++it) {
        if (it.key().startsWith(prefix) && it.value() == bytes)
            return true;
    }
    return false;
}

template <typename T> void fuzzDocument(const QByteArray& input, const DocumentCodec<T>& codec) {
    MemoryPreferencesStore store;
    FakeClock clock;
    store.setValue(codec.key, input);
    PersistenceManager manager(store, clock);

    const std::optional<T> decoded = (manager.*codec.read)();
    const std::optional<T> pure = codec.fromBytes(input);
    FUZZ_CHECK(decoded.has_value() == pure.has_value());
    if (decoded) {
        FUZZ_CHECK(*decoded == *pure);
        (manager.*codec.write)(*decoded);
        const std::optional<T> again = (manager.*codec.read)();
        FUZZ_CHECK(again.has_value());
        FUZZ_CHECK(*again == *decoded);
        // A readable document is replaced in place, never copied aside.
        FUZZ_CHECK(store.values().size() == 1);
    } else {
        (manager.*codec.write)(codec.fallback);
        FUZZ_CHECK(keptCopyHolds(store, codec.key, input));
        const std::optional<T> written = (manager.*codec.read)();
        FUZZ_CHECK(written.has_value());
        FUZZ_CHECK(*written == codec.fallback);
    }
}

} // namespace Fuzz
