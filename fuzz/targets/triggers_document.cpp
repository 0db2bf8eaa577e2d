#include "document_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Fuzz::DocumentCodec<QList<EventTrigger>> codec{
        PersistenceManager::triggersKey(), &PersistenceManager::decodeTriggers,
        &PersistenceManager::triggersFromBytes, &PersistenceManager::encodeTriggers,
        PersistenceManager::defaultTriggers()};
    Fuzz::fuzzDocument(Fuzz::bytes(data, size), codec);
    return 0;
}
