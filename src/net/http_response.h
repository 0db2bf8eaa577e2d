#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>

// An HTTP answer: whatever its status, the server did answer. Transport failures are TransportError instead.
struct HttpResponse {
    int status = 0;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;

    QByteArray header(const QByteArray& name) const;
};
