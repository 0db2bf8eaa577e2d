#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QTimeZone>

// A whole-hour zone in which it is now between 12:00 and 13:00. The program under test runs in it, so local
// midnight never passes during a run: "today" figures and once-a-day goals hold whenever the suite runs.
namespace MiddayTimeZone {

inline QByteArray ianaIdAt(const QDateTime& utc) {
    const int ahead = 12 - utc.toUTC().time().hour(); // -11 to 12
    if (ahead == 0)
        return QByteArrayLiteral("Etc/UTC");
    // The Etc zones carry the POSIX sign: Etc/GMT-5 is five hours ahead of UTC.
    return (ahead > 0 ? QByteArrayLiteral("Etc/GMT-") : QByteArrayLiteral("Etc/GMT+")) +
           QByteArray::number(qAbs(ahead));
}

} // namespace MiddayTimeZone
