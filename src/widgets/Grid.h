#pragma once
// Grids of the window kit: rows read from the database into the window's
// own model (never a live query), tinted odd rows, whole-row selection while
// browsing, titles that re-sort, a totals line, optional two-line rows and
// editable cells with an Enter handler per column.
#include "data/Sql.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QTableView>
#include <functional>

// One cell of a grid row. In a two-line grid, line 2 holds a second list of
// cells, each shown under the line-1 cell of the same position.
struct GridColumn {
    QString field;         // the row's field (case does not matter); empty: no cell here
    QString title;
    int width = 80;        // pixels (line 1 sets the column's width)
    QString mask;          // number mask ("#,##0", "#,##0.00", "#,##0.##"); empty: text
    bool editable = false; // typed into while the grid is editable
    int maxLength = 0;     // characters a typed text may hold (0: free)
    bool upper = false;    // typed letters turn upper case
    bool sum = false;      // summed on the totals line
    // Enter in the cell while editing: returns how many cells to move on
    // (0 stays, 1 the next cell). Without a handler Enter moves one cell on.
    std::function<int(int row)> onEnter;
};

// The rows of a grid: each row holds any number of named fields (also ones
// no column shows, such as keys kept for a save).
class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit GridModel(QObject* parent = nullptr);

    void setColumns(const QList<GridColumn>& line1, const QList<GridColumn>& line2 = {});
    int lines() const { return line2_.isEmpty() ? 1 : 2; }
    const GridColumn* cell(int line, int column) const; // null where there is no cell

    // Rows, by record (a record is one row of data; it takes `lines()` rows of the view).
    int size() const { return int(records_.size()); }
    void load(const Rows& rows);
    void clear();
    int append();                 // an empty record; returns its index
    void remove(int record);
    QVariant value(int record, const QString& field) const;
    QString text(int record, const QString& field) const;  // null reads as ""
    double number(int record, const QString& field) const; // null or text reads as 0
    void setValue(int record, const QString& field, const QVariant& v);
    double sum(const QString& field) const;

    // Stable sort by a field: numbers by value, texts by character codes.
    void sortBy(const QString& field, Qt::SortOrder order = Qt::AscendingOrder);

    // Background of a record; the default tints every other record, starting
    // with the first (RGB 254, 252, 186).
    void setRowColor(std::function<QColor(int record)> color);

    // View rows ↔ records.
    int recordOf(int viewRow) const { return viewRow / lines(); }
    int lineOf(int viewRow) const { return viewRow % lines(); }
    QString fieldAt(const QModelIndex& index) const;
    QModelIndex indexOf(int record, const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setEditable(bool on);
    bool editable() const { return editable_; }

private:
    int fieldIndex(const QString& field, bool create);
    QList<GridColumn> line1_, line2_;
    QHash<QString, int> fields_;
    QList<QVariantList> records_;
    std::function<QColor(int)> rowColor_;
    bool editable_ = false;
};

class GridDelegate;
class GridTotals;

class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(const QString& name, QWidget* parent = nullptr);

    void setColumns(const QList<GridColumn>& line1, const QList<GridColumn>& line2 = {});
    GridModel* rows() const { return model_; }
    void load(const Rows& rows);

    int currentRecord() const; // -1 when there is none
    void setCurrentRecord(int record, const QString& field = {});
    QString currentField() const;

    // Browse: whole-row selection, no typing. Editable: cells are typed into
    // and Enter runs the column's handler.
    void setEditable(bool on);
    bool editable() const { return model_->editable(); }

    // The order in which Enter moves through the cells of a record (fields);
    // by default the editable cells of line 1, then those of line 2.
    void setEnterOrder(const QStringList& fields);

    // The totals line under the grid. Columns marked `sum` show the sum of
    // their field; setTotal replaces the figure of one field.
    void setTotalsLine(bool on);
    void setTotal(const QString& field, std::function<double()> compute);
    QString totalText(const QString& field) const;

    // A title click re-sorts the rows by the column's field (again: the other
    // way round). A handler replaces that, e.g. to re-read in another order.
    void setTitleClick(std::function<void(const QString& field)> handler);

signals:
    void currentRecordChanged(int record);
    void recordClicked(int record);   // a click on a cell
    void recordActivated(int record); // Enter while browsing (-1 on an empty grid)

protected:
    void keyPressEvent(QKeyEvent* e) override;
    void updateGeometries() override;
    void resizeEvent(QResizeEvent* e) override;

private:
    friend class GridDelegate;
    void enterPressed();
    void moveOn(int cells);
    QStringList enterOrder() const;
    void titleClicked(int section);
    void layoutRecords();
    void selectRecord(int record);
    void placeTotals();

    GridModel* model_;
    GridDelegate* delegate_;
    GridTotals* totals_ = nullptr;
    QStringList enterOrder_;
    QHash<QString, std::function<double()>> totalFormulas_;
    std::function<void(const QString&)> titleClick_;
    int sortSection_ = -1;
    Qt::SortOrder sortOrder_ = Qt::AscendingOrder;
    int lastRecord_ = -1;
};
