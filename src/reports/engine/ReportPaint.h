#pragma once
// Paints laid-out pages on any device: the preview, the printer, the PDF.
#include "reports/engine/ReportDocument.h"

#include <functional>

class QPainter;
class QPrinter;

namespace ReportPaint {

// Paints one page (0-based) with its top-left corner at the painter's
// origin, at the given device pixels per millimetre.
void page(QPainter& painter, const ReportDocument& doc, int index, double pixelsPerMm);

// Writes every page to a PDF file. Throws ReportError.
void pdf(const ReportDocument& doc, const QString& path);

// Sends every page to the printer, whose page setup this sets from the
// report (A4, orientation, no margins of its own). progress(done, total) is
// called after each page; returning false stops. Throws ReportError.
void print(const ReportDocument& doc, QPrinter& printer,
           const std::function<bool(int, int)>& progress = {});

} // namespace ReportPaint
