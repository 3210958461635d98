#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/NumberMask.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QRegularExpressionValidator>
#include <QStyledItemDelegate>
#include <algorithm>

namespace {
const QColor kTint(254, 252, 186);

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }
} // namespace

// ---------------------------------------------------------------------------
// GridModel

GridModel::GridModel(QObject* parent)
    : QAbstractTableModel(parent)
    , rowColor_([](int record) { return record % 2 == 0 ? kTint : QColor(); })
{
}

void GridModel::setColumns(const QList<GridColumn>& line1, const QList<GridColumn>& line2)
{
    beginResetModel();
    line1_ = line1;
    line2_ = line2;
    for (QList<GridColumn>* list : {&line1_, &line2_})
        for (GridColumn& c : *list) {
            c.field = c.field.toLower();
            if (!c.field.isEmpty())
                fieldIndex(c.field, true);
        }
    endResetModel();
}

const GridColumn* GridModel::cell(int line, int column) const
{
    const QList<GridColumn>& list = line == 0 ? line1_ : line2_;
    if (column < 0 || column >= list.size() || list.at(column).field.isEmpty())
        return nullptr;
    return &list.at(column);
}

int GridModel::fieldIndex(const QString& field, bool create)
{
    const QString key = field.toLower();
    auto it = fields_.constFind(key);
    if (it != fields_.constEnd())
        return it.value();
    if (!create)
        return -1;
    const int i = int(fields_.size());
    fields_.insert(key, i);
    return i;
}

void GridModel::load(const Rows& rows)
{
    beginResetModel();
    records_.clear();
    QList<int> target;
    for (const QString& c : rows.columns)
        target << fieldIndex(c, true);
    const int width = int(fields_.size());
    records_.reserve(rows.size());
    for (const QVariantList& r : rows.data) {
        QVariantList rec(width);
        for (int i = 0; i < target.size(); ++i)
            rec[target.at(i)] = r.at(i);
        records_ << rec;
    }
    endResetModel();
}

void GridModel::clear()
{
    beginResetModel();
    records_.clear();
    endResetModel();
}

int GridModel::append()
{
    const int record = size();
    beginInsertRows({}, record * lines(), record * lines() + lines() - 1);
    records_ << QVariantList(fields_.size());
    endInsertRows();
    return record;
}

void GridModel::remove(int record)
{
    if (record < 0 || record >= size())
        return;
    beginRemoveRows({}, record * lines(), record * lines() + lines() - 1);
    records_.removeAt(record);
    endRemoveRows();
}

QVariant GridModel::value(int record, const QString& field) const
{
    if (record < 0 || record >= size())
        return {};
    const int i = fields_.value(field.toLower(), -1);
    const QVariantList& rec = records_.at(record);
    return i < 0 || i >= rec.size() ? QVariant() : rec.at(i);
}

QString GridModel::text(int record, const QString& field) const { return Sql::textOf(value(record, field)); }

double GridModel::number(int record, const QString& field) const
{
    const QVariant v = value(record, field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString)
        return ParseNumber(v.toString());
    return v.toDouble();
}

void GridModel::setValue(int record, const QString& field, const QVariant& v)
{
    if (record < 0 || record >= size())
        return;
    const int i = fieldIndex(field, true);
    QVariantList& rec = records_[record];
    if (rec.size() <= i)
        rec.resize(fields_.size());
    rec[i] = v;
    emit dataChanged(index(record * lines(), 0), index(record * lines() + lines() - 1, columnCount() - 1));
}

double GridModel::sum(const QString& field) const
{
    long double total = 0;
    for (int r = 0; r < size(); ++r)
        total += number(r, field);
    return double(total);
}

void GridModel::sortBy(const QString& field, Qt::SortOrder order)
{
    const int i = fields_.value(field.toLower(), -1);
    if (i < 0)
        return;
    const auto at = [i](const QVariantList& rec) { return i < rec.size() ? rec.at(i) : QVariant(); };
    const auto numeric = [](const QVariant& v) {
        const int t = v.typeId();
        return t == QMetaType::Double || t == QMetaType::Int || t == QMetaType::LongLong || t == QMetaType::Float;
    };
    beginResetModel();
    std::stable_sort(records_.begin(), records_.end(), [&](const QVariantList& a, const QVariantList& b) {
        const QVariant va = at(order == Qt::AscendingOrder ? a : b);
        const QVariant vb = at(order == Qt::AscendingOrder ? b : a);
        if (numeric(va) && numeric(vb))
            return va.toDouble() < vb.toDouble();
        return Sql::textOf(va) < Sql::textOf(vb);
    });
    endResetModel();
}

void GridModel::setRowColor(std::function<QColor(int)> color)
{
    rowColor_ = std::move(color);
    if (size() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1), {Qt::BackgroundRole});
}

