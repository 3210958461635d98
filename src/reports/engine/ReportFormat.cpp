#include "reports/engine/ReportFormat.h"

#include <cmath>

namespace {

// Digits of |value| rounded half away from zero to `decimals` places, as an
// integer part and a fraction part of exactly `decimals` digits.
void roundedDigits(double value, int decimals, QString& intPart, QString& fraction)
{
    long double scaled = std::fabs(static_cast<long double>(value));
    for (int i = 0; i < decimals; ++i)
        scaled *= 10.0L;
    const long double whole = std::floor(scaled + 0.5L);
    QString digits = QString::number(static_cast<double>(whole), 'f', 0);
    if (digits.size() <= decimals)
        digits = QString(decimals - digits.size() + 1, QLatin1Char('0')) + digits;
    intPart = digits.left(digits.size() - decimals);
    fraction = digits.right(decimals);
}

QString grouped(const QString& digits)
{
    QString out;
    out.reserve(digits.size() + digits.size() / 3);
    const int n = int(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += QLatin1Char(',');
        out += digits.at(i);
    }
    return out;
}

bool isZero(const QString& intPart, const QString& fraction)
{
    for (const QChar c : intPart + fraction)
        if (c != QLatin1Char('0'))
            return false;
    return true;
}

} // namespace

namespace ReportFormat {

QString mask(double value, const QString& m)
{
    // Split the mask into literal prefix, number pattern and literal suffix.
    static const QString patternChars = QStringLiteral("#0,.");
    int start = 0;
    while (start < m.size() && !patternChars.contains(m.at(start)))
        ++start;
    int end = start;
    while (end < m.size() && patternChars.contains(m.at(end)))
        ++end;
    const QString prefix = m.left(start);
    const QString suffix = m.mid(end);
    const QString pattern = m.mid(start, end - start);
    if (pattern.isEmpty())
        return m;

    const int dot = int(pattern.indexOf(QLatin1Char('.')));
    const QString intPattern = dot < 0 ? pattern : pattern.left(dot);
    const QString fracPattern = dot < 0 ? QString() : pattern.mid(dot + 1);
    const bool thousands = intPattern.contains(QLatin1Char(','));
    const int minInt = int(intPattern.count(QLatin1Char('0')));
    const int requiredDecimals = int(fracPattern.count(QLatin1Char('0')));
    const int decimals = requiredDecimals + int(fracPattern.count(QLatin1Char('#')));

    QString intPart, fraction;
    roundedDigits(value, decimals, intPart, fraction);
    const bool negative = value < 0 && !isZero(intPart, fraction);

    // Integer digits: drop leading zeros, then pad to the required count.
    int lead = 0;
    while (lead < intPart.size() && intPart.at(lead) == QLatin1Char('0'))
        ++lead;
    intPart = intPart.mid(lead);
    if (intPart.size() < minInt)
        intPart = QString(minInt - intPart.size(), QLatin1Char('0')) + intPart;
    // Optional decimals: drop trailing zeros beyond the required ones.
    while (fraction.size() > requiredDecimals && fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);

    QString number = thousands ? grouped(intPart) : intPart;
    if (!fraction.isEmpty())
        number += QLatin1Char('.') + fraction;
    if (number.isEmpty())
        return prefix + suffix; // "#,###" prints nothing for zero
    return prefix + (negative ? QStringLiteral("-") : QString()) + number + suffix;
}

QString label(double value, const QString& format)
{
    // "%" [width] ["." [precision]] "n"; without a point two decimals.
    int decimals = 2;
    const int dot = int(format.indexOf(QLatin1Char('.')));
    if (dot >= 0) {
        int i = dot + 1;
        QString digits;
        while (i < format.size() && format.at(i).isDigit())
            digits += format.at(i++);
        decimals = digits.isEmpty() ? 0 : digits.toInt();
    }
    QString intPart, fraction;
    roundedDigits(value, decimals, intPart, fraction);
    const bool negative = value < 0 && !isZero(intPart, fraction);
    QString out = grouped(intPart);
    if (decimals > 0)
        out += QLatin1Char('.') + fraction;
    return negative ? QLatin1Char('-') + out : out;
}

int cp949Width(const QString& text)
{
    int bytes = 0;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size())
            ++i;
        bytes += c.unicode() < 0x80 ? 1 : 2;
    }
    return bytes;
}

QString cutToCp949(const QString& text, int bytes)
{
    int used = 0;
    int i = 0;
    while (i < text.size()) {
        const QChar c = text.at(i);
        const int len = (c.isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const int w = c.unicode() < 0x80 ? 1 : 2;
        if (used + w > bytes)
            break;
        used += w;
        i += len;
    }
    return text.left(i);
}

} // namespace ReportFormat
