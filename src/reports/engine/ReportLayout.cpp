#include "reports/engine/ReportLayout.h"
#include "data/Config.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportFormat.h"

#include <QDir>
#include <QFile>
#include <QFont>
#include <QFontMetricsF>
#include <QHash>
#include <memory>

static void initReportResources() { Q_INIT_RESOURCE(reports); }

namespace {

// Text is measured on a large unhinted font so that widths scale exactly
// with the point size, whatever device paints them later.
constexpr int MeasurePixels = 200;
constexpr double MmPerPoint = 25.4 / 72.0;

class Measurer {
public:
    Measurer(const QString& family, const ReportFont& font)
        : emMm_(font.size * MmPerPoint)
    {
        QFont f(family);
        f.setPixelSize(MeasurePixels);
        f.setBold(font.bold);
        f.setHintingPreference(QFont::PreferNoHinting);
        metrics_ = std::make_unique<QFontMetricsF>(f);
    }
    double width(const QString& text) const
    {
        return metrics_->horizontalAdvance(text) * emMm_ / MeasurePixels;
    }
    // The longest start of text that fits in the width.
    QString cut(const QString& text, double widthMm) const
    {
        if (text.isEmpty() || width(text) <= widthMm + 1e-6)
            return text;
        int lo = 0, hi = int(text.size()); // fits(lo), !fits(hi)
        while (hi - lo > 1) {
            const int mid = (lo + hi) / 2;
            if (width(text.left(mid)) <= widthMm + 1e-6)
                lo = mid;
            else
                hi = mid;
        }
        if (lo > 0 && text.at(lo - 1).isHighSurrogate())
            --lo;
        return text.left(lo);
    }
private:
    double emMm_;
    std::unique_ptr<QFontMetricsF> metrics_;
};

QString plainText(const QVariant& v)
{
    if (v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return QString::number(v.toDouble(), 'g', 15);
    default:
        return Sql::textOf(v);
    }
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

struct Prepared {
    const ReportElement* e;
    int column = -1; // Field, Sum: index into the rows
    int font = 0;
    int sum = -1;    // Sum: accumulator slot
};

struct PreparedBand {
    const ReportBand* band = nullptr;
    QList<Prepared> elements;
    double height() const { return band ? band->height : 0; }
};

class Layouter {
public:
    Layouter(const ReportJob& job, const QDateTime& printedAt)
        : def_(job.def), rows_(job.rows), labels_(job.labels)
    {
        doc_.name = def_.name;
        doc_.title = def_.title;
        doc_.landscape = def_.landscape;
        doc_.fontFamily = def_.fontFamily;
        doc_.printedAt = printedAt;
        doc_.spreadsheetFilter = def_.spreadsheetFilter;
        doc_.textFilter = def_.textFilter;
        printedAtText_ = printedAt.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        for (const auto& item : labels_.items())
            doc_.labels.append(item);
    }

    ReportDocument run()
    {
        title_ = prepare(def_.find(BandKind::Title));
        pageHeader_ = prepare(def_.find(BandKind::PageHeader));
        columnHeader_ = prepare(def_.find(BandKind::ColumnHeader));
        detail_ = prepare(def_.find(BandKind::Detail));
        summary_ = prepare(def_.find(BandKind::Summary));
        pageFooter_ = prepare(def_.find(BandKind::PageFooter));
        for (const ReportGroup& g : def_.groups) {
            groupHeaders_ << prepare(&g.header);
            groupFooters_ << prepare(&g.footer);
            int col = -1;
            if (!g.key)
                col = columnOf(g.column);
            groupColumns_ << col;
        }
        for (const Prepared& p : detail_.elements)
            if (p.e->kind == ReportElement::Field) {
                doc_.fieldNames << p.e->name;
                doc_.fieldCaptions << (p.e->caption.isEmpty() ? p.e->name : p.e->caption);
                doc_.fieldMasks << p.e->mask;
            }
        bodyBottom_ = def_.paperHeight() - def_.marginBottom - pageFooter_.height();

        startPage();
        const int n = rows_.size();
        const int levels = int(def_.groups.size());
        QStringList previous;
        for (int i = 0; i < n; ++i) {
            QStringList keys;
            for (int l = 0; l < levels; ++l)
                keys << groupKey(l, i);
            int changed = levels;
            if (i == 0)
                changed = 0;
            else
                for (int l = 0; l < levels; ++l)
                    if (keys.at(l) != previous.at(l)) {
                        changed = l;
                        break;
                    }
            if (i > 0)
                for (int l = levels - 1; l >= changed; --l)
                    place(groupFooters_[l], i - 1);
            double needed = detail_.height();
            for (int l = changed; l < levels; ++l)
                needed += groupHeaders_[l].height();
            for (int l = changed; l < levels; ++l) {
                if (i > 0 && l == changed && def_.groups.at(l).header.newPage) {
                    finishPage();
                    startPage();
                }
                if (l == changed)
                    makeRoom(needed);
                put(groupHeaders_[l], i);
            }
            makeRoom(detail_.height());
            accumulate(i);
            ++ruleCounter_;
            const double top = y_;
            put(detail_, i);
            if (def_.rowRule && ruleCounter_ % 3 == 0)
                line(QRectF(def_.marginLeft, top + detail_.height(), def_.contentWidth(), 0));
            previous = keys;
        }
        if (n > 0)
            for (int l = levels - 1; l >= 0; --l)
                place(groupFooters_[l], n - 1);
        if (summary_.band)
            place(summary_, n > 0 ? n - 1 : -1, true);
        finishPage();
        return std::move(doc_);
    }

private:
    int columnOf(const QString& name) const
    {
        const int c = rows_.column(name);
        if (c < 0)
            throw ReportError(QStringLiteral("%1: 자료에 %2 항목이 없습니다.").arg(def_.name, name));
        return c;
    }

    int fontIndex(const ReportFont& f)
    {
        for (int i = 0; i < doc_.fonts.size(); ++i)
            if (doc_.fonts.at(i) == f)
                return i;
        doc_.fonts << f;
        measurers_.push_back(std::make_unique<Measurer>(def_.fontFamily, f));
        return int(doc_.fonts.size()) - 1;
    }

    PreparedBand prepare(const ReportBand* band)
    {
        PreparedBand pb;
        pb.band = band;
        if (!band)
            return pb;
        for (const ReportElement& e : band->elements) {
            Prepared p{&e};
            p.font = fontIndex(e.font);
            if (e.kind == ReportElement::Field)
                p.column = columnOf(e.name);
            if (e.kind == ReportElement::Sum) {
                if (!e.count && !e.value)
                    p.column = columnOf(e.name);
                p.sum = int(sums_.size());
                sums_ << 0.0;
                sumElements_ << p;
            }
            if (e.kind == ReportElement::Picture && pictureIndex_ < 0) {
                doc_.pictures << approvalPicture();
                pictureIndex_ = int(doc_.pictures.size()) - 1;
            }
            pb.elements << p;
        }
        return pb;
    }

    QString groupKey(int level, int row) const
    {
        const ReportGroup& g = def_.groups.at(level);
        if (g.key)
            return g.key(ReportRow(rows_, row));
        return Sql::textOf(rows_.data.at(row).at(groupColumns_.at(level)));
    }

    void accumulate(int row)
    {
        const QVariantList& values = rows_.data.at(row);
        for (const Prepared& p : sumElements_) {
            double v;
            if (p.e->count)
                v = 1;
            else if (p.e->value)
                v = p.e->value(ReportRow(rows_, row));
            else
                v = values.at(p.column).isNull() ? 0.0 : values.at(p.column).toDouble();
            sums_[p.sum] += v;
        }
    }

    void startPage()
    {
        doc_.pages.append(ReportPage());
        page_ = &doc_.pages.last();
        ++pageNo_;
        y_ = def_.marginTop;
        ruleCounter_ = def_.ruleReset;
        put(pageHeader_, -1);
        if (pageNo_ == 1)
            put(title_, -1);
        put(columnHeader_, -1);
        bodyTop_ = y_;
    }

    void finishPage()
    {
        if (pageFooter_.band) {
            y_ = def_.paperHeight() - def_.marginBottom - pageFooter_.height();
            put(pageFooter_, -1);
        }
    }

    // A new page when the next `height` millimetres do not fit (unless the
    // page holds nothing yet, so an oversize band cannot loop).
    void makeRoom(double height)
    {
        if (y_ + height > bodyBottom_ + 1e-6 && y_ > bodyTop_ + 1e-6) {
            finishPage();
            startPage();
        }
    }

    void place(const PreparedBand& b, int row, bool figures = false)
    {
        if (!b.band)
            return;
        makeRoom(b.height());
        put(b, row, figures);
    }

    void text(const QRectF& r, int font, Qt::Alignment align, const QString& t)
    {
        if (t.isEmpty())
            return;
        ReportItem item;
        item.kind = ReportItem::Text;
        item.font = quint8(font);
        item.align = quint16(align);
        item.rect = r;
        item.text = t;
        page_->items.append(item);
    }

    void line(const QRectF& r)
    {
        ReportItem item;
        item.kind = ReportItem::Line;
        item.rect = r;
        page_->items.append(item);
    }

    void put(const PreparedBand& b, int row, bool figures = false)
    {
        if (!b.band)
            return;
        const bool isDetail = b.band->kind == BandKind::Detail;
        QStringList printed;
        QVariantList values;
        for (const Prepared& p : b.elements) {
            const ReportElement& e = *p.e;
            const QRectF r = e.rect.translated(def_.marginLeft, y_);
            switch (e.kind) {
            case ReportElement::Text:
                text(r, p.font, e.align, e.text);
                break;
            case ReportElement::Field: {
                const QVariant v = row >= 0 ? rows_.data.at(row).at(p.column) : QVariant();
                QString t;
                if (!e.mask.isEmpty() && !v.isNull())
                    t = ReportFormat::mask(v.toDouble(), e.mask);
                else
                    t = plainText(v);
                t = measurers_[p.font]->cut(t, r.width());
                text(r, p.font, e.align, t);
                if (isDetail) {
                    printed << t;
                    if (v.isNull())
                        values << QVariant(); // an empty cell, whatever the column's type
                    else
                        values << (isNumber(v) ? QVariant(v.toDouble()) : QVariant(Sql::textOf(v)));
                }
                break;
            }
            case ReportElement::Label:
                text(r, p.font, e.align, labels_.value(e.name));
                break;
            case ReportElement::Sum: {
                const QString t = ReportFormat::mask(sums_.at(p.sum), e.mask.isEmpty() ? QStringLiteral("0.##") : e.mask);
                text(r, p.font, e.align, t);
                if (figures)
                    doc_.figures.append({e.figure.isEmpty() ? (e.count ? QStringLiteral("count") : e.name) : e.figure, t});
                break;
            }
            case ReportElement::PrintedAt:
                text(r, p.font, e.align, e.text + printedAtText_);
                break;
            case ReportElement::PageNumber:
                text(r, p.font, e.align, e.text + QString::number(pageNo_));
                break;
            case ReportElement::Picture:
                if (!e.firstPageOnly || pageNo_ == 1 || b.band->kind == BandKind::Title) {
                    ReportItem item;
                    item.kind = ReportItem::Picture;
                    item.font = quint8(pictureIndex_);
                    item.rect = r;
                    page_->items.append(item);
                }
                break;
            case ReportElement::HLine:
                line(QRectF(r.left(), r.top(), r.width(), 0));
                break;
            case ReportElement::Box: {
                ReportItem item;
                item.kind = ReportItem::Box;
                item.rect = r;
                page_->items.append(item);
                break;
            }
            }
        }
        for (const Prepared& p : b.elements)
            if (p.sum >= 0 && p.e->reset == SumReset::AfterPrint)
                sums_[p.sum] = 0;
        if (isDetail) {
            doc_.printedRows.append(printed);
            doc_.rowValues.append(values);
        }
        y_ += b.height();
    }

    const ReportDefinition& def_;
    const Rows& rows_;
    const ReportLabels& labels_;
    ReportDocument doc_;
    QString printedAtText_;
    std::vector<std::unique_ptr<Measurer>> measurers_;
    PreparedBand title_, pageHeader_, columnHeader_, detail_, summary_, pageFooter_;
    QList<PreparedBand> groupHeaders_, groupFooters_;
    QList<int> groupColumns_;
    QList<double> sums_;
    QList<Prepared> sumElements_;
    int pictureIndex_ = -1;
    ReportPage* page_ = nullptr;
    int pageNo_ = 0;
    int ruleCounter_ = 0;
    double y_ = 0, bodyTop_ = 0, bodyBottom_ = 0;
};

} // namespace

ReportDocument layoutReport(const ReportJob& job, const QDateTime& printedAt)
{
    return Layouter(job, printedAt).run();
}

QImage approvalPicture()
{
    const QString dir = Config::value(QStringLiteral("picture_dir"));
    if (!dir.isEmpty()) {
        const QString path = QDir(dir).filePath(QStringLiteral("결재.bmp"));
        if (QFile::exists(path)) {
            QImage site(path);
            if (site.isNull())
                throw ReportError(QStringLiteral("%1: 그림을 읽을 수 없습니다.").arg(path));
            return site;
        }
    }
    initReportResources();
    QImage shipped(QStringLiteral(":/reports/approval.png"));
    if (shipped.isNull())
        throw ReportError(QStringLiteral("결재 그림을 읽을 수 없습니다."));
    return shipped;
}

double reportTextWidth(const QString& family, const ReportFont& font, const QString& text)
{
    return Measurer(family, font).width(text);
}