QString GridModel::fieldAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return {};
    const GridColumn* c = cell(lineOf(index.row()), index.column());
    return c ? c->field : QString();
}

QModelIndex GridModel::indexOf(int record, const QString& field) const
{
    const QString f = field.toLower();
    for (int line = 0; line < lines(); ++line)
        for (int col = 0; col < columnCount(); ++col)
            if (const GridColumn* c = cell(line, col); c && c->field == f)
                return index(record * lines() + line, col);
    return {};
}

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : size() * lines(); }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(line1_.size()); }

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int record = recordOf(index.row());
    if (role == Qt::BackgroundRole) {
        const QColor c = rowColor_ ? rowColor_(record) : QColor();
        return c.isValid() ? QVariant(c) : QVariant();
    }
    const GridColumn* c = cell(lineOf(index.row()), index.column());
    if (!c)
        return {};
    const QVariant v = value(record, c->field);
    switch (role) {
    case Qt::DisplayRole:
        if (c->mask.isEmpty())
            return Sql::textOf(v);
        return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty())
            ? QString()
            : FormatNumber(number(record, c->field), c->mask);
    case Qt::EditRole:
        if (c->mask.isEmpty() || v.isNull())
            return Sql::textOf(v);
        return QString::number(number(record, c->field), 'g', 15);
    case Qt::TextAlignmentRole:
        return int((c->mask.isEmpty() ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
    default:
        return {};
    }
}

bool GridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const GridColumn* c = cell(lineOf(index.row()), index.column());
    if (!c)
        return false;
    QString text = value.toString();
    if (c->mask.isEmpty()) {
        if (c->upper)
            text = text.toUpper();
        if (c->maxLength > 0)
            text.truncate(c->maxLength);
        setValue(recordOf(index.row()), c->field, text);
        return true;
    }
    bool ok = false;
    const double d = ParseNumber(text, &ok);
    if (!ok)
        return false;
    setValue(recordOf(index.row()), c->field, text.trimmed().isEmpty() ? QVariant() : QVariant(d));
    return true;
}

Qt::ItemFlags GridModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const GridColumn* c = cell(lineOf(index.row()), index.column());
    if (editable_ && c && c->editable)
        f |= Qt::ItemIsEditable;
    return f;
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= line1_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole) {
        QString title = line1_.at(section).title;
        if (lines() == 2 && section < line2_.size() && !line2_.at(section).field.isEmpty())
            title += u'\n' + line2_.at(section).title;
        return title;
    }
    return {};
}

void GridModel::setEditable(bool on)
{
    if (editable_ == on)
        return;
    editable_ = on;
    if (rowCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

// ---------------------------------------------------------------------------
// Editing: a plain line editor per cell; Enter commits it and runs the
// column's handler.

class GridDelegate : public QStyledItemDelegate {
public:
    explicit GridDelegate(DataGrid* grid)
        : QStyledItemDelegate(grid)
        , grid_(grid)
    {
    }

    QWidget* openEditor() const { return open_; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* edit = new QLineEdit(parent);
        open_ = edit;
        edit->setFrame(false);
        const GridModel* m = grid_->rows();
        if (const GridColumn* c = m->cell(m->lineOf(index.row()), index.column())) {
            if (c->maxLength > 0)
                edit->setMaxLength(c->maxLength);
            if (!c->mask.isEmpty()) {
                edit->setAlignment(Qt::AlignRight);
                edit->setValidator(new QRegularExpressionValidator(
                    QRegularExpression(QStringLiteral("-?[0-9,]*\\.?[0-9]*")), edit));
            }
            if (c->upper)
                QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& t) {
                    const int pos = edit->cursorPosition();
                    edit->setText(t.toUpper());
                    edit->setCursorPosition(pos);
                });
        }
        return edit;
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override
    {
        auto* editor = qobject_cast<QWidget*>(o);
        if (editor && e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(e))) {
            Kit::commitInput(editor);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            grid_->enterPressed();
            return true;
        }
        return QStyledItemDelegate::eventFilter(o, e);
    }

private:
    DataGrid* grid_;
    mutable QPointer<QWidget> open_;
};

