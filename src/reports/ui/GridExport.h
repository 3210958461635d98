#pragma once
// The Excel buttons of list windows: every visible column of a grid into a
// workbook (row 1 empty, row 2 the column titles, data from row 3, numbers
// as numbers, text as text, columns sized to fit), opened with the desktop's
// spreadsheet program.
#include <QString>
#include <functional>

class QAbstractItemModel;
class QHeaderView;
class QWidget;

namespace GridExport {

// Writes the workbook into the export folder and opens it. When no program
// can open it, says so ("Excel이 설치되어 있지 않습니다.") and where the file
// is. Returns the file written, empty when writing failed.
QString toSpreadsheet(QWidget* parent, const QAbstractItemModel& model, const QHeaderView& header,
                      const QString& title = QString());

// Writes the workbook only.
void write(const QString& path, const QAbstractItemModel& model, const QHeaderView& header,
           const QString& title = QString());

// The folder exports go to: setting export_dir, else the documents folder.
QString exportFolder();

// How a finished workbook is opened; returns false when nothing can open it.
// Tests replace it; an empty function restores the desktop's.
void setOpener(std::function<bool(const QString& path)> opener);

} // namespace GridExport
