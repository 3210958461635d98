#include "data/Routines.h"
#include "data/Sql.h"

#include <cfenv>
#include <cmath>

QString PadDigits(const QString& text, int n)
{
    const QString s = QStringLiteral("0000000000000") + text;
    return s.right(n);
}

QString LastFiveMonths(int year, const QString& month)
{
    QString out = QString::number(year) + QLatin1Char('-') + month;
    const int m = month.toInt();
    for (int i = 1; i <= 4; ++i) {
        int y = year;
        int mm = m - i;
        if (mm <= 0) {
            y -= 1;
            mm += 12;
        }
        out += QString::number(y) + QLatin1Char('-') + PadDigits(QString::number(mm), 2);
    }
    return out;
}

QString IsoNumberText(int code)
{
    const Rows r = Sql::select(QStringLiteral("select num from iso where code = ?"), {code});
    return r.text(0, "num");
}

QString LevelCondition(const QString& level, const QString& column)
{
    if (level == QLatin1String("P"))
        return QStringLiteral(" and ( %1 <> 'T' )").arg(column);
    if (level == QLatin1String("R"))
        return QStringLiteral(" and ( %1 = 'T' )").arg(column);
    return {};
}

bool LevelHides(const QString& level, const QString& kawnSa)
{
    if (level == QLatin1String("P"))
        return kawnSa == QLatin1String("T");
    if (level == QLatin1String("R"))
        return kawnSa != QLatin1String("T");
    return false;
}

long double Round(long double x)
{
    // The default floating-point environment rounds to nearest, ties to even;
    // nothing in the program changes it, but a library might: be explicit.
    const int saved = std::fegetround();
    if (saved != FE_TONEAREST)
        std::fesetround(FE_TONEAREST);
    const long double r = std::nearbyintl(x);
    if (saved != FE_TONEAREST)
        std::fesetround(saved);
    return r + 0.0L; // no negative zero
}

long double Int(long double x) { return std::truncl(x) + 0.0L; }
