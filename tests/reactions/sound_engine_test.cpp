#include "reactions/sound_clip_files.h"
#include "reactions/sound_engine.h"
#include "support/fake_audio_back_end.h"
#include "support/fake_clock.h"
#include "support/scripted_random_source.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <limits>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

void touch(const QString& folder, const QString& name) {
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << qPrintable(file.fileName());
    file.write("audio");
}

QStringList fileNames(const QStringList& paths) {
    QStringList names;
    for (const QString& path : paths)
        names.append(QFileInfo(path).fileName());
    return names;
}

class SoundEngineTest : public ::testing::Test {
protected:
    SoundEngineTest()
        : m_custom(m_root.filePath(QStringLiteral("data/Zingboard/Sounds"))),
          m_builtIn(m_root.filePath(QStringLiteral("share/sounds"))),
          m_alerts(m_root.filePath(QStringLiteral("alerts"))) {
        QDir().mkpath(m_builtIn);
        QDir().mkpath(m_alerts);
    }

    SoundEngine& engine() {
        if (!m_engine)
            m_engine = std::make_unique<SoundEngine>(m_backEnd, m_clock, m_random,
                                                     SoundLocations{m_custom, {m_builtIn}, m_alerts});
        return *m_engine;
    }
    void addAllAlertSounds() {
        for (SoundEffect effect : SoundEffects::allCases())
            touch(m_alerts, SoundClipFiles::alertSoundFileName(effect));
    }
    QString alertPath(SoundEffect effect) const {
        return QDir(m_alerts).filePath(SoundClipFiles::alertSoundFileName(effect));
    }

    QTemporaryDir m_root;
    QString m_custom;
    QString m_builtIn;
    QString m_alerts;
    FakeAudioBackEnd m_backEnd;
    FakeClock m_clock;
    ScriptedRandomSource m_random;
    std::unique_ptr<SoundEngine> m_engine;
};

// --- the per-effect gap ---

struct Request {
    double atSeconds; // since the first request
    SoundEffect effect;
};

struct GapCase {
    const char* name;
    QList<Request> requests;
    QStringList expectedPlayed;
};

void PrintTo(const GapCase& gapCase, std::ostream* os) {
    *os << gapCase.name;
}

class SoundEngineGapTest : public SoundEngineTest, public ::testing::WithParamInterface<GapCase> {};

TEST_P(SoundEngineGapTest, AcceptsOnlyRequestsAtLeastTheGapAfterTheLastAcceptedOneOfTheSameEffect) {
    touch(m_builtIn, QStringLiteral("moan_a.ogg"));
    touch(m_builtIn, QStringLiteral("scream_a.ogg"));
    engine().preload();
    const QDateTime start = m_clock.now();
    for (const Request& request : GetParam().requests) {
        m_clock.setNow(start.addMSecs(qint64(request.atSeconds * 1000.0)));
        engine().play(request.effect, 1.0);
    }
    EXPECT_EQ(m_backEnd.playedFileNames(), GetParam().expectedPlayed);
}

const QString moanClip = QStringLiteral("moan_a.ogg");
const QString screamClip = QStringLiteral("scream_a.ogg");

