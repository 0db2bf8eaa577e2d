#include "document_fuzzing.h"

// The integrations list reads as one disconnected record per provider when the stored one does not decode.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = Fuzz::bytes(data, size);
    MemoryPreferencesStore store;
    FakeClock clock;
    const QString key = PersistenceManager::integrationsKey();
    store.setValue(key, input);
    PersistenceManager manager(store, clock);

    const auto pure = PersistenceManager::integrationsFromBytes(input);
    const QList<IntegrationConnection> loaded = manager.loadIntegrations();
    if (pure) {
        FUZZ_CHECK(loaded == *pure);
        manager.encodeIntegrations(loaded);
        FUZZ_CHECK(manager.loadIntegrations() == loaded);
        FUZZ_CHECK(store.values().size() == 1);
    } else {
        FUZZ_CHECK(loaded == PersistenceManager::defaultIntegrations());
        manager.encodeIntegrations(loaded);
        FUZZ_CHECK(Fuzz::keptCopyHolds(store, key, input));
        FUZZ_CHECK(PersistenceManager::integrationsFromBytes(*store.value(key)) == loaded);
    }
    return 0;
}
