#include "reports/engine/ReportData.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportFormat.h"

MemTable& MemTable::text(const QString& name, int widthBytes)
{
    rows_.columns << name.toLower();
    widths_ << widthBytes;
    return *this;
}

MemTable& MemTable::number(const QString& name)
{
    rows_.columns << name.toLower();
    widths_ << -1;
    return *this;
}

void MemTable::append(const QList<QPair<QString, QVariant>>& values)
{
    QVariantList row(rows_.columns.size());
    for (const auto& [name, v] : values) {
        const int c = rows_.column(name);
        if (c < 0)
            throw ReportError(QStringLiteral("no field %1 in the in-memory table").arg(name));
        if (v.isNull())
            continue;
        if (widths_.at(c) < 0)
            row[c] = v.toDouble();
        else
            row[c] = ReportFormat::cutToCp949(Sql::textOf(v), widths_.at(c));
    }
    rows_.data.append(row);
}

void ReportLabels::set(const QString& name, const QString& value)
{
    for (auto& item : items_)
        if (item.first == name) {
            item.second = value;
            return;
        }
    items_.append({name, value});
}

void ReportLabels::setNumber(const QString& name, double value, const QString& format)
{
    set(name, ReportFormat::label(value, format));
}

QString ReportLabels::value(const QString& name) const
{
    for (const auto& item : items_)
        if (item.first == name)
            return item.second;
    return {};
}

bool ReportLabels::has(const QString& name) const
{
    for (const auto& item : items_)
        if (item.first == name)
            return true;
    return false;
}

void setStandardLabels(ReportLabels& labels)
{
    labels.set(QStringLiteral("namel"), session().SessionCompanyName);
    labels.set(QStringLiteral("japuml"), session().SessionJapum);
    labels.set(QStringLiteral("iso_seq"), IsoNumberText(session().IsoCode));
}
