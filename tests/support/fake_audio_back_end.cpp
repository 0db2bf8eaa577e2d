#include "support/fake_audio_back_end.h"

#include <QFileInfo>

class FakeAudioClip final : public AudioClip {
public:
    FakeAudioClip(FakeAudioBackEnd& backEnd, QString path) : m_backEnd(backEnd), m_path(std::move(path)) {}
    void setVolume(double volume) override { m_volume = volume; }
    void playFromStart() override {
        m_backEnd.m_playbacks.append(FakeAudioBackEnd::Playback{m_path, m_volume, false});
    }

private:
    FakeAudioBackEnd& m_backEnd;
    QString m_path;
    // A real output starts at full volume.
    double m_volume = 1.0;
};

std::unique_ptr<AudioClip> FakeAudioBackEnd::openClip(const QString& path) {
    m_openRequests.append(path);
    const QFileInfo file(path);
    if (!file.isFile() || m_undecodable.contains(file.fileName()))
        return nullptr;
    return std::make_unique<FakeAudioClip>(*this, path);
}

void FakeAudioBackEnd::playOnce(const QString& path, double volume) {
    m_playbacks.append(Playback{path, volume, true});
}

QStringList FakeAudioBackEnd::playedFileNames() const {
    QStringList names;
    for (const Playback& playback : m_playbacks)
        names.append(QFileInfo(playback.path).fileName());
    return names;
}
