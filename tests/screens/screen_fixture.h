#pragma once

#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/qt_printers.h"
#include "support/recording_shell_actions.h"

#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

class QWidget;

// Where Tab goes in `window`. `expected`: every control that takes Tab focus and is visible and enabled, in
// reading order (top to bottom, left to right within a row), then the first one again; `actual`: the focus
// after starting on the first control and pressing Tab once per control. Equal lists mean the order is right
// and wraps.
struct TabWalk {
    QStringList expected;
    QStringList actual;
};
TabWalk walkTab(QWidget* window);

// A screen's engine on fakes. Stored settings can be prepared before state() builds the engine.
class ScreenTest : public ::testing::Test, protected FakeEngineParts {
protected:
    AppState& state() {
        if (!m_state) {
            m_state = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
            m_state->reactionStore().setOnWillAppend([this](const ActiveReaction& r) { fired.append(r); });
        }
        return *m_state;
    }
    void storeSettings(const std::function<void(AppSettings&)>& edit) {
        AppSettings settings = AppSettings::defaults();
        edit(settings);
        persistence.encodeSettings(settings);
    }
    // What a later launch would read.
    AppSettings savedSettings() {
        const std::optional<AppSettings> saved = persistence.decodeSettings();
        EXPECT_TRUE(saved.has_value());
        return saved.value_or(AppSettings::defaults());
    }

    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    RecordingShellActions shell;
    QList<ActiveReaction> fired;
    QTemporaryDir scratch;

private:
    std::unique_ptr<AppState> m_state;
};
