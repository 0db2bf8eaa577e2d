#include "app/instance/instance_frame.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QtEndian>

namespace InstanceFrame {

QByteArray encode(const QJsonObject& message) {
    const QByteArray payload = QJsonDocument(message).toJson(QJsonDocument::Compact);
    if (payload.size() > kMaxPayloadBytes)
        return {};
    QByteArray frame(kHeaderBytes, Qt::Uninitialized);
    qToBigEndian(quint32(payload.size()), frame.data());
    return frame + payload;
}

void Decoder::fail() {
    m_failed = true;
    m_buffer.clear();
    m_messages.clear();
}

bool Decoder::feed(const QByteArray& bytes) {
    if (m_failed)
        return false;
    m_buffer.append(bytes);
    while (m_buffer.size() >= kHeaderBytes) {
        const quint32 length = qFromBigEndian<quint32>(m_buffer.constData());
        // Checked before waiting for the body, so an announced 4 GiB frame is refused at once.
        if (length == 0 || length > quint32(kMaxPayloadBytes)) {
            fail();
            return false;
        }
        if (m_buffer.size() - kHeaderBytes < qsizetype(length))
            break;
        QJsonParseError error;
        const QJsonDocument document =
            QJsonDocument::fromJson(m_buffer.mid(kHeaderBytes, qsizetype(length)), &error);
        if (error.error != QJsonParseError::NoError || !document.isObject()) {
            fail();
            return false;
        }
        m_messages.append(document.object());
        m_buffer.remove(0, kHeaderBytes + qsizetype(length));
    }
    return true;
}

} // namespace InstanceFrame
