#pragma once

#include <QString>

// Money in its own currency. Codes are ISO 4217, in any case; an empty or unknown code reads as US dollars.
namespace CurrencyFormat {

// The code every source reports in unless it says otherwise.
QString defaultCode();
// Digits of the minor unit: 0 for zero-decimal currencies (JPY), 3 for three-decimal ones (BHD), else 2.
int minorDigits(const QString& code);
// An amount given in the currency's smallest unit, in whole units (1500 JPY -> 1500, 1500 USD -> 15).
double fromMinorUnits(qint64 amount, const QString& code);
// The sign written before amounts: the system locales' own symbol ("¥", "€", "£"), "$" for USD and for codes
// no locale knows.
QString symbol(const QString& code);
// Symbol and amount with `decimals` digits after the point, C-locale rules ("¥1500", "$-12").
QString format(double amount, const QString& code, int decimals = 0);
// An amount in the smallest unit, with the currency's own number of digits ("$19.00", "¥1500").
QString formatMinorUnits(qint64 amount, const QString& code);

} // namespace CurrencyFormat
