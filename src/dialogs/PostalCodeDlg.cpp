#include "dialogs/PostalCodeDlg.h"
#include "data/CodeLookup.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace {
const QString kAll = QStringLiteral("전체");
const QString kCode = QStringLiteral("우편번호");
const QString kDong = QStringLiteral("동");
const QString kSelect = QStringLiteral("select post, dong, juso, ddd from zipcode");
} // namespace

Tgrid_f::Tgrid_f(QWidget* parent)
    : QDialog(parent)
{
    Kit::watchInput();
    setObjectName(QStringLiteral("Tgrid_f"));
    setWindowTitle(QStringLiteral("우편번호 조회"));
    index_gu = new QComboBox(this);
    index_gu->setObjectName(QStringLiteral("index_gu"));
    index_gu->addItems({kAll, kCode, kDong});
    post1 = new QLineEdit(this);
    post1->setObjectName(QStringLiteral("post1"));
    RxDBGrid1 = new DataGrid(QStringLiteral("RxDBGrid1"), this);
    RxDBGrid1->setColumns({{.field = "post", .title = QStringLiteral("우편번호"), .width = 70},
                           {.field = "dong", .title = QStringLiteral("동"), .width = 110},
                           {.field = "juso", .title = QStringLiteral("주      소"), .width = 300},
                           {.field = "ddd", .title = QStringLiteral("지역번호"), .width = 70}});
    RxDBGrid1->setTitleClick([](const QString&) {});

    auto* top = new QHBoxLayout;
    top->addWidget(index_gu);
    top->addWidget(new QLabel(QStringLiteral("검색어 :"), this));
    top->addWidget(post1, 1);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(RxDBGrid1, 1);
    resize(600, 420);

    index_gu->installEventFilter(this);
    post1->installEventFilter(this);
    connect(RxDBGrid1, &DataGrid::recordActivated, this, &Tgrid_f::pick);
    connect(RxDBGrid1, &DataGrid::recordClicked, this, &Tgrid_f::pick);
}

bool Tgrid_f::choose(QWidget* parent)
{
    Tgrid_f dlg(parent);
    return Kit::execModal(&dlg) == QDialog::Accepted;
}

void Tgrid_f::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    Kit::guarded(this, [this] { RxDBGrid1->load(Sql::select(kSelect + QStringLiteral(" order by post"))); });
    index_gu->setCurrentText(kDong);
    post1->clear();
    post1->setFocus();
}

void Tgrid_f::search()
{
    Kit::commitInput(post1);
    const QString kind = index_gu->currentText();
    const QString text = post1->text();
    Kit::guarded(this, [&] {
        if (kind == kCode)
            RxDBGrid1->load(Sql::select(kSelect + QStringLiteral(" where post = ? order by post"), {text}));
        else if (kind == kDong)
            RxDBGrid1->load(Sql::select(kSelect + QStringLiteral(" where dong like ? escape '\\' order by post"),
                                        {ContainsPattern(text)}));
        else
            RxDBGrid1->load(Sql::select(kSelect + QStringLiteral(" order by post")));
    });
    RxDBGrid1->setFocus();
}

void Tgrid_f::pick(int record)
{
    // An empty grid hands over empty values.
    session().ZipAddress = RxDBGrid1->rows()->text(record, QStringLiteral("juso"));
    session().ZipCode = RxDBGrid1->rows()->text(record, QStringLiteral("post"));
    accept();
}

bool Tgrid_f::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (o == index_gu)
                post1->setFocus();
            else if (o == post1)
                search();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}
