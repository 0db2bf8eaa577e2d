#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QUrl>
#include <chrono>

// One HTTP request as the core builds it. Headers keep their order.
struct HttpRequest {
    QByteArray method = "GET";
    QUrl url;
    QList<QPair<QByteArray, QByteArray>> headers;
    QByteArray body;
    std::chrono::milliseconds timeout{60000};

    QByteArray header(const QByteArray& name) const;
    void setHeader(const QByteArray& name, const QByteArray& value);
};
