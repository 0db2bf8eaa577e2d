#pragma once

#include <QString>

// A private PulseAudio server with a single null sink, so Qt Multimedia plays to a real (silent) device.
// Started once per test process and stopped when the application object goes away; it also dies with the
// process. Ask for it before anything touches Qt Multimedia: the audio device list is read only once.
class PulseNullSink {
public:
    static bool isInstalled();
    // Starts the server on the first call. Returns nullptr and sets `*whyNot` when it cannot run.
    static PulseNullSink* shared(QString* whyNot);

    QString runtimeDir() const { return m_runtimeDir; }

private:
    explicit PulseNullSink(QString runtimeDir) : m_runtimeDir(std::move(runtimeDir)) {}
    QString m_runtimeDir;
};
