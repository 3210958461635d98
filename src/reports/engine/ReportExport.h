#pragma once
// Files written from a report's printed rows (not from its pages).
#include "reports/engine/ReportDocument.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace ReportExport {

// For machines: a header line of the detail fields' names, one line per
// printed detail row with the values as printed, an empty line, then one
// "name,value" line per filled label and summary figure. UTF-8, fields with
// commas or quotes are quoted.
QByteArray csv(const ReportDocument& doc);

// Plain text: the title, the column titles and the rows in aligned columns,
// then the labels and summary figures.
QByteArray text(const ReportDocument& doc);

// A workbook: the title in row 1, the column titles in row 2, one row per
// detail row from row 3 (numbers as numbers in the field's mask, text as
// text), then the labels and figures. Throws ReportError.
void xlsx(const ReportDocument& doc, const QString& path);

// Writes csv(), text() or xlsx() by format name ("csv", "txt", "xlsx", "pdf").
void write(const ReportDocument& doc, const QString& format, const QString& path);

// A grid's rows as a workbook: row 1 empty, row 2 the titles, data from row
// 3; numeric values as numbers, everything else as text; columns sized to
// their contents. Throws ReportError.
void gridXlsx(const QString& path, const QString& sheetTitle, const QStringList& titles,
              const QList<QVariantList>& rows);

} // namespace ReportExport
