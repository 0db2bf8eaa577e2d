#include "reactions/qt_audio_back_end.h"
#include "reactions/qt_audio_clip.h"
#include "reactions/qt_on_demand_audio_clip.h"
#include "reactions/sound_clip_files.h"
#include "reactions/sound_engine.h"
#include "reactions/sound_locations.h"
#include "support/fake_clock.h"
#include "support/pulse_null_sink.h"
#include "support/scripted_random_source.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QPointer>
#include <QTemporaryDir>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

// Real decoding and playback through Qt Multimedia's GStreamer back end, into a private PulseAudio null sink.

namespace {

const QString builtInFolder = QStringLiteral(ZINGBOARD_SOURCE_DIR "/data/sounds");

class SoundPlaybackTest : public ::testing::Test {
protected:
    void SetUp() override {
        QString why;
        if (!PulseNullSink::shared(&why)) {
            if (!PulseNullSink::isInstalled())
                GTEST_SKIP() << why.toStdString();
            FAIL() << why.toStdString();
        }
        // Proves the sound goes to the private server and not to some fallback sink.
        ASSERT_TRUE(QMediaDevices::defaultAudioOutput().description().contains(QStringLiteral("Null")))
            << qPrintable(QMediaDevices::defaultAudioOutput().description());
    }

    QtAudioBackEnd m_backEnd;
};

QStringList bundledClips() {
    return QDir(builtInFolder).entryList({QStringLiteral("*.ogg")}, QDir::Files, QDir::Name);
}

TEST_F(SoundPlaybackTest, BuiltInClipPlaysToItsEndWithoutError) {
    std::unique_ptr<QtAudioClip> clip =
        m_backEnd.openQtClip(builtInFolder + QStringLiteral("/cha_ching_register.ogg"));
    ASSERT_NE(clip, nullptr);
    QMediaPlayer* player = clip->player();

    QEventLoop loop;
    bool ended = false;
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            ended = true;
            loop.quit();
        }
    });
    int errors = 0;
    QObject::connect(player, &QMediaPlayer::errorOccurred, &loop, [&] { ++errors; });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    clip->setVolume(0.45);
    clip->playFromStart();
    loop.exec();

    EXPECT_TRUE(ended) << "status " << int(player->mediaStatus());
    EXPECT_EQ(errors, 0) << qPrintable(player->errorString());
    EXPECT_EQ(player->error(), QMediaPlayer::NoError);
}

