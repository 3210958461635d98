// Lays out and writes a 20,000-row list and prints rows per second for the
// layout and for the PDF.
#include "reports/engine/ReportExport.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportPaint.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int rows = argc > 1 ? std::atoi(argv[1]) : 20000;

    ReportJob job;
    ReportDefinition& d = job.def;
    d.name = QStringLiteral("bench");
    d.title = QStringLiteral("판매 일보 (시험)");
    d.rowRule = true;
    ReportBand& head = d.band(BandKind::PageHeader, 14);
    head.text(d.title, QRectF(0, 0, d.contentWidth(), 8)).withFont(16, true).centre();
    head.approvalBox(QRectF(d.contentWidth() - 60, 0, 60, 12));
    ReportBand& det = d.band(BandKind::Detail, 5);
    det.field(QStringLiteral("ilja"), QRectF(0, 0, 22, 5));
    det.field(QStringLiteral("grcd_name"), QRectF(23, 0, 50, 5));
    det.field(QStringLiteral("code_name"), QRectF(74, 0, 60, 5));
    det.field(QStringLiteral("standard"), QRectF(135, 0, 25, 5));
    det.field(QStringLiteral("m3"), QRectF(161, 0, 20, 5), QStringLiteral("#,##0.00"));
    det.field(QStringLiteral("danga"), QRectF(182, 0, 25, 5), QStringLiteral("#,##0"));
    det.field(QStringLiteral("kum"), QRectF(208, 0, 30, 5), QStringLiteral("#,##0"));
    det.field(QStringLiteral("hap"), QRectF(239, 0, 35, 5), QStringLiteral("#,##0"));
    ReportGroup& g = d.group(QStringLiteral("ilja"), 0, 6);
    g.footer.text(QStringLiteral("일 계"), QRectF(23, 0, 50, 5));
    g.footer.sum(QStringLiteral("hap"), QRectF(239, 0, 35, 5), QStringLiteral("#,##0"));
    d.band(BandKind::Summary, 6).sum(QStringLiteral("hap"), QRectF(239, 0, 35, 5), QStringLiteral("#,##0"),
                                     SumReset::Never);
    d.addStandardPageFooter();

    MemTable t;
    t.text("ilja", 10).text("grcd_name", 30).text("code_name", 40).text("standard", 10);
    t.number("m3").number("danga").number("kum").number("hap");
    for (int i = 0; i < rows; ++i) {
        const double m3 = 6 + (i % 7) * 0.5, danga = 61000 + (i % 5) * 1000;
        t.append({{"ilja", QStringLiteral("2024-%1-%2").arg(1 + i / 2000 % 12, 2, 10, QLatin1Char('0'))
                                .arg(1 + i / 100 % 28, 2, 10, QLatin1Char('0'))},
                  {"grcd_name", QStringLiteral("(주)대한건설%1").arg(i % 300)},
                  {"code_name", QStringLiteral("서울 강남구 아파트 신축공사 %1공구").arg(i % 40)},
                  {"standard", "25-240-15"}, {"m3", m3}, {"danga", danga}, {"kum", m3 * danga},
                  {"hap", m3 * danga * 1.1}});
    }
    job.rows = t.rows();
    job.labels.set(QStringLiteral("namel"), QStringLiteral("대성레미콘"));

    QElapsedTimer clock;
    clock.start();
    const ReportDocument doc = layoutReport(job);
    const double layoutSec = clock.nsecsElapsed() / 1e9;

    QTemporaryDir dir;
    clock.restart();
    ReportPaint::pdf(doc, dir.filePath(QStringLiteral("bench.pdf")));
    const double pdfSec = clock.nsecsElapsed() / 1e9;
    clock.restart();
    ReportExport::xlsx(doc, dir.filePath(QStringLiteral("bench.xlsx")));
    const double xlsxSec = clock.nsecsElapsed() / 1e9;

    std::printf("%d rows, %d pages\n", rows, doc.pageCount());
    std::printf("layout: %.2f s, %.0f rows/s\n", layoutSec, rows / layoutSec);
    std::printf("pdf:    %.2f s, %.0f rows/s\n", pdfSec, rows / pdfSec);
    std::printf("xlsx:   %.2f s, %.0f rows/s\n", xlsxSec, rows / xlsxSec);
    return 0;
}