// The totals line, painted under the rows in the grid's bottom margin.
class GridTotals : public QWidget {
public:
    explicit GridTotals(DataGrid* grid)
        : QWidget(grid)
        , grid_(grid)
    {
        setObjectName(grid->objectName() + QStringLiteral("_totals"));
        QFont f = font();
        f.setBold(true);
        setFont(f);
    }
    int lineHeight() const { return fontMetrics().height() + 6; }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        p.fillRect(rect(), QColor(232, 232, 232));
        p.setPen(QColor(160, 160, 160));
        p.drawLine(0, 0, width(), 0);
        p.setPen(palette().color(QPalette::WindowText));
        const GridModel* m = grid_->rows();
        for (int col = 0; col < m->columnCount(); ++col) {
            const int x = grid_->columnViewportPosition(col);
            const int w = grid_->columnWidth(col);
            for (int line = 0; line < m->lines(); ++line) {
                const GridColumn* c = m->cell(line, col);
                if (!c)
                    continue;
                const QString t = grid_->totalText(c->field);
                if (t.isEmpty())
                    continue;
                const QRect r(x + 4, line * lineHeight(), w - 8, lineHeight());
                p.drawText(r, (c->mask.isEmpty() ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter, t);
            }
        }
    }

private:
    DataGrid* grid_;
};

// ---------------------------------------------------------------------------
// DataGrid

DataGrid::DataGrid(const QString& name, QWidget* parent)
    : QTableView(parent)
    , model_(new GridModel(this))
{
    Kit::watchInput();
    setObjectName(name);
    setModel(model_);
    delegate_ = new GridDelegate(this);
    setItemDelegate(delegate_);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    QFont bold = horizontalHeader()->font();
    bold.setBold(true);
    horizontalHeader()->setFont(bold);
    horizontalHeader()->setSectionsClickable(true);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignCenter);
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditable(false);

    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &DataGrid::titleClicked);
    connect(this, &QAbstractItemView::clicked, this, [this](const QModelIndex& i) {
        if (i.isValid())
            emit recordClicked(model_->recordOf(i.row()));
    });
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex& i) {
        const int record = i.isValid() ? model_->recordOf(i.row()) : -1;
        if (!editable() && record >= 0 && model_->lines() > 1)
            selectRecord(record);
        if (record != lastRecord_) {
            lastRecord_ = record;
            emit currentRecordChanged(record);
        }
    });
    const auto changed = [this] {
        if (totals_)
            totals_->update();
    };
    connect(model_, &QAbstractItemModel::modelReset, this, [this, changed] {
        lastRecord_ = -1;
        layoutRecords();
        changed();
    });
    connect(model_, &QAbstractItemModel::rowsInserted, this, [this, changed] {
        layoutRecords();
        changed();
    });
    connect(model_, &QAbstractItemModel::rowsRemoved, this, [this, changed] {
        layoutRecords();
        changed();
    });
    connect(model_, &QAbstractItemModel::dataChanged, this, changed);
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, changed);
    connect(horizontalHeader(), &QHeaderView::sectionResized, this, changed);
}

void DataGrid::setColumns(const QList<GridColumn>& line1, const QList<GridColumn>& line2)
{
    model_->setColumns(line1, line2);
    for (int i = 0; i < line1.size(); ++i)
        setColumnWidth(i, line1.at(i).width);
    setTotalsLine(totals_ && !totals_->isHidden());
    layoutRecords();
}

void DataGrid::load(const Rows& rows)
{
    model_->load(rows);
    if (model_->size() > 0)
        setCurrentRecord(0);
}

int DataGrid::currentRecord() const
{
    const QModelIndex i = currentIndex();
    return i.isValid() && model_->size() > 0 ? model_->recordOf(i.row()) : -1;
}

QString DataGrid::currentField() const { return model_->fieldAt(currentIndex()); }

void DataGrid::setCurrentRecord(int record, const QString& field)
{
    if (record < 0 || record >= model_->size())
        return;
    QModelIndex i = field.isEmpty() ? QModelIndex() : model_->indexOf(record, field);
    if (!i.isValid())
        i = model_->index(record * model_->lines(), std::max(0, currentIndex().column()));
    setCurrentIndex(i);
    if (!editable())
        selectRecord(record);
}

void DataGrid::selectRecord(int record)
{
    const int first = record * model_->lines();
    selectionModel()->select(QItemSelection(model_->index(first, 0),
                                            model_->index(first + model_->lines() - 1, model_->columnCount() - 1)),
                             QItemSelectionModel::ClearAndSelect);
}