// Turns the event loop until `done` holds or `limit` passes, with a deadline of its own (a timer left over
// from an earlier wait must not cut this one short).
bool spinUntil(const std::function<bool()>& done,
               std::chrono::milliseconds limit = std::chrono::seconds(30)) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < limit.count()) {
        QEventLoop loop;
        QTimer::singleShot(20, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return done();
}

TEST_F(SoundPlaybackTest, ClipStillPlayingRestartsFromTheBeginning) {
    // Ogg like the bundled clips, and long enough that the restart lands while it plays, however late a
    // loaded machine reports positions.
    using namespace std::chrono_literals;
    const auto length = 4000ms;
    std::unique_ptr<QtAudioClip> clip =
        m_backEnd.openQtClip(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/sounds/tone_4s.ogg"));
    ASSERT_NE(clip, nullptr);
    QMediaPlayer* player = clip->player();

    QElapsedTimer clock;
    qint64 restartedAt = -1;
    qint64 endedAt = -1;
    bool rewound = false;
    int ends = 0;
    QObject::connect(player, &QMediaPlayer::positionChanged, player, [&](qint64 position) {
        if (restartedAt < 0 && position >= 600 && ends == 0) {
            restartedAt = clock.elapsed();
            clip->playFromStart();
        } else if (restartedAt >= 0 && position < 600) {
            rewound = true;
        }
    });
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, player,
                     [&](QMediaPlayer::MediaStatus status) {
                         if (status == QMediaPlayer::EndOfMedia) {
                             ++ends;
                             endedAt = clock.elapsed();
                         }
                     });
    clock.start();
    clip->playFromStart();
    ASSERT_TRUE(spinUntil([&] { return ends > 0; })) << "never ended, at " << player->position() << " ms";

    ASSERT_GE(restartedAt, 0) << "ended before the restart";
    EXPECT_TRUE(rewound) << "the second request did not start from the beginning";
    // Audio plays in real time: a clip that went on instead of starting over ends at least 600 ms sooner.
    EXPECT_GE(endedAt - restartedAt, (length - 300ms).count());
    EXPECT_EQ(ends, 1);

    // A finished clip plays again from the start, and to its end.
    ends = 0;
    clock.restart();
    clip->playFromStart();
    EXPECT_TRUE(spinUntil([&] { return ends > 0; })) << "stalled at " << player->position() << " ms";
    EXPECT_GE(endedAt, (length - 300ms).count());
    spinUntil([] { return false; }, 300ms);
    EXPECT_EQ(ends, 1);
}

TEST_F(SoundPlaybackTest, EveryBundledClipDecodesAndLastsUnderTwoSeconds) {
    const QStringList clips = bundledClips();
    ASSERT_GE(clips.size(), 16);
    for (const QString& name : clips) {
        std::unique_ptr<QtAudioClip> clip = m_backEnd.openQtClip(QDir(builtInFolder).filePath(name));
        ASSERT_NE(clip, nullptr) << qPrintable(name) << " does not decode";
        EXPECT_GT(clip->duration().count(), 100) << qPrintable(name);
        EXPECT_LT(clip->duration().count(), 2000) << qPrintable(name);
    }
}

TEST_F(SoundPlaybackTest, EveryPackHasTwoOrThreeBuiltInClipsThatTheEngineLoads) {
    QTemporaryDir custom;
    FakeClock clock;
    ScriptedRandomSource random;
    SoundEngine engine(m_backEnd, clock, random, SoundLocations{custom.path(), {builtInFolder}, QString()});
    engine.preload();
    int total = 0;
    for (SoundEffect effect : SoundEffects::allCases()) {
        const qsizetype count = engine.poolFiles(effect).size();
        EXPECT_GE(count, 2) << qPrintable(SoundEffects::rawValue(effect));
        EXPECT_LE(count, 3) << qPrintable(SoundEffects::rawValue(effect));
        total += int(count);
    }
    EXPECT_EQ(total, bundledClips().size()) << "a bundled clip matches no pack";
}

TEST_F(SoundPlaybackTest, FilesThatAreNotAudioAreRejected) {
    QTemporaryDir dir;
    const QString text = dir.filePath(QStringLiteral("moan_fake.mp3"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is not audio at all\n");
    file.close();
    const QString empty = dir.filePath(QStringLiteral("moan_empty.wav"));
    QFile(empty).open(QIODevice::WriteOnly);

    EXPECT_EQ(m_backEnd.openClip(text), nullptr);
    EXPECT_EQ(m_backEnd.openClip(empty), nullptr);
    EXPECT_EQ(m_backEnd.openClip(dir.filePath(QStringLiteral("missing.ogg"))), nullptr);
    EXPECT_EQ(m_backEnd.openClip(dir.path()), nullptr) << "a folder";
}

// What the engine opens at start-up holds no player; each playback builds one and lets it go at the end.
TEST_F(SoundPlaybackTest, ClipOfTheEngineHasAPlayerOnlyWhileItSounds) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("cha_ching_copy.ogg"));
    ASSERT_TRUE(QFile::copy(builtInFolder + QStringLiteral("/cha_ching_register.ogg"), path));
    std::unique_ptr<AudioClip> opened = m_backEnd.openClip(path);
    auto* clip = dynamic_cast<QtOnDemandAudioClip*>(opened.get());
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->player(), nullptr);
    // The bytes were read at opening: a file removed afterwards still sounds.
    ASSERT_TRUE(QFile::remove(path));

    std::vector<bool> ends;
    QObject::connect(clip, &QtOnDemandAudioClip::playbackEnded, clip,
                     [&](bool failed) { ends.push_back(failed); });
    clip->setVolume(0.45);
    clip->playFromStart();
    QPointer<QMediaPlayer> first = clip->player();
    ASSERT_NE(first, nullptr);
    // A second request while the first sounds starts over on a fresh player; the first is let go unreported.
    clip->playFromStart();
    QPointer<QMediaPlayer> second = clip->player();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FLOAT_EQ(second->audioOutput()->volume(), 0.45f);

    ASSERT_TRUE(spinUntil([&] { return !ends.empty(); })) << "never ended";
    EXPECT_EQ(ends, std::vector<bool>{false});
    EXPECT_EQ(clip->player(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_TRUE(second.isNull());
}

TEST_F(SoundPlaybackTest, ClipBrokenPastItsHeaderEndsAsAFailedPlayback) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("moan_broken.ogg"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("OggS") + QByteArray(4000, '\x5a'));
    file.close();
    std::unique_ptr<AudioClip> opened = m_backEnd.openClip(path);
    auto* clip = dynamic_cast<QtOnDemandAudioClip*>(opened.get());
    ASSERT_NE(clip, nullptr) << "the header is all that is checked at opening";

    std::vector<bool> ends;
    QObject::connect(clip, &QtOnDemandAudioClip::playbackEnded, clip,
                     [&](bool failed) { ends.push_back(failed); });
    clip->playFromStart();
    ASSERT_TRUE(spinUntil([&] { return !ends.empty(); })) << "a broken clip kept its player";
    EXPECT_EQ(ends, std::vector<bool>{true});
    EXPECT_EQ(clip->player(), nullptr);
}

TEST_F(SoundPlaybackTest, AlertSoundOfTheThemePlaysOnceAndIsReleased) {
    const SoundLocations standard = SoundLocations::standard();
    const QString path =
        QDir(standard.alertSoundFolder).filePath(SoundClipFiles::alertSoundFileName(SoundEffect::chaChing));
    if (!QFile::exists(path))
        GTEST_SKIP()
            << "the freedesktop sound theme is not installed (Debian package sound-theme-freedesktop)";

    QEventLoop loop;
    QStringList finishedPaths;
    bool failed = true;
    QObject::connect(&m_backEnd, &QtAudioBackEnd::oneOffFinished, &loop,
                     [&](const QString& played, bool error) {
                         finishedPaths.append(played);
                         failed = error;
                         loop.quit();
                     });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    m_backEnd.playOnce(path, 0.9);
    loop.exec();

    EXPECT_EQ(finishedPaths, QStringList{path});
    EXPECT_FALSE(failed) << "the alert sound failed";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(m_backEnd.findChildren<QMediaPlayer*>().isEmpty());
}

} // namespace
