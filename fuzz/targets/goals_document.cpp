#include "document_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Fuzz::DocumentCodec<QList<Goal>> codec{
        PersistenceManager::goalsKey(), &PersistenceManager::decodeGoals, &PersistenceManager::goalsFromBytes,
        &PersistenceManager::encodeGoals, PersistenceManager::defaultGoals()};
    Fuzz::fuzzDocument(Fuzz::bytes(data, size), codec);
    return 0;
}
