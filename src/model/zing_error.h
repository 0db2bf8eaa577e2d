#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

// Base of every error the core raises: it carries the user-readable text that screens and `lastError` show.
// Errors travel as exceptions through coroutines; callers catch `ZingError`.
class ZingError : public std::exception {
public:
    explicit ZingError(QString description)
        : m_description(std::move(description)), m_what(m_description.toUtf8()) {}
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

private:
    QString m_description;
    QByteArray m_what;
};

// The user text of any error: a ZingError's description, otherwise what the library said.
inline QString describeError(const std::exception& error) {
    if (const auto* zing = dynamic_cast<const ZingError*>(&error))
        return zing->description();
    return QString::fromUtf8(error.what());
}

// What an error line shows of a description: a description may carry a whole error page from a service (up
// to the HTTP client's 10 MiB cap), so only its start is kept, never splitting a character.
inline QString shortErrorText(QString description) {
    constexpr qsizetype maxLength = 500;
    if (description.size() <= maxLength)
        return description;
    qsizetype cut = maxLength;
    if (description.at(cut - 1).isHighSurrogate())
        --cut;
    description.truncate(cut);
    return description + QChar(0x2026);
}
