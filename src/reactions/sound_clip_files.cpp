#include "reactions/sound_clip_files.h"

#include <QDir>
#include <QFileInfo>

namespace SoundClipFiles {

const QStringList& supportedExtensions() {
    // The last four are the formats Linux desktops ship their sounds in.
    static const QStringList extensions = {
        QStringLiteral("m4a"),  QStringLiteral("mp3"),  QStringLiteral("wav"),
        QStringLiteral("aiff"), QStringLiteral("caf"),  QStringLiteral("ogg"),
        QStringLiteral("oga"),  QStringLiteral("opus"), QStringLiteral("flac")};
    return extensions;
}

QString prefix(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::moan:
        return QStringLiteral("moan");
    case SoundEffect::scream:
        return QStringLiteral("scream");
    case SoundEffect::chaChing:
        return QStringLiteral("cha_ching");
    case SoundEffect::rocketWhoosh:
        return QStringLiteral("whoosh");
    case SoundEffect::sadTrombone:
        return QStringLiteral("sad");
    case SoundEffect::applause:
        return QStringLiteral("applause");
    case SoundEffect::airhorn:
        return QStringLiteral("airhorn");
    case SoundEffect::whisper:
        return QStringLiteral("whisper");
    }
    return {};
}

QString alertSoundFileName(SoundEffect effect) {
    switch (effect) {
    case SoundEffect::moan:
        return QStringLiteral("message-new-instant.oga");
    case SoundEffect::scream:
        return QStringLiteral("dialog-error.oga");
    case SoundEffect::chaChing:
        return QStringLiteral("bell.oga");
    case SoundEffect::rocketWhoosh:
        return QStringLiteral("service-login.oga");
    case SoundEffect::sadTrombone:
        return QStringLiteral("dialog-warning.oga");
    case SoundEffect::applause:
        return QStringLiteral("complete.oga");
    case SoundEffect::airhorn:
        return QStringLiteral("window-attention.oga");
    case SoundEffect::whisper:
        return QStringLiteral("message.oga");
    }
    return {};
}

QStringList clipsIn(const QString& folder, const QString& prefix) {
    if (folder.isEmpty())
        return {};
    const QDir dir(folder);
    // Hidden files count like any other; only regular files (or links to them) can be clips.
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    QStringList paths;
    for (const QFileInfo& entry : entries) {
        if (!entry.fileName().startsWith(prefix, Qt::CaseSensitive))
            continue;
        if (!supportedExtensions().contains(entry.suffix().toLower()))
            continue;
        paths.append(entry.filePath());
    }
    return paths;
}

} // namespace SoundClipFiles
