#include "reports/ui/GridExport.h"
#include "data/Config.h"
#include "reports/engine/ReportError.h"
#include "reports/engine/ReportExport.h"
#include "widgets/Messages.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QDesktopServices>
#include <QDir>
#include <QHeaderView>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace {

std::function<bool(const QString&)>& opener()
{
    static std::function<bool(const QString&)> f;
    return f;
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
        return true;
    default:
        return false;
    }
}

// xdg-open starts even when no program handles the type, so ask first
// whether the desktop has a spreadsheet program at all.
bool openWithDesktop(const QString& path)
{
#ifdef Q_OS_LINUX
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"),
                 QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sheet")});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0
        || query.readAllStandardOutput().trimmed().isEmpty())
        return false;
#endif
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString fileTitle(const QString& title)
{
    QString t;
    for (const QChar c : title)
        if (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('-'))
            t += c;
    return t.isEmpty() ? QStringLiteral("grid") : t;
}

} // namespace

namespace GridExport {

QString exportFolder()
{
    QString dir = Config::value(QStringLiteral("export_dir"));
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (dir.isEmpty())
        dir = QDir::homePath();
    return dir;
}

void write(const QString& path, const QAbstractItemModel& model, const QHeaderView& header, const QString& title)
{
    QList<int> columns; // logical indexes of the visible columns, in the order shown
    for (int visual = 0; visual < header.count(); ++visual) {
        const int logical = header.logicalIndex(visual);
        if (logical >= 0 && !header.isSectionHidden(logical))
            columns << logical;
    }
    QStringList titles;
    for (int c : columns)
        titles << model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
    QList<QVariantList> rows;
    rows.reserve(model.rowCount());
    for (int r = 0; r < model.rowCount(); ++r) {
        QVariantList row;
        for (int c : columns) {
            const QModelIndex index = model.index(r, c);
            const QVariant v = model.data(index, Qt::EditRole);
            row << (isNumber(v) ? v : QVariant(model.data(index, Qt::DisplayRole).toString()));
        }
        rows << row;
    }
    ReportExport::gridXlsx(path, title, titles, rows);
}

QString toSpreadsheet(QWidget* parent, const QAbstractItemModel& model, const QHeaderView& header,
                      const QString& title)
{
    const QString dir = exportFolder();
    QDir().mkpath(dir);
    const QString path = QDir(dir).filePath(QStringLiteral("%1_%2.xlsx").arg(
        fileTitle(title), QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_hhmmss"))));
    try {
        write(path, model, header, title);
    } catch (const ReportError& e) {
        Messages::error(parent, e.message());
        return {};
    }
    const bool opened = opener() ? opener()(path) : openWithDesktop(path);
    if (!opened)
        Messages::info(parent, QStringLiteral("Excel이 설치되어 있지 않습니다.\n파일은 %1 에 저장했습니다.")
                                   .arg(QDir::toNativeSeparators(path)));
    return path;
}

void setOpener(std::function<bool(const QString&)> f) { opener() = std::move(f); }

} // namespace GridExport
