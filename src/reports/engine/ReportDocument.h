#pragma once
// A report laid out into pages: what the preview, the printer and the PDF
// paint, and the printed rows that the exports write. It can be saved to and
// read back from the previewer's own file format.
#include "reports/engine/ReportDefinition.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariant>

struct ReportItem {
    enum Kind : quint8 { Text, Line, Box, Picture };
    Kind kind = Text;
    quint8 font = 0;    // Text: index into fonts; Picture: index into pictures
    quint16 align = 0;  // Qt::Alignment of a text
    QRectF rect;        // millimetres from the paper's top-left corner
    QString text;
};

struct ReportPage {
    QList<ReportItem> items;
};

struct ReportDocument {
    QString name;   // template name
    QString title;
    bool landscape = true;
    QString fontFamily;
    QList<ReportFont> fonts;
    QList<QImage> pictures;
    QList<ReportPage> pages;
    QDateTime printedAt;
    bool spreadsheetFilter = false;
    bool textFilter = false;

    // The detail fields and, per printed detail row, their values as printed
    // and as data (numbers as double, texts uncut) for the exports.
    QStringList fieldNames;
    QStringList fieldCaptions;
    QStringList fieldMasks;
    QList<QStringList> printedRows;
    QList<QVariantList> rowValues;
    // Labels the code filled and the figures of the summary band, as printed.
    QList<QPair<QString, QString>> labels;
    QList<QPair<QString, QString>> figures;

    double paperWidth() const { return landscape ? 297 : 210; }
    double paperHeight() const { return landscape ? 210 : 297; }
    int pageCount() const { return int(pages.size()); }

    // The previewer's own file (extension .vrp). Both throw ReportError.
    void save(const QString& path) const;
    static ReportDocument load(const QString& path);
};

inline const QString ReportFileSuffix = QStringLiteral("vrp");