INSTANTIATE_TEST_SUITE_P(
    Gaps, SoundEngineGapTest,
    ::testing::Values(
        GapCase{"SameEffect50msApartIsDropped",
                {{0.0, SoundEffect::moan}, {0.05, SoundEffect::moan}},
                {moanClip}},
        GapCase{"SameEffect119msApartIsDropped",
                {{0.0, SoundEffect::moan}, {0.119, SoundEffect::moan}},
                {moanClip}},
        GapCase{"SameEffectExactly120msApartPlays",
                {{0.0, SoundEffect::moan}, {0.12, SoundEffect::moan}},
                {moanClip, moanClip}},
        GapCase{"OtherEffectInBetweenPlaysAndDoesNotResetTheGap",
                {{0.0, SoundEffect::moan}, {0.03, SoundEffect::scream}, {0.05, SoundEffect::moan}},
                {moanClip, screamClip}},
        // A dropped request leaves the stored time alone: 0.12 s after the first accepted one plays.
        GapCase{"DroppedRequestDoesNotMoveTheGap",
                {{0.0, SoundEffect::moan}, {0.1, SoundEffect::moan}, {0.12, SoundEffect::moan}},
                {moanClip, moanClip}},
        GapCase{"BurstOfOneEffectPlaysOnce",
                {{0.0, SoundEffect::moan}, {0.0, SoundEffect::moan}, {0.0, SoundEffect::moan}},
                {moanClip}},
        // The wall clock was set back an hour: the effect must not stay silent for that hour.
        GapCase{"ClockSetBackDoesNotSilenceTheEffect",
                {{0.0, SoundEffect::moan}, {-3600.0, SoundEffect::moan}, {-3599.95, SoundEffect::moan}},
                {moanClip, moanClip}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SoundEngineTest, FallbackRequestsCountTowardsTheGap) {
    addAllAlertSounds();
    engine().preload();
    engine().play(SoundEffect::applause, 1.0);
    m_clock.advanceSeconds(0.05);
    engine().play(SoundEffect::applause, 1.0);
    m_clock.advanceSeconds(0.07);
    engine().play(SoundEffect::applause, 1.0);
    EXPECT_THAT(m_backEnd.playedFileNames(),
                ElementsAre(SoundClipFiles::alertSoundFileName(SoundEffect::applause),
                            SoundClipFiles::alertSoundFileName(SoundEffect::applause)));
}

TEST_F(SoundEngineTest, MissingAlertSoundPlaysNothingButStillCountsTowardsTheGap) {
    engine().preload();
    engine().play(SoundEffect::whisper, 1.0);
    EXPECT_THAT(m_backEnd.playbacks(), IsEmpty());

    addAllAlertSounds();
    m_clock.advanceSeconds(0.05);
    engine().play(SoundEffect::whisper, 1.0);
    EXPECT_THAT(m_backEnd.playbacks(), IsEmpty()) << "the silent request was recorded";
    m_clock.advanceSeconds(0.07);
    engine().play(SoundEffect::whisper, 1.0);
    EXPECT_EQ(m_backEnd.playbacks().size(), 1);
}

// --- muting ---

TEST_F(SoundEngineTest, MutedRequestsPlayNothingAndLeaveNoTrace) {
    touch(m_builtIn, moanClip);
    addAllAlertSounds();
    engine().preload();
    engine().play(SoundEffect::moan, 1.0);
    m_clock.advanceSeconds(0.1);

    engine().setMuted(true);
    engine().play(SoundEffect::moan, 1.0);
    engine().play(SoundEffect::scream, 0.9); // would be the alert sound
    EXPECT_EQ(m_backEnd.playbacks().size(), 1);

    // Had the muted request at 0.1 s been recorded, this one at 0.15 s would be dropped.
    engine().setMuted(false);
    m_clock.advanceSeconds(0.05);
    engine().play(SoundEffect::moan, 1.0);
    engine().play(SoundEffect::scream, 0.9);
    EXPECT_THAT(m_backEnd.playedFileNames(),
                ElementsAre(moanClip, moanClip, SoundClipFiles::alertSoundFileName(SoundEffect::scream)));
}

TEST_F(SoundEngineTest, StartsUnmuted) {
    EXPECT_FALSE(engine().isMuted());
}

// --- volume ---

struct VolumeCase {
    double intensity;
    double volume;
};

void PrintTo(const VolumeCase& volumeCase, std::ostream* os) {
    *os << volumeCase.intensity << " -> " << volumeCase.volume;
}

class SoundEngineVolumeTest : public SoundEngineTest, public ::testing::WithParamInterface<VolumeCase> {};

TEST_P(SoundEngineVolumeTest, ClipVolumeIsTheIntensityClampedToFortyPercentAndFull) {
    touch(m_builtIn, moanClip);
    engine().preload();
    engine().play(SoundEffect::moan, GetParam().intensity);
    ASSERT_EQ(m_backEnd.playbacks().size(), 1);
    EXPECT_DOUBLE_EQ(m_backEnd.playbacks().first().volume, GetParam().volume);
}

INSTANTIATE_TEST_SUITE_P(Intensities, SoundEngineVolumeTest,
                         ::testing::Values(VolumeCase{0.2, 0.4}, VolumeCase{1.7, 1.0}, VolumeCase{0.45, 0.45},
                                           VolumeCase{0.9, 0.9}, VolumeCase{0.4, 0.4}, VolumeCase{1.0, 1.0},
                                           VolumeCase{0.0, 0.4}, VolumeCase{-3.0, 0.4},
                                           VolumeCase{std::numeric_limits<double>::infinity(), 1.0},
                                           VolumeCase{std::numeric_limits<double>::quiet_NaN(), 1.0}));

TEST_F(SoundEngineTest, FallbackPlaysTheEffectsOwnAlertSoundAtNinetyPercentWhateverTheIntensity) {
    addAllAlertSounds();
    engine().preload();
    const QList<double> intensities = {0.2, 0.45, 1.0, 1.7};
    QSet<QString> alertFiles;
    for (SoundEffect effect : SoundEffects::allCases()) {
        for (double intensity : intensities) {
            m_backEnd.clearPlaybacks();
            m_clock.advanceSeconds(1.0);
            engine().play(effect, intensity);
            EXPECT_THAT(m_backEnd.playbacks(),
                        ElementsAre(FakeAudioBackEnd::Playback{alertPath(effect), 0.9, true}))
                << qPrintable(SoundEffects::rawValue(effect)) << " at " << intensity;
        }
        alertFiles.insert(SoundClipFiles::alertSoundFileName(effect));
    }
    EXPECT_EQ(alertFiles.size(), 8) << "one fixed sound per effect";
}

// --- pools ---

TEST_F(SoundEngineTest, CustomFolderFileNamesFollowThePrefixAndExtensionRules) {
    for (const char* name : {"moan_clip.MP3", "Moan_other.mp3", "moan_notes.txt", "sadness.mp3", "moan",
                             "whoosh.Wav", ".moan_hidden.mp3", "applause.mp3.bak"})
        touch(m_custom, QString::fromUtf8(name));
    // A sub-folder is not searched, even one named like a clip.
    touch(m_custom + QStringLiteral("/moan_folder.mp3"), QStringLiteral("moan_inside.mp3"));
    engine().preload();

    EXPECT_THAT(fileNames(engine().poolFiles(SoundEffect::moan)),
                ElementsAre(QStringLiteral("moan_clip.MP3")));
    EXPECT_THAT(fileNames(engine().poolFiles(SoundEffect::sadTrombone)),
                ElementsAre(QStringLiteral("sadness.mp3")));
    EXPECT_THAT(fileNames(engine().poolFiles(SoundEffect::rocketWhoosh)),
                ElementsAre(QStringLiteral("whoosh.Wav")));
    EXPECT_THAT(engine().poolFiles(SoundEffect::applause), IsEmpty());
}

TEST_F(SoundEngineTest, CustomClipsComeFirstAndReplaceBuiltInsOfTheSameNameOnly) {
    for (const char* name : {"moan_a.ogg", "moan_b.ogg", "moan_c.ogg"})
        touch(m_builtIn, QString::fromUtf8(name));
    for (const char* name : {"moan_b.ogg", "moan_A.ogg", "moan_z.mp3"})
        touch(m_custom, QString::fromUtf8(name));
    engine().preload();

    const QString custom = m_custom + QLatin1Char('/');
    const QString builtIn = m_builtIn + QLatin1Char('/');
    // Names compare exactly: moan_A.ogg does not replace moan_a.ogg.
    EXPECT_THAT(engine().poolFiles(SoundEffect::moan),
                ElementsAre(custom + QStringLiteral("moan_A.ogg"), custom + QStringLiteral("moan_b.ogg"),
                            custom + QStringLiteral("moan_z.mp3"), builtIn + QStringLiteral("moan_a.ogg"),
                            builtIn + QStringLiteral("moan_c.ogg")));
    EXPECT_FALSE(m_backEnd.openRequests().contains(builtIn + QStringLiteral("moan_b.ogg")));
}

TEST_F(SoundEngineTest, UndecodableClipIsSkippedAndTheOthersStay) {
    touch(m_builtIn, QStringLiteral("scream_one.ogg"));
    touch(m_custom, QStringLiteral("scream_broken.mp3"));
    touch(m_custom, QStringLiteral("scream_fine.mp3"));
    m_backEnd.markUndecodable(QStringLiteral("scream_broken.mp3"));
    engine().preload();
    EXPECT_THAT(fileNames(engine().poolFiles(SoundEffect::scream)),
                ElementsAre(QStringLiteral("scream_fine.mp3"), QStringLiteral("scream_one.ogg")));
}

TEST_F(SoundEngineTest, EffectWhoseEveryClipIsUndecodableFallsBackToItsAlertSound) {
    addAllAlertSounds();
    touch(m_custom, QStringLiteral("airhorn_broken.m4a"));
    m_backEnd.markUndecodable(QStringLiteral("airhorn_broken.m4a"));
    engine().preload();
    engine().play(SoundEffect::airhorn, 1.0);
    EXPECT_THAT(engine().poolFiles(SoundEffect::airhorn), IsEmpty());
    EXPECT_THAT(m_backEnd.playbacks(),
                ElementsAre(FakeAudioBackEnd::Playback{alertPath(SoundEffect::airhorn), 0.9, true}));
}

TEST_F(SoundEngineTest, PicksTheClipWithTheInjectedRandomSourceAndRestartsItEachTime) {
    for (const char* name : {"cha_ching_1.ogg", "cha_ching_2.ogg", "cha_ching_3.ogg"})
        touch(m_builtIn, QString::fromUtf8(name));
    engine().preload();
    m_random.queueFractions({1.0, 0.0, 0.5, 0.5});
    for (int i = 0; i < 4; ++i) {
        engine().play(SoundEffect::chaChing, 1.0);
        m_clock.advanceSeconds(0.12);
    }
    EXPECT_THAT(m_backEnd.playedFileNames(),
                ElementsAre(QStringLiteral("cha_ching_3.ogg"), QStringLiteral("cha_ching_1.ogg"),
                            QStringLiteral("cha_ching_2.ogg"), QStringLiteral("cha_ching_2.ogg")));
    EXPECT_EQ(m_random.draws(), 4);
}

TEST_F(SoundEngineTest, PreloadCreatesTheCustomFolderAndOpensEveryClipOnceAndPlayingOpensNothing) {
    ASSERT_FALSE(QFileInfo::exists(m_custom));
    touch(m_builtIn, moanClip);
    touch(m_builtIn, screamClip);
    engine().preload();
    EXPECT_TRUE(QFileInfo(m_custom).isDir());
    EXPECT_EQ(m_backEnd.openRequests().size(), 2);

    engine().play(SoundEffect::moan, 1.0);
    engine().play(SoundEffect::scream, 1.0);
    EXPECT_EQ(m_backEnd.openRequests().size(), 2);
}

TEST_F(SoundEngineTest, FileAddedAfterPreloadIsNotPlayedUntilTheNextPreload) {
    addAllAlertSounds();
    engine().preload();
    touch(m_custom, QStringLiteral("whisper_new.mp3"));
    engine().play(SoundEffect::whisper, 1.0);
    EXPECT_THAT(m_backEnd.playedFileNames(),
                ElementsAre(SoundClipFiles::alertSoundFileName(SoundEffect::whisper)));
    EXPECT_THAT(engine().poolFiles(SoundEffect::whisper), IsEmpty());
}

TEST_F(SoundEngineTest, CustomFolderThatCannotBeCreatedStillLeavesTheBuiltInClips) {
    // A file where the folder should be: creating it fails, scanning it finds nothing.
    const QString blocked = m_root.filePath(QStringLiteral("blocked"));
    touch(m_root.path(), QStringLiteral("blocked"));
    touch(m_builtIn, moanClip);
    SoundEngine blockedEngine(m_backEnd, m_clock, m_random,
                              SoundLocations{blocked + QStringLiteral("/Sounds"), {m_builtIn}, m_alerts});
    blockedEngine.preload();
    EXPECT_THAT(fileNames(blockedEngine.poolFiles(SoundEffect::moan)), ElementsAre(moanClip));

    SoundEngine noCustomFolder(m_backEnd, m_clock, m_random,
                               SoundLocations{QString(), {m_builtIn}, m_alerts});
    noCustomFolder.preload();
    EXPECT_THAT(fileNames(noCustomFolder.poolFiles(SoundEffect::moan)), ElementsAre(moanClip));
}

TEST_F(SoundEngineTest, EveryPackFindsItsClipsByItsOwnPrefix) {
    for (SoundEffect effect : SoundEffects::allCases())
        touch(m_builtIn, SoundClipFiles::prefix(effect) + QStringLiteral("_x.wav"));
    engine().preload();
    for (SoundEffect effect : SoundEffects::allCases())
        EXPECT_THAT(fileNames(engine().poolFiles(effect)),
                    ElementsAre(SoundClipFiles::prefix(effect) + QStringLiteral("_x.wav")))
            << qPrintable(SoundEffects::rawValue(effect));
}

// Run from the build folder nothing is installed, so the clips come from the source tree.
TEST(SoundLocationsTest, StandardLocationsOfAProgramRunFromItsBuildFolder) {
    const SoundLocations standard = SoundLocations::standard();
    EXPECT_EQ(standard.customFolder, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                                         QStringLiteral("/Zingboard/Sounds"));
    EXPECT_EQ(standard.builtInFolders,
              QStringList{QDir::cleanPath(QStringLiteral(ZINGBOARD_SOURCE_DIR "/data/sounds"))});
    EXPECT_TRUE(standard.alertSoundFolder.endsWith(QStringLiteral("/sounds/freedesktop/stereo")))
        << qPrintable(standard.alertSoundFolder);
}

// The installed data folder beside bin/ wins; the source tree is only for executables inside the build
// folder, so an installation that lost its clips does not quietly play the build machine's.
TEST(SoundLocationsTest, BuiltInFoldersOfInstalledAndBuildFolderExecutables) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    const auto at = [&root](const char* relative) { return root.filePath(QString::fromUtf8(relative)); };
    for (const char* folder : {"prefix/bin", "prefix/share/zingboard/sounds", "build/src", "build-old/src",
                               "lost/bin", "source/data/sounds", "empty-source/data"})
        ASSERT_TRUE(QDir().mkpath(at(folder)));
    struct Case {
        const char* name;
        const char* executable;
        const char* build;
        const char* sourceData;
        const char* expected; // nullptr: no folder
    };
    const Case cases[] = {
        {"installed", "prefix/bin", "build", "source/data", "prefix/share/zingboard/sounds"},
        {"build folder", "build/src", "build", "source/data", "source/data/sounds"},
        {"sibling whose name starts like the build folder", "build-old/src", "build", "source/data", nullptr},
        {"installed without its data", "lost/bin", "build", "source/data", nullptr},
        {"source tree without clips", "build/src", "build", "empty-source/data", nullptr},
        {"installed inside the build folder", "prefix/bin", ".", "source/data",
         "prefix/share/zingboard/sounds"},
        {"no build folder known", "build/src", "", "source/data", nullptr},
    };
    for (const Case& c : cases) {
        const QString build = *c.build ? at(c.build) : QString();
        const QStringList expected =
            c.expected ? QStringList{QDir::cleanPath(at(c.expected))} : QStringList();
        EXPECT_EQ(SoundLocations::builtInFoldersFor(at(c.executable), build, at(c.sourceData)), expected)
            << c.name;
    }
}

} // namespace
