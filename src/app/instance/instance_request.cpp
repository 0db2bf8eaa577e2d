#include "app/instance/instance_request.h"

#include <QJsonValue>
#include <QStringList>
#include <array>

namespace {

struct CommandName {
    InstanceRequest::Command command;
    QLatin1String name;
};

constexpr std::array<CommandName, 4> kCommands = {{
    {InstanceRequest::Command::open, QLatin1String("open")},
    {InstanceRequest::Command::status, QLatin1String("status")},
    {InstanceRequest::Command::connect, QLatin1String("connect")},
    {InstanceRequest::Command::disconnect, QLatin1String("disconnect")},
}};

// Longer than any property id or site address; a peer may not make us carry more.
constexpr qsizetype kMaxChoiceLength = 2048;

} // namespace

QJsonObject InstanceRequest::toJson() const {
    QJsonObject message{{QStringLiteral("type"), QStringLiteral("request")},
                        {QStringLiteral("version"), kProtocolVersion},
                        {QStringLiteral("demo"), demo},
                        {QStringLiteral("json"), json},
                        {QStringLiteral("interactive"), interactive},
                        {QStringLiteral("noBrowser"), noBrowser}};
    for (const CommandName& entry : kCommands) {
        if (entry.command == command)
            message.insert(QStringLiteral("command"), QString(entry.name));
    }
    if (!target.isEmpty())
        message.insert(QStringLiteral("target"), target);
    if (gaProperty)
        message.insert(QStringLiteral("gaProperty"), *gaProperty);
    if (gscSite)
        message.insert(QStringLiteral("gscSite"), *gscSite);
    return message;
}

std::optional<InstanceRequest> InstanceRequest::fromJson(const QJsonObject& message, QString* problem) {
    const auto refuse = [problem](const QString& why) -> std::optional<InstanceRequest> {
        *problem = why;
        return std::nullopt;
    };
    if (message.value(QStringLiteral("type")) != QJsonValue(QStringLiteral("request")))
        return refuse(QStringLiteral("not a request"));
    const QJsonValue version = message.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() != kProtocolVersion)
        return refuse(QStringLiteral("protocol version"));

    InstanceRequest request;
    const QString command = message.value(QStringLiteral("command")).toString();
    bool known = false;
    for (const CommandName& entry : kCommands) {
        if (command == entry.name) {
            request.command = entry.command;
            known = true;
        }
    }
    if (!known)
        return refuse(QStringLiteral("unknown command"));

    for (const auto& [key, field] :
         {std::pair{QStringLiteral("demo"), &request.demo}, std::pair{QStringLiteral("json"), &request.json},
          std::pair{QStringLiteral("interactive"), &request.interactive},
          std::pair{QStringLiteral("noBrowser"), &request.noBrowser}}) {
        const QJsonValue value = message.value(key);
        if (!value.isUndefined() && !value.isBool())
            return refuse(key + QStringLiteral(" is not true or false"));
        *field = value.toBool(false);
    }

    const QJsonValue target = message.value(QStringLiteral("target"));
    const bool needsTarget = request.command == Command::connect || request.command == Command::disconnect;
    if (needsTarget) {
        const QStringList targets = {QStringLiteral("stripe"), QStringLiteral("datafast"),
                                     QStringLiteral("google")};
        if (!target.isString() || !targets.contains(target.toString()))
            return refuse(QStringLiteral("unknown target"));
        request.target = target.toString();
    } else if (!target.isUndefined()) {
        return refuse(QStringLiteral("target does not apply"));
    }

    for (const auto& [key, field] : {std::pair{QStringLiteral("gaProperty"), &request.gaProperty},
                                     std::pair{QStringLiteral("gscSite"), &request.gscSite}}) {
        const QJsonValue value = message.value(key);
        if (value.isUndefined())
            continue;
        if (!value.isString() || value.toString().size() > kMaxChoiceLength)
            return refuse(key + QStringLiteral(" is not a short text"));
        *field = value.toString();
    }
    return request;
}