void DataGrid::setEditable(bool on)
{
    // A cell being typed into keeps what was typed.
    if (QWidget* editor = delegate_->openEditor()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
    model_->setEditable(on);
    setSelectionBehavior(on ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setEditTriggers(on ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                             | QAbstractItemView::EditKeyPressed
                       : QAbstractItemView::NoEditTriggers);
    if (!on && currentRecord() >= 0)
        selectRecord(currentRecord());
}

void DataGrid::setEnterOrder(const QStringList& fields)
{
    enterOrder_.clear();
    for (const QString& f : fields)
        enterOrder_ << f.toLower();
}

QStringList DataGrid::enterOrder() const
{
    if (!enterOrder_.isEmpty())
        return enterOrder_;
    QStringList order;
    for (int line = 0; line < model_->lines(); ++line)
        for (int col = 0; col < model_->columnCount(); ++col)
            if (const GridColumn* c = model_->cell(line, col); c && c->editable)
                order << c->field;
    return order;
}

void DataGrid::keyPressEvent(QKeyEvent* e)
{
    if (isEnter(e) && state() != QAbstractItemView::EditingState) {
        if (editable())
            enterPressed();
        else
            emit recordActivated(currentRecord());
        e->accept();
        return;
    }
    QTableView::keyPressEvent(e);
}

void DataGrid::enterPressed()
{
    Kit::commitInput();
    const int record = currentRecord();
    const QString field = currentField();
    if (record < 0)
        return;
    const QModelIndex at = model_->indexOf(record, field);
    const GridColumn* c = at.isValid() ? model_->cell(model_->lineOf(at.row()), at.column()) : nullptr;
    int cells = 1;
    if (c && c->onEnter) {
        const auto handler = c->onEnter;
        if (!Kit::guarded(this, [&] { cells = handler(record); }))
            cells = 0;
    }
    moveOn(cells);
}

void DataGrid::moveOn(int cells)
{
    const int record = currentRecord();
    if (cells <= 0 || record < 0)
        return;
    const QStringList order = enterOrder();
    const int target = int(order.indexOf(currentField())) + cells;
    if (target >= 0 && target < order.size())
        setCurrentIndex(model_->indexOf(record, order.at(target)));
}

void DataGrid::setTotalsLine(bool on)
{
    if (on && !totals_)
        totals_ = new GridTotals(this);
    if (totals_)
        totals_->setVisible(on);
    updateGeometries();
}

void DataGrid::setTotal(const QString& field, std::function<double()> compute)
{
    totalFormulas_.insert(field.toLower(), std::move(compute));
    if (totals_)
        totals_->update();
}

QString DataGrid::totalText(const QString& field) const
{
    const QString f = field.toLower();
    const GridColumn* c = nullptr;
    for (int line = 0; line < model_->lines() && !c; ++line)
        for (int col = 0; col < model_->columnCount() && !c; ++col)
            if (const GridColumn* x = model_->cell(line, col); x && x->field == f)
                c = x;
    if (!c)
        return {};
    const auto formula = totalFormulas_.constFind(f);
    if (formula != totalFormulas_.constEnd())
        return FormatNumber(formula.value()(), c->mask);
    return c->sum ? FormatNumber(model_->sum(f), c->mask) : QString();
}

void DataGrid::setTitleClick(std::function<void(const QString&)> handler) { titleClick_ = std::move(handler); }

void DataGrid::titleClicked(int section)
{
    const GridColumn* c = model_->cell(0, section);
    if (!c)
        c = model_->cell(1, section);
    if (!c)
        return;
    if (titleClick_) {
        titleClick_(c->field);
        return;
    }
    sortOrder_ = section == sortSection_ && sortOrder_ == Qt::AscendingOrder ? Qt::DescendingOrder
                                                                             : Qt::AscendingOrder;
    sortSection_ = section;
    model_->sortBy(c->field, sortOrder_);
    if (model_->size() > 0)
        setCurrentRecord(0);
}

void DataGrid::layoutRecords()
{
    clearSpans();
    if (model_->lines() < 2)
        return;
    const int cols = model_->columnCount();
    for (int record = 0; record < model_->size(); ++record) {
        const int row = record * 2;
        for (int col = 0; col < cols; ++col) {
            const bool top = model_->cell(0, col);
            const bool bottom = model_->cell(1, col);
            if (top && !bottom)
                setSpan(row, col, 2, 1);
            else if (!top && bottom && col > 0 && model_->cell(0, col - 1) && model_->cell(1, col - 1))
                setSpan(row, col - 1, 1, 2);
        }
    }
}

void DataGrid::updateGeometries()
{
    QTableView::updateGeometries();
    const int footer = totals_ && !totals_->isHidden() ? totals_->lineHeight() * model_->lines() : 0;
    const QMargins m = viewportMargins();
    if (m.bottom() != footer)
        setViewportMargins(m.left(), m.top(), m.right(), footer);
    placeTotals();
}

void DataGrid::resizeEvent(QResizeEvent* e)
{
    QTableView::resizeEvent(e);
    placeTotals();
}

void DataGrid::placeTotals()
{
    if (!totals_ || totals_->isHidden())
        return;
    const QRect v = viewport()->geometry();
    totals_->setGeometry(v.x(), v.bottom() + 1, v.width(), totals_->lineHeight() * model_->lines());
    totals_->update();
}
