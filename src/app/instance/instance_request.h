#pragma once

#include <QJsonObject>
#include <QString>
#include <optional>

// What a later `zingboard` asks of the running instance, as it travels in the first frame. Secrets never
// travel here: the instance asks for them line by line while it runs the command.
struct InstanceRequest {
    enum class Command { open, status, connect, disconnect };

    // Bumped whenever a message changes meaning, so an upgraded program does not talk past a running old one.
    static constexpr int kProtocolVersion = 1;

    Command command = Command::open;
    // open: switch the demo source on. status: print JSON.
    bool demo = false;
    bool json = false;
    // connect, disconnect: "stripe", "datafast" or "google".
    QString target;
    // The asking program's standard input is a terminal (the instance may ask it questions).
    bool interactive = false;
    // connect google.
    bool noBrowser = false;
    std::optional<QString> gaProperty;
    std::optional<QString> gscSite;

    QJsonObject toJson() const;
    // Nothing, with `problem` set, for anything this version would not itself send.
    static std::optional<InstanceRequest> fromJson(const QJsonObject& message, QString* problem);
};
