#include "reports/engine/ReportDocument.h"
#include "reports/engine/ReportError.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace {
constexpr quint32 Magic = 0x56525054; // "VRPT"
constexpr quint32 Version = 1;

QDataStream& operator<<(QDataStream& s, const ReportItem& i)
{
    return s << quint8(i.kind) << i.font << i.align << i.rect << i.text;
}

QDataStream& operator>>(QDataStream& s, ReportItem& i)
{
    quint8 kind;
    s >> kind >> i.font >> i.align >> i.rect >> i.text;
    i.kind = ReportItem::Kind(kind);
    return s;
}
} // namespace

void ReportDocument::save(const QString& path) const
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_6_4);
    s << Magic << Version << name << title << landscape << fontFamily << printedAt << spreadsheetFilter
      << textFilter;
    s << quint32(fonts.size());
    for (const ReportFont& font : fonts)
        s << font.size << font.bold;
    s << pictures;
    s << quint32(pages.size());
    for (const ReportPage& p : pages) {
        s << quint32(p.items.size());
        for (const ReportItem& i : p.items)
            s << i;
    }
    s << fieldNames << fieldCaptions << fieldMasks << printedRows << rowValues << labels << figures;
    if (s.status() != QDataStream::Ok || !f.commit())
        throw ReportError(QStringLiteral("%1: %2").arg(path, f.errorString()));
}

ReportDocument ReportDocument::load(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("%1: %2").arg(path, f.errorString()));
    QDataStream s(&f);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, version = 0;
    s >> magic >> version;
    if (magic != Magic || version != Version)
        throw ReportError(QStringLiteral("%1: 보고서 파일이 아닙니다.").arg(path));
    ReportDocument d;
    s >> d.name >> d.title >> d.landscape >> d.fontFamily >> d.printedAt >> d.spreadsheetFilter >> d.textFilter;
    quint32 n = 0;
    s >> n;
    for (quint32 i = 0; i < n && s.status() == QDataStream::Ok; ++i) {
        ReportFont font;
        s >> font.size >> font.bold;
        d.fonts << font;
    }
    s >> d.pictures;
    s >> n;
    for (quint32 p = 0; p < n && s.status() == QDataStream::Ok; ++p) {
        quint32 count = 0;
        s >> count;
        ReportPage page;
        page.items.reserve(qMin<quint32>(count, 100000));
        for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
            ReportItem item;
            s >> item;
            page.items << item;
        }
        d.pages << page;
    }
    s >> d.fieldNames >> d.fieldCaptions >> d.fieldMasks >> d.printedRows >> d.rowValues >> d.labels >> d.figures;
    if (s.status() != QDataStream::Ok)
        throw ReportError(QStringLiteral("%1: 보고서 파일이 손상되었습니다.").arg(path));
    for (const ReportPage& p : d.pages)
        for (const ReportItem& i : p.items)
            if ((i.kind == ReportItem::Text && i.font >= d.fonts.size())
                || (i.kind == ReportItem::Picture && i.font >= d.pictures.size()))
                throw ReportError(QStringLiteral("%1: 보고서 파일이 손상되었습니다.").arg(path));
    return d;
}
