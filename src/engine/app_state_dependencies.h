#pragma once

class PersistenceManager;
class KeychainStore;
class MetricProvider;
class Clock;
class RandomSource;
class SoundPlayer;
class CredentialValidator;
class GoogleTokenRevoker;

// Everything the engine uses but does not own. All of it must outlive the engine.
struct AppStateDependencies {
    PersistenceManager& persistence;
    KeychainStore& keychain;
    MetricProvider& demoProvider;
    MetricProvider& stripeProvider;
    MetricProvider& gaProvider;
    MetricProvider& datafastProvider;
    MetricProvider& gscProvider;
    Clock& clock;
    RandomSource& random;
    SoundPlayer& soundPlayer;
    CredentialValidator& credentialValidator;
    GoogleTokenRevoker& googleTokenRevoker;
};
