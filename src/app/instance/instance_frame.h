#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>

// The instance socket carries frames: a 4-byte big-endian length, then that many bytes of one UTF-8 JSON
// object. The peer is another process of this user, but still only trusted to be malformed: every frame is
// bounded and checked before anything reads it.
namespace InstanceFrame {

// Generous for a status text or a connect's output, small enough that a peer cannot make us hold much.
inline constexpr qsizetype kMaxPayloadBytes = 64 * 1024;
inline constexpr qsizetype kHeaderBytes = 4;

// Nothing when the object would not fit in one frame.
QByteArray encode(const QJsonObject& message);

// Collects bytes as they arrive and hands out complete messages. After the first malformed frame it stays
// failed and keeps nothing, so the caller can drop the connection.
class Decoder {
public:
    // Returns false once the stream is malformed (oversized or empty frame, not JSON, not an object).
    bool feed(const QByteArray& bytes);
    bool hasMessage() const { return !m_messages.isEmpty(); }
    QJsonObject takeMessage() { return m_messages.takeFirst(); }
    bool failed() const { return m_failed; }
    // Bytes of an incomplete frame still waiting for the rest.
    qsizetype pendingBytes() const { return m_buffer.size(); }

private:
    void fail();

    QByteArray m_buffer;
    QList<QJsonObject> m_messages;
    bool m_failed = false;
};

} // namespace InstanceFrame
