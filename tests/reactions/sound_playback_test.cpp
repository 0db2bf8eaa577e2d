#include "reactions/qt_audio_back_end.h"
#include "reactions/qt_audio_clip.h"
#include "reactions/sound_clip_files.h"
#include "reactions/sound_engine.h"
#include "reactions/sound_locations.h"
#include "support/fake_clock.h"
#include "support/pulse_null_sink.h"
#include "support/scripted_random_source.h"

#include <QAudioDevice>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QMediaDevices>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

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

TEST_F(SoundPlaybackTest, ClipStillPlayingRestartsFromTheBeginning) {
    std::unique_ptr<QtAudioClip> clip =
        m_backEnd.openQtClip(builtInFolder + QStringLiteral("/sad_trombone.ogg"));
    ASSERT_NE(clip, nullptr);
    QMediaPlayer* player = clip->player();

    QEventLoop loop;
    bool restarted = false;
    bool rewound = false;
    int ends = 0;
    QObject::connect(player, &QMediaPlayer::positionChanged, &loop, [&](qint64 position) {
        if (!restarted && position >= 600) {
            restarted = true;
            clip->playFromStart();
        } else if (restarted && position < 600) {
            rewound = true;
        }
    });
    QObject::connect(player, &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia) {
            ++ends;
            loop.quit();
        }
    });
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    clip->playFromStart();
    loop.exec();

    EXPECT_TRUE(restarted);
    EXPECT_TRUE(rewound) << "the second request did not start from the beginning";
    EXPECT_EQ(ends, 1);

    // A finished clip plays again from the start.
    ends = 0;
    clip->playFromStart();
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
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
