#pragma once

#include <QString>
#include <optional>

// Where the running instance keeps its lock and socket: a folder of this user's runtime directory that only
// the user may enter. One instance per set of documents, so a trial run with its own configuration folder
// (make run) does not meet the user's everyday program.
struct InstancePaths {
    QString folder;
    QString lockFile;
    QString socket;

    // For the documents in `configFolder`. Creates the folder (mode 0700) and tightens one that others may
    // enter; `problem` says why it could not be made private.
    static std::optional<InstancePaths> forConfigFolder(const QString& configFolder, QString* problem);
    // For the documents of this process's configuration folder.
    static std::optional<InstancePaths> forThisUser(QString* problem);
};
