#include "receivables/ui/Tmakam_f.h"

#include "data/CodeLookup.h"
#include "data/Session.h"
#include "receivables/YearClosing.h"
#include "widgets/Field.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
constexpr int SalesBook = 0;
}

Tmakam_f::Tmakam_f(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Tmakam_f"));
    setWindowTitle(QStringLiteral("마   감"));
    resize(1080, 420);

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QGridLayout;
    edt_ilja = new QSpinBox(this);
    edt_ilja->setObjectName(QStringLiteral("edt_ilja"));
    edt_ilja->setRange(1, 9999);
    edt_ilja->setValue(2002);
    edt_cust = new Field(FieldSpec{.name = QStringLiteral("edt_cust"), .kind = FieldKind::Upper, .width = 30}, this);
    lab_cust = new QLabel(this);
    lab_cust->setObjectName(QStringLiteral("lab_cust"));
    edt_hyun = new Field(FieldSpec{.name = QStringLiteral("edt_hyun"), .kind = FieldKind::Text, .width = 40}, this);
    lab_hyun = new QLabel(this);
    lab_hyun->setObjectName(QStringLiteral("lab_hyun"));
    fields->addWidget(new QLabel(QStringLiteral("년    도"), this), 0, 0);
    fields->addWidget(edt_ilja, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("거 래 처"), this), 1, 0);
    fields->addWidget(edt_cust, 1, 1);
    fields->addWidget(lab_cust, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("현    장"), this), 2, 0);
    fields->addWidget(edt_hyun, 2, 1);
    fields->addWidget(lab_hyun, 2, 2);
    fields->setColumnStretch(2, 1);

    auto* buttons = new QVBoxLayout;
    auto button = [&](const char* name, const QString& caption) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        return b;
    };
    btn_find = button("btn_find", QStringLiteral("조    회"));
    btn_makam = button("btn_makam", QStringLiteral("마    감"));
    btn_close = button("btn_close", QStringLiteral("종   료"));
    buttons->addStretch();

    auto* top = new QHBoxLayout;
    top->addLayout(fields, 1);
    top->addLayout(buttons);
    layout->addLayout(top);

    grd_makam = new DataGrid(QStringLiteral("grd_makam"), this);
    const QString amount = QStringLiteral("#,##0");
    grd_makam->setColumns({
        {.field = "ilja", .title = "일  자", .width = 70},
        {.field = "misu", .title = "미  수", .width = 90, .mask = amount},
        {.field = "m3", .title = "수  량", .width = 80, .mask = "#,##0.00"},
        {.field = "kum", .title = "금  액", .width = 90, .mask = amount},
        {.field = "vatkum", .title = "세  액", .width = 90, .mask = amount},
        {.field = "hap", .title = "합  계", .width = 90, .mask = amount},
        {.field = "hyun", .title = "현  금", .width = 90, .mask = amount},
        {.field = "au", .title = "어  음", .width = 90, .mask = amount},
        {.field = "gi", .title = "기  타", .width = 90, .mask = amount},
        {.field = "hal", .title = "할  인", .width = 80, .mask = amount},
        {.field = "dea", .title = "대  체", .width = 80, .mask = amount},
        {.field = "lee", .title = "이  익", .width = 80, .mask = amount},
    });
    layout->addWidget(grd_makam, 1);

    for (QWidget* w : {static_cast<QWidget*>(edt_ilja), static_cast<QWidget*>(edt_cust),
                       static_cast<QWidget*>(edt_hyun)})
        w->installEventFilter(this);
    connect(btn_find, &QPushButton::clicked, this, [this] { Kit::commitInput(); Kit::guarded(this, [this] { btn_findClick(); }); });
    connect(btn_makam, &QPushButton::clicked, this, [this] { Kit::commitInput(); Kit::guarded(this, [this] { btn_makamClick(); }); });
    connect(btn_close, &QPushButton::clicked, this, &QDialog::accept);
}

bool Tmakam_f::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            Kit::commitInput();
            if (o == edt_ilja)
                edt_cust->setFocus();
            else if (o == edt_cust)
                edt_custEnter();
            else if (o == edt_hyun)
                edt_hyunEnter();
            else
                return QDialog::eventFilter(o, e);
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Tmakam_f::edt_custEnter()
{
    Session& s = session();
    s.LookupKey = edt_cust->value();
    if (!RunCodeLookup(CodeLookup::Customer)) {
        edt_cust->setFocus();
        return;
    }
    edt_cust->setValue(s.LookupKey);
    lab_cust->setText(s.LookupName);
    edt_hyun->setFocus();
}

void Tmakam_f::edt_hyunEnter()
{
    Session& s = session();
    s.LookupAux1 = edt_cust->value();
    s.LookupKey = edt_hyun->value();
    if (!RunCodeLookup(CodeLookup::ReceivableSite)) {
        edt_hyun->setFocus();
        return;
    }
    edt_hyun->setValue(s.LookupKey);
    lab_hyun->setText(s.LookupName);
    btn_find->setFocus();
}

void Tmakam_f::btn_findClick()
{
    grd_makam->load(ClosingRows(edt_ilja->value(), edt_cust->value(), edt_hyun->value(), SalesBook));
}

void Tmakam_f::btn_makamClick()
{
    const int year = edt_ilja->value();
    const QString grcd = edt_cust->value();
    const QString code = edt_hyun->value();
    if (grcd.isEmpty() || code.isEmpty()) {
        Messages::info(this, QStringLiteral("데이타를 모두 입력하시오."));
        return;
    }
    if (SiteYearClosed(year, grcd, code, SalesBook)
        && !Messages::confirm(this, QStringLiteral("%1년도는  이미 마감되었습니다.\n 갱신하시겠습니까?").arg(year)))
        return;
    YearClosingOfSite(year, grcd, code, SalesBook);
    btn_findClick();
    Messages::info(this, QStringLiteral("마감이 종료되었습니다."));
}
