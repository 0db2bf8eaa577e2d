#include "model/currency_format.h"

#include "model/c_format.h"

#include <QHash>
#include <QLocale>
#include <QSet>
#include <cmath>

namespace CurrencyFormat {

namespace {

const QSet<QString>& zeroDecimal() {
    static const QSet<QString> codes = {
        QStringLiteral("BIF"), QStringLiteral("CLP"), QStringLiteral("DJF"), QStringLiteral("GNF"),
        QStringLiteral("JPY"), QStringLiteral("KMF"), QStringLiteral("KRW"), QStringLiteral("MGA"),
        QStringLiteral("PYG"), QStringLiteral("RWF"), QStringLiteral("UGX"), QStringLiteral("VND"),
        QStringLiteral("VUV"), QStringLiteral("XAF"), QStringLiteral("XOF"), QStringLiteral("XPF"),
    };
    return codes;
}

const QSet<QString>& threeDecimal() {
    static const QSet<QString> codes = {QStringLiteral("BHD"), QStringLiteral("JOD"), QStringLiteral("KWD"),
                                        QStringLiteral("OMR"), QStringLiteral("TND")};
    return codes;
}

// Compatibility forms folded (the full-width yen sign of Japanese locales becomes "¥") and direction marks
// dropped, so the symbol reads well before a number in a left-to-right line.
QString cleaned(const QString& symbol) {
    QString text = symbol.normalized(QString::NormalizationForm_KC);
    text.removeIf([](QChar c) { return c.category() == QChar::Other_Format; });
    return text.trimmed();
}

// Code -> symbol for every currency some locale uses. English-language locales are preferred, so that a
// currency shared by several languages gets the form English-speaking readers know.
QHash<QString, QString> buildSymbols() {
    QHash<QString, QString> symbols;
    QHash<QString, QString> fallback;
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale& locale : locales) {
        const QString code = locale.currencySymbol(QLocale::CurrencyIsoCode);
        const QString symbol = cleaned(locale.currencySymbol(QLocale::CurrencySymbol));
        if (code.isEmpty() || symbol.isEmpty())
            continue;
        QHash<QString, QString>& target = locale.language() == QLocale::English ? symbols : fallback;
        if (!target.contains(code))
            target.insert(code, symbol);
    }
    for (auto it = fallback.constBegin(); it != fallback.constEnd(); ++it) {
        if (!symbols.contains(it.key()))
            symbols.insert(it.key(), it.value());
    }
    return symbols;
}

} // namespace

QString defaultCode() {
    return QStringLiteral("USD");
}

int minorDigits(const QString& code) {
    const QString upper = code.toUpper();
    if (zeroDecimal().contains(upper))
        return 0;
    if (threeDecimal().contains(upper))
        return 3;
    return 2;
}

double fromMinorUnits(qint64 amount, const QString& code) {
    return static_cast<double>(amount) / std::pow(10.0, minorDigits(code));
}

QString symbol(const QString& code) {
    static const QHash<QString, QString> symbols = buildSymbols();
    const QString upper = code.toUpper();
    if (upper == defaultCode())
        return QStringLiteral("$");
    return symbols.value(upper, QStringLiteral("$"));
}

QString format(double amount, const QString& code, int decimals) {
    return symbol(code) + cFormat("%.*f", decimals, amount);
}

QString formatMinorUnits(qint64 amount, const QString& code) {
    return format(fromMinorUnits(amount, code), code, minorDigits(code));
}

} // namespace CurrencyFormat
