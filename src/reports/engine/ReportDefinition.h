#pragma once
// A report template: page setup, bands and the elements on them. Geometry is
// in millimetres; an element's rectangle is relative to its band's top-left
// corner, which sits on the left page margin.
#include <QList>
#include <QRectF>
#include <QString>
#include <functional>

class ReportRow;

struct ReportFont {
    double size = 9;    // points
    bool bold = false;
    bool operator==(const ReportFont&) const = default;
};

enum class BandKind { Title, PageHeader, ColumnHeader, GroupHeader, Detail, GroupFooter, Summary, PageFooter };

enum class SumReset {
    AfterPrint, // starts again after its band printed (group, page sums)
    Never       // runs on over the whole report
};

struct ReportElement {
    enum Kind {
        Text,       // fixed text
        Field,      // a column of the current row, through the mask
        Label,      // a label filled by code (ilja1, namel, iso_seq, ...)
        Sum,        // sum (or count) over the detail rows printed so far
        PrintedAt,  // text + the date and time of the run
        PageNumber, // text + the page number
        Picture,    // the approval box picture
        HLine,      // a line along the top of the rectangle
        Box         // a frame around the rectangle
    };
    Kind kind = Text;
    QString name;      // Field and Sum: column; Label: label name; Sum: its figure's name (see figure)
    QString text;      // Text: the text; PrintedAt, PageNumber: the text before the value
    QRectF rect;
    ReportFont font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter;
    QString mask;      // Field, Sum
    QString caption;   // Field: column title in exports (defaults to name)
    // Sum: what is added per row (defaults to the number in column `name`)
    std::function<double(const ReportRow&)> value;
    bool count = false;          // Sum: counts rows instead of adding
    SumReset reset = SumReset::AfterPrint;
    QString figure;              // Sum in the summary band: name of the exported figure
    bool firstPageOnly = false;  // printed on the first page only (approval box)

    // Chained setters for definitions that read like a table.
    ReportElement& withCaption(const QString& c) { caption = c; return *this; }
    ReportElement& right() { align = Qt::AlignRight | Qt::AlignVCenter; return *this; }
    ReportElement& centre() { align = Qt::AlignHCenter | Qt::AlignVCenter; return *this; }
    ReportElement& withFont(double size, bool bold = false) { font = {size, bold}; return *this; }
};

struct ReportBand {
    BandKind kind = BandKind::Detail;
    double height = 5;
    QList<ReportElement> elements;
    bool newPage = false; // GroupHeader: every group after the first starts a page

    ReportElement& text(const QString& t, const QRectF& r);
    ReportElement& field(const QString& column, const QRectF& r, const QString& mask = QString());
    ReportElement& label(const QString& name, const QRectF& r);
    // Sum of a column (or of `value` when given) with a mask.
    ReportElement& sum(const QString& column, const QRectF& r, const QString& mask,
                       SumReset reset = SumReset::AfterPrint);
    ReportElement& count(const QRectF& r, const QString& mask = QStringLiteral("#,##0"),
                         SumReset reset = SumReset::AfterPrint);
    ReportElement& printedAt(const QString& before, const QRectF& r);
    ReportElement& pageNumber(const QString& before, const QRectF& r);
    // The approval box; in a page header it shows on the first page only
    // unless everyPage is set. In the title band it prints once anyway.
    ReportElement& approvalBox(const QRectF& r, bool everyPage = false);
    ReportElement& hline(double x, double y, double width);
    ReportElement& box(const QRectF& r);
};

struct ReportGroup {
    // The break key: a column's text, or `key` when given.
    QString column;
    std::function<QString(const ReportRow&)> key;
    ReportBand header{BandKind::GroupHeader, 0, {}};
    ReportBand footer{BandKind::GroupFooter, 0, {}};
};

struct ReportDefinition {
    QString name;  // template name, e.g. qr_cust_f1
    QString title; // shown as the preview's caption and the export's title
    bool landscape = true;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    QString fontFamily = QStringLiteral("NanumGothic");
    // Export filters the template carries (the preview offers them).
    bool spreadsheetFilter = false;
    bool textFilter = false;
    // A rule under every third detail row; the counter starts each page at
    // ruleReset (0: rules under rows 3, 6, ...; 1: under rows 2, 5, ...).
    bool rowRule = false;
    int ruleReset = 0;

    QList<ReportBand> bands;    // every band but the group bands
    QList<ReportGroup> groups;  // outermost first

    double paperWidth() const { return landscape ? 297 : 210; }
    double paperHeight() const { return landscape ? 210 : 297; }
    double contentWidth() const { return paperWidth() - marginLeft - marginRight; }

    // The band of that kind, made (with the given height) when missing.
    ReportBand& band(BandKind kind, double height);
    const ReportBand* find(BandKind kind) const;
    ReportGroup& group(const QString& column, double headerHeight, double footerHeight);

    // The common page footer: "출력일자 :" with date and time, "페이지 :" with
    // the page number, `namel` centred in a large bold font and, when
    // isoAndPaper is set, `iso_seq` under the date and "A4.(210*297)" under
    // the page number.
    void addStandardPageFooter(bool isoAndPaper = true);
};
