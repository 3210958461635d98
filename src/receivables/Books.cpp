#include "receivables/Books.h"
#include "data/Routines.h"
#include "data/Session.h"

ReceivableBook ReceivableBook::of(int book)
{
    if (book == 0)
        return {QStringLiteral("r_mast"), QStringLiteral("r_ipkum"), QStringLiteral("makam")};
    return {QStringLiteral("tax_mast"), QStringLiteral("tax_ipkum"), QStringLiteral("tax_makam")};
}

int StartYear() { return session().StartMonth.left(4).toInt(); }

QString YearText(int year) { return PadDigits(QString::number(year), 4); }

QString ClosingKey(int year) { return YearText(year) + QStringLiteral("-13"); }

QString SitePlan(const QString& table, bool grouped)
{
    return (grouped ? QStringLiteral(" plan sort (%1 index (%1_site))") : QStringLiteral(" plan (%1 index (%1_site))"))
        .arg(table);
}

QString YearPlan(const QString& table) { return QStringLiteral(" plan sort (%1 index (%1_yun))").arg(table); }
