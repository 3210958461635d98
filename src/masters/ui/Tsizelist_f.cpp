#include "masters/ui/Tsizelist_f.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

Tsizelist_f::Tsizelist_f(const QString& title, const Rows& rows, QWidget* parent)
    : QDialog(parent)
{
    Kit::watchInput();
    setObjectName(QStringLiteral("Tsizelist_f"));
    setWindowTitle(QStringLiteral("규격 조회"));

    title_ = new QLabel(title, this);
    title_->setObjectName(QStringLiteral("title_label"));
    QFont big = title_->font();
    big.setPointSize(big.pointSize() + 5);
    big.setBold(true);
    title_->setFont(big);
    title_->setAlignment(Qt::AlignCenter);

    grid_ = new DataGrid(QStringLiteral("DBGrid1"), this);
    QList<GridColumn> cols = {
        {.field = "ILJA", .title = QStringLiteral("일자"), .width = 84},
        {.field = "REMI_CODE", .title = QStringLiteral("코드"), .width = 48},
        {.field = "kind", .title = QStringLiteral("품명"), .width = 70},
        {.field = "standard", .title = QStringLiteral("규격"), .width = 84},
    };
    const QList<QPair<QString, QString>> mix = {
        {"cement_1", "시멘트1"}, {"cement_2", "시멘트2"}, {"cement_3", "시멘트3"}, {"sand_1", "모레1"},
        {"sand_2", "모래2"},     {"gravel_1", "자갈1"},   {"gravel_2", "자갈2"},   {"gravel_3", "자갈3"},
        {"sand_3", "자갈4"},     {"ad_1", "혼화제1"},     {"ad_2", "혼화제2"},     {"ad_3", "혼화제3"},
        {"water_1", "물1"},      {"water_2", "물2"},
    };
    for (const auto& [field, label] : mix)
        cols << GridColumn{.field = field, .title = label, .width = 56,
                           .mask = field.startsWith(QLatin1String("ad")) ? QStringLiteral("#,##0.##")
                                                                         : QStringLiteral("#,##0")};
    cols << GridColumn{.field = "kwan_danga", .title = QStringLiteral("관급단가"), .width = 76, .mask = "#,##0"};
    cols << GridColumn{.field = "sa_danga", .title = QStringLiteral("사급단가"), .width = 76, .mask = "#,##0"};
    grid_->setColumns(cols);
    grid_->load(rows);

    auto* bar = new QHBoxLayout;
    const auto nav = [&](const QString& name, const QString& caption, const QString& tip, std::function<int()> to) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setToolTip(tip);
        b->setAutoDefault(false);
        b->setFixedWidth(40);
        connect(b, &QPushButton::clicked, this, [this, to] { go(to()); });
        bar->addWidget(b);
    };
    nav(QStringLiteral("nav_first"), QStringLiteral("|◀"), QStringLiteral("처음"), [] { return 0; });
    nav(QStringLiteral("nav_prior"), QStringLiteral("◀"), QStringLiteral("이전"),
        [this] { return grid_->currentRecord() - 1; });
    nav(QStringLiteral("nav_next"), QStringLiteral("▶"), QStringLiteral("다음"),
        [this] { return grid_->currentRecord() + 1; });
    nav(QStringLiteral("nav_last"), QStringLiteral("▶|"), QStringLiteral("마지막"),
        [this] { return grid_->rows()->size() - 1; });
    bar->addStretch();
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
    close->setObjectName(QStringLiteral("clsbtn"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    bar->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addWidget(title_);
    root->addWidget(grid_, 1);
    root->addLayout(bar);
    resize(1200, 640);
}

void Tsizelist_f::go(int record)
{
    if (record < 0 || record >= grid_->rows()->size())
        return;
    grid_->setCurrentRecord(record);
    grid_->setFocus();
}
