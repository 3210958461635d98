#include "reports/engine/ReportExport.h"
#include "data/Sql.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportFormat.h"
#include "reports/engine/ReportPaint.h"

#include <QFile>
#include <QHash>
#include <QSaveFile>
#include <xlsxwriter.h>

#include <cmath>

namespace {

QString csvField(const QString& v)
{
    if (!v.contains(QLatin1Char(',')) && !v.contains(QLatin1Char('"')) && !v.contains(QLatin1Char('\n'))
        && !v.contains(QLatin1Char('\r')))
        return v;
    QString q = v;
    q.replace(QLatin1String("\""), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString csvLine(const QStringList& fields)
{
    QStringList out;
    out.reserve(fields.size());
    for (const QString& f : fields)
        out << csvField(f);
    return out.join(QLatin1Char(',')) + QLatin1Char('\n');
}

bool isNumber(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString padded(const QString& s, int width, bool right)
{
    const int fill = qMax(0, width - ReportFormat::cp949Width(s));
    return right ? QString(fill, QLatin1Char(' ')) + s : s + QString(fill, QLatin1Char(' '));
}

// A sheet name Excel accepts: no []:*?/\, at most 31 characters.
QString sheetName(const QString& title)
{
    QString s;
    for (const QChar c : title)
        if (!QStringLiteral("[]:*?/\\").contains(c))
            s += c;
    s = s.trimmed().left(31);
    return s.isEmpty() ? QStringLiteral("Sheet1") : s;
}

// Excel column width (characters) for the widest of the texts.
double columnWidth(int widest) { return qBound(6, widest + 2, 60); }

// A printed figure ("1,234", "-12.50") as a number and the mask it was
// printed with; false when it is not a number.
bool printedNumber(const QString& printed, double& value, QString& mask)
{
    QString plain = printed;
    plain.remove(QLatin1Char(','));
    bool ok = false;
    value = plain.toDouble(&ok);
    if (!ok || plain.isEmpty())
        return false;
    const int dot = int(plain.indexOf(QLatin1Char('.')));
    mask = dot < 0 ? QStringLiteral("#,##0") : QStringLiteral("#,##0.") + QString(plain.size() - dot - 1, QLatin1Char('0'));
    return true;
}

class Workbook {
public:
    explicit Workbook(const QString& path) : path_(path)
    {
        book_ = workbook_new(QFile::encodeName(path).constData());
        if (!book_)
            throw ReportError(QStringLiteral("%1: 파일을 만들 수 없습니다.").arg(path));
    }
    ~Workbook()
    {
        if (book_)
            workbook_close(book_);
    }
    lxw_worksheet* sheet(const QString& name)
    {
        return workbook_add_worksheet(book_, name.toUtf8().constData());
    }
    lxw_format* numberFormat(const QString& mask)
    {
        auto it = formats_.find(mask);
        if (it != formats_.end())
            return it.value();
        lxw_format* f = workbook_add_format(book_);
        format_set_num_format(f, mask.toUtf8().constData());
        formats_.insert(mask, f);
        return f;
    }
    lxw_format* bold(double size = 0)
    {
        lxw_format* f = workbook_add_format(book_);
        format_set_bold(f);
        if (size > 0)
            format_set_font_size(f, size);
        return f;
    }
    void close()
    {
        const lxw_error err = workbook_close(book_);
        book_ = nullptr;
        if (err != LXW_NO_ERROR)
            throw ReportError(QStringLiteral("%1: %2").arg(path_, QString::fromUtf8(lxw_strerror(err))));
    }
private:
    QString path_;
    lxw_workbook* book_ = nullptr;
    QHash<QString, lxw_format*> formats_;
};

void writeString(lxw_worksheet* ws, int row, int col, const QString& s, lxw_format* f = nullptr)
{
    if (!s.isEmpty())
        worksheet_write_string(ws, lxw_row_t(row), lxw_col_t(col), s.toUtf8().constData(), f);
}

void saveBytes(const QByteArray& bytes, const QString& path)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw ReportError(QStringLiteral("%1: %2").arg(path, f.errorString()));
}

} // namespace

namespace ReportExport {

QByteArray csv(const ReportDocument& doc)
{
    QString out = csvLine(doc.fieldNames);
    for (const QStringList& row : doc.printedRows)
        out += csvLine(row);
    out += QLatin1Char('\n');
    for (const auto& [name, value] : doc.labels)
        out += csvLine({name, value});
    for (const auto& [name, value] : doc.figures)
        out += csvLine({name, value});
    return out.toUtf8();
}

QByteArray text(const ReportDocument& doc)
{
    const int n = int(doc.fieldNames.size());
    QList<int> widths(n, 0);
    QList<bool> right(n, false);
    for (int c = 0; c < n; ++c)
        widths[c] = ReportFormat::cp949Width(doc.fieldCaptions.at(c));
    for (int r = 0; r < doc.printedRows.size(); ++r)
        for (int c = 0; c < n; ++c) {
            widths[c] = qMax(widths[c], ReportFormat::cp949Width(doc.printedRows.at(r).at(c)));
            if (isNumber(doc.rowValues.at(r).at(c)))
                right[c] = true;
        }
    auto line = [&](const QStringList& cells) {
        QStringList parts;
        for (int c = 0; c < n; ++c)
            parts << padded(cells.value(c), widths.at(c), right.at(c));
        QString l = parts.join(QStringLiteral("  "));
        while (l.endsWith(QLatin1Char(' ')))
            l.chop(1);
        return l + QLatin1Char('\n');
    };
    QString out = doc.title + QStringLiteral("\n\n") + line(doc.fieldCaptions);
    for (const QStringList& row : doc.printedRows)
        out += line(row);
    if (!doc.labels.isEmpty() || !doc.figures.isEmpty())
        out += QLatin1Char('\n');
    for (const auto& [name, value] : doc.labels)
        out += name + QStringLiteral(" : ") + value + QLatin1Char('\n');
    for (const auto& [name, value] : doc.figures)
        out += name + QStringLiteral(" : ") + value + QLatin1Char('\n');
    return out.toUtf8();
}

void xlsx(const ReportDocument& doc, const QString& path)
{
    Workbook book(path);
    lxw_worksheet* ws = book.sheet(sheetName(doc.title));
    const int n = int(doc.fieldNames.size());
    QList<int> widest(qMax(n, 2), 0);
    writeString(ws, 0, 0, doc.title, book.bold(14));
    lxw_format* head = book.bold();
    for (int c = 0; c < n; ++c) {
        writeString(ws, 1, c, doc.fieldCaptions.at(c), head);
        widest[c] = ReportFormat::cp949Width(doc.fieldCaptions.at(c));
    }
    int row = 2;
    for (int r = 0; r < doc.rowValues.size(); ++r, ++row) {
        const QVariantList& values = doc.rowValues.at(r);
        for (int c = 0; c < n; ++c) {
            const QVariant& v = values.at(c);
            widest[c] = qMax(widest[c], ReportFormat::cp949Width(doc.printedRows.at(r).at(c)));
            if (isNumber(v)) {
                const QString mask = doc.fieldMasks.at(c).isEmpty() ? QStringLiteral("General") : doc.fieldMasks.at(c);
                worksheet_write_number(ws, lxw_row_t(row), lxw_col_t(c), v.toDouble(), book.numberFormat(mask));
            } else {
                writeString(ws, row, c, v.toString());
            }
        }
    }
    ++row;
    auto pair = [&](const QString& name, const QString& value) {
        writeString(ws, row, 0, name);
        double number;
        QString mask;
        if (printedNumber(value, number, mask))
            worksheet_write_number(ws, lxw_row_t(row), 1, number, book.numberFormat(mask));
        else
            writeString(ws, row, 1, value);
        widest[0] = qMax(widest[0], ReportFormat::cp949Width(name));
        widest[1] = qMax(widest[1], ReportFormat::cp949Width(value));
        ++row;
    };
    for (const auto& [name, value] : doc.labels)
        pair(name, value);
    for (const auto& [name, value] : doc.figures)
        pair(name, value);
    for (int c = 0; c < widest.size(); ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), columnWidth(widest.at(c)), nullptr);
    book.close();
}

void write(const ReportDocument& doc, const QString& format, const QString& path)
{
    if (format == QLatin1String("pdf"))
        ReportPaint::pdf(doc, path);
    else if (format == QLatin1String("xlsx"))
        xlsx(doc, path);
    else if (format == QLatin1String("csv"))
        saveBytes(csv(doc), path);
    else if (format == QLatin1String("txt"))
        saveBytes(text(doc), path);
    else if (format == ReportFileSuffix)
        doc.save(path);
    else
        throw ReportError(QStringLiteral("unknown format %1").arg(format));
}

void gridXlsx(const QString& path, const QString& sheetTitle, const QStringList& titles,
              const QList<QVariantList>& rows)
{
    Workbook book(path);
    lxw_worksheet* ws = book.sheet(sheetName(sheetTitle));
    const int n = int(titles.size());
    QList<int> widest(n, 0);
    lxw_format* head = book.bold();
    for (int c = 0; c < n; ++c) {
        writeString(ws, 1, c, titles.at(c), head);
        widest[c] = ReportFormat::cp949Width(titles.at(c));
    }
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < n && c < rows.at(r).size(); ++c) {
            const QVariant& v = rows.at(r).at(c);
            QString shown;
            if (isNumber(v)) {
                const double d = v.toDouble();
                const QString mask = d == std::floor(d) ? QStringLiteral("#,##0") : QStringLiteral("#,##0.##");
                worksheet_write_number(ws, lxw_row_t(r + 2), lxw_col_t(c), d, book.numberFormat(mask));
                shown = ReportFormat::mask(d, mask);
            } else {
                shown = Sql::textOf(v);
                writeString(ws, r + 2, c, shown);
            }
            widest[c] = qMax(widest[c], ReportFormat::cp949Width(shown));
        }
    }
    for (int c = 0; c < n; ++c)
        worksheet_set_column(ws, lxw_col_t(c), lxw_col_t(c), columnWidth(widest.at(c)), nullptr);
    book.close();
}

} // namespace ReportExport
