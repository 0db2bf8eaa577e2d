#include "net/http_request.h"
#include "net/http_response.h"

namespace {
QByteArray findHeader(const QList<QPair<QByteArray, QByteArray>>& headers, const QByteArray& name) {
    for (const auto& [key, value] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    }
    return {};
}
} // namespace

QByteArray HttpRequest::header(const QByteArray& name) const { return findHeader(headers, name); }

void HttpRequest::setHeader(const QByteArray& name, const QByteArray& value) {
    for (auto& [key, existing] : headers) {
        if (key.compare(name, Qt::CaseInsensitive) == 0) {
            existing = value;
            return;
        }
    }
    headers.append({name, value});
}

QByteArray HttpResponse::header(const QByteArray& name) const { return findHeader(headers, name); }
