#include "document_fuzzing.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Fuzz::DocumentCodec<AppSettings> codec{
        PersistenceManager::settingsKey(), &PersistenceManager::decodeSettings,
        &PersistenceManager::settingsFromBytes, &PersistenceManager::encodeSettings, AppSettings::defaults()};
    Fuzz::fuzzDocument(Fuzz::bytes(data, size), codec);
    return 0;
}
