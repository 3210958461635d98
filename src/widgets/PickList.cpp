#include "widgets/PickList.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"

#include <QApplication>
#include <QHeaderView>
#include <QVBoxLayout>

TP_Formf& TP_Formf::instance()
{
    static TP_Formf* form = new TP_Formf;
    return *form;
}

TP_Formf::TP_Formf()
{
    setObjectName(QStringLiteral("TP_Formf"));
    setModal(true);
    Grd_pan = new DataGrid(QStringLiteral("Grd_pan"), this);
    Grd_pan->horizontalHeader()->setStretchLastSection(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Grd_pan);
    connect(Grd_pan, &DataGrid::recordActivated, this, &TP_Formf::pick);
    connect(Grd_pan, &DataGrid::recordClicked, this, &TP_Formf::pick);
    Grd_pan->setTitleClick([this](const QString& field) {
        if (!lookup_ || !lookup_->canResort())
            return;
        if (Kit::guarded(this, [&] { lookup_->resort(field); }))
            showRows();
    });
}

void TP_Formf::showRows()
{
    Grd_pan->load(lookup_->rows());
    Grd_pan->resizeColumnsToContents();
    Grd_pan->setFocus();
}

bool TP_Formf::choose(const CodeLookup& lookup, int top, int left, int width, int height)
{
    lookup_ = lookup;
    setWindowTitle(lookup.caption());
    QList<GridColumn> columns;
    const int each = std::max(40, (width - 24) / std::max<int>(1, int(lookup.columns().size())));
    for (const LookupColumn& c : lookup.columns())
        columns << GridColumn{.field = c.field, .title = c.title, .width = each};
    Grd_pan->setColumns(columns);
    setGeometry(left, top, width, height);
    showRows();
    return Kit::execModal(this) == QDialog::Accepted;
}

void TP_Formf::pick(int row)
{
    if (!lookup_ || row < 0 || row >= lookup_->rows().size())
        return;
    lookup_->pick(row);
    accept();
}

bool RunCodeLookup(int kind, int top, int left, int width, int height)
{
    std::optional<CodeLookup> lookup;
    bool single = false;
    if (!Kit::guarded(QApplication::activeWindow(), [&] {
            lookup.emplace(kind);
            single = lookup->search();
        }))
        return false;
    return single || TP_Formf::instance().choose(*lookup, top, left, width, height);
}
