#pragma once
// Lays a report out into pages, once; the preview, the printer and the PDF
// then paint the same pages. Time is linear in the rows.
#include "reports/engine/ReportData.h"
#include "reports/engine/ReportDocument.h"

#include <QDateTime>
#include <QImage>

// Throws ReportError when the definition names a column the rows lack or the
// approval picture cannot be read.
ReportDocument layoutReport(const ReportJob& job, const QDateTime& printedAt = QDateTime::currentDateTime());

// The approval box picture: "결재.bmp" in the configured picture folder
// (setting picture_dir) when there is one, else the picture shipped with the
// program.
QImage approvalPicture();

// Width in millimetres of a text set in the font (family, size, bold).
double reportTextWidth(const QString& family, const ReportFont& font, const QString& text);
