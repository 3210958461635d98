#include "widgets/NumberMask.h"

#include <cmath>

QString FormatNumber(double value, const QString& mask)
{
    if (mask.isEmpty())
        return QString::number(value, 'g', 15);
    const qsizetype dot = mask.indexOf(u'.');
    const QString intPart = dot < 0 ? mask : mask.left(dot);
    const QString decPart = dot < 0 ? QString() : mask.mid(dot + 1);
    const int minDecimals = int(decPart.count(u'0'));
    const int maxDecimals = minDecimals + int(decPart.count(u'#'));
    const bool grouping = intPart.contains(u',');
    const bool zeroShown = intPart.contains(u'0') || minDecimals > 0;

    QString text = QString::number(std::abs(value), 'f', maxDecimals);
    if (maxDecimals > minDecimals) {
        // Drop optional trailing zeros, then a dot left alone.
        const qsizetype point = text.indexOf(u'.');
        qsizetype end = text.size();
        while (end > point + 1 + minDecimals && text.at(end - 1) == u'0')
            --end;
        if (end == point + 1)
            --end;
        text.truncate(end);
    }
    const qsizetype point = text.indexOf(u'.');
    QString digits = point < 0 ? text : text.left(point);
    const QString fraction = point < 0 ? QString() : text.mid(point);
    const bool zero = text.toDouble() == 0; // after rounding to the shown decimals
    if (zero && !zeroShown)
        return QString();
    if (grouping)
        for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
            digits.insert(i, u',');
    const bool negative = value < 0 && !zero;
    return (negative ? QStringLiteral("-") : QString()) + digits + fraction;
}

double ParseNumber(const QString& text, bool* ok)
{
    QString t = text;
    t.remove(u',');
    t.remove(u' ');
    if (t.isEmpty()) {
        if (ok)
            *ok = true;
        return 0;
    }
    bool good = false;
    const double v = t.toDouble(&good);
    if (ok)
        *ok = good;
    return good ? v : 0;
}
