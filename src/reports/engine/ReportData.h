#pragma once
// What a report prints: its driving rows (a query's result, an in-memory
// table in append order, or nothing) and the labels its code filled.
#include "data/Sql.h"
#include "reports/engine/ReportDefinition.h"

#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// One row of the driving data, for sum values and group keys.
class ReportRow {
public:
    ReportRow(const Rows& rows, int index) : rows_(rows), index_(index) {}
    QString text(const QString& column) const { return rows_.text(index_, column); }
    double number(const QString& column) const { return rows_.number(index_, column); }
    QVariant value(const QString& column) const { return rows_.value(index_, column); }
    int index() const { return index_; }
private:
    const Rows& rows_;
    int index_;
};

// An in-memory table with a fixed list of fields: text fields hold at most
// their width in bytes of code page 949 (longer text is cut), number fields
// hold a double. Rows come out in the order they were appended.
class MemTable {
public:
    MemTable& text(const QString& name, int widthBytes);
    MemTable& number(const QString& name);
    // A field left out of a row stays empty (prints nothing).
    void append(const QList<QPair<QString, QVariant>>& values);
    void clear() { rows_.data.clear(); }
    int size() const { return rows_.size(); }
    const Rows& rows() const { return rows_; }
private:
    QList<int> widths_; // per field: bytes, or -1 for a number
    Rows rows_;
};

// Labels in the order the code filled them.
class ReportLabels {
public:
    void set(const QString& name, const QString& value);
    void setNumber(const QString& name, double value, const QString& format = QStringLiteral("%.0n"));
    QString value(const QString& name) const;
    bool has(const QString& name) const;
    const QList<QPair<QString, QString>>& items() const { return items_; }
private:
    QList<QPair<QString, QString>> items_;
};

// The labels most reports share: namel (SessionCompanyName), japuml
// (SessionJapum) and iso_seq (the ISO number of session().IsoCode).
void setStandardLabels(ReportLabels& labels);

// Everything one run of a report needs: made fresh for every run.
struct ReportJob {
    ReportDefinition def;
    Rows rows;
    ReportLabels labels;
};
