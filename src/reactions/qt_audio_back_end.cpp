#include "reactions/qt_audio_back_end.h"

#include <QAudioDevice>
#include <QMediaDevices>

#include "reactions/audio_signature.h"
#include "reactions/qt_audio_clip.h"
#include "reactions/qt_on_demand_audio_clip.h"

#include <QAudioOutput>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace {

// A one-off sound that never reports its end (no audio device) is dropped after this long.
constexpr std::chrono::seconds kOneOffLimit(30);
// Clips are short; a larger file is played from the disk rather than held in memory.
constexpr qint64 kInMemoryLimit = 4 * 1024 * 1024;

bool isSettled(QMediaPlayer::MediaStatus status) {
    return status == QMediaPlayer::LoadedMedia || status == QMediaPlayer::BufferedMedia ||
           status == QMediaPlayer::InvalidMedia;
}

} // namespace

QtAudioBackEnd::QtAudioBackEnd(std::chrono::milliseconds loadTimeout, QObject* parent)
    : QObject(parent), m_loadTimeout(loadTimeout) {}

std::unique_ptr<AudioClip> QtAudioBackEnd::openClip(const QString& path) {
    const QFileInfo info(path);
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return nullptr;
    QByteArray bytes = info.size() <= kInMemoryLimit ? file.readAll() : file.read(AudioSignature::headerSize);
    if (!AudioSignature::looksLikeAudio(bytes.left(AudioSignature::headerSize)))
        return nullptr;
    if (info.size() > kInMemoryLimit)
        bytes.clear();
    return std::make_unique<QtOnDemandAudioClip>(info.absoluteFilePath(), std::move(bytes));
}

std::unique_ptr<QtAudioClip> QtAudioBackEnd::openQtClip(const QString& path) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return nullptr;

    auto output = std::make_unique<QAudioOutput>();
    auto player = std::make_unique<QMediaPlayer>();
    player->setAudioOutput(output.get());

    // Decoding starts asynchronously; wait here so that a broken file is known (and skipped) at preload
    // and firing a reaction later opens nothing.
    bool failed = false;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    connect(&timeout, &QTimer::timeout, &loop, [&] {
        failed = true;
        loop.quit();
    });
    connect(player.get(), &QMediaPlayer::errorOccurred, &loop, [&] {
        failed = true;
        loop.quit();
    });
    connect(player.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&](QMediaPlayer::MediaStatus status) {
        if (isSettled(status))
            loop.quit();
    });
    player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    if (!failed && !isSettled(player->mediaStatus())) {
        timeout.start(m_loadTimeout);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    player->disconnect(&loop);

    if (failed || player->mediaStatus() == QMediaPlayer::InvalidMedia ||
        player->error() != QMediaPlayer::NoError)
        return nullptr;
    return std::make_unique<QtAudioClip>(std::move(player), std::move(output));
}

void QtAudioBackEnd::playOnce(const QString& path, double volume) {
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        Q_EMIT oneOffFinished(path, true);
        return;
    }

    // A fresh player per request, owned by this object until the sound is over.
    auto* output = new QAudioOutput(this);
    auto* player = new QMediaPlayer(this);
    output->setVolume(float(volume));
    player->setAudioOutput(output);

    auto finished = std::make_shared<bool>(false);
    auto finish = [this, player, output, path, finished](bool failed) {
        if (*finished)
            return;
        *finished = true;
        player->disconnect(this);
        player->stop();
        player->deleteLater();
        output->deleteLater();
        Q_EMIT oneOffFinished(path, failed);
    };
    connect(player, &QMediaPlayer::errorOccurred, this, [finish] { finish(true); });
    connect(player, &QMediaPlayer::mediaStatusChanged, this, [finish](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::EndOfMedia)
            finish(false);
        else if (status == QMediaPlayer::InvalidMedia)
            finish(true);
    });
    QTimer::singleShot(kOneOffLimit, player, [finish] { finish(true); });

    player->setSource(QUrl::fromLocalFile(file.absoluteFilePath()));
    player->play();
}

bool QtAudioBackEnd::hasAudioOutput() {
    return !QMediaDevices::audioOutputs().isEmpty();
}
