#include "masters/ui/TMISU_F.h"
#include "data/CodeLookup.h"
#include "data/Session.h"
#include "masters/OpeningBalances.h"
#include "widgets/Grid.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

using namespace OpeningBalances;

TMISU_F::TMISU_F(QWidget* parent)
    : EntryForm(QStringLiteral("TMISU_F"), QStringLiteral("초기잔액 입력"), parent)
{
    addButton(QStringLiteral("newbtn"), QStringLiteral("&1.등록"), Browse, [this] {
        emptyFields();
        field("hy01")->setFocus();
    });
    addButton(QStringLiteral("edtbtn"), QStringLiteral("&2.수정"), Browse, [this] { gridhord->setFocus(); });
    addButton(QStringLiteral("delbtn"), QStringLiteral("&3.삭제"), Browse, [this] { remove(); });
    addButton(QStringLiteral("savbtn"), QStringLiteral("&6.저장"), Browse, [this] { save(); });
    addButton(QStringLiteral("canbtn"), QStringLiteral("&7.취소"), Browse, [this] {
        emptyFields();
        button("newbtn")->setFocus();
    });
    addCloseButton(QStringLiteral("clsbtn"), QStringLiteral("&9.닫기"));

    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("초기 잔액 입력"), left);
    title->setObjectName(QStringLiteral("title_pan"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    leftLayout->addWidget(title);
    gridhord = new DataGrid(QStringLiteral("gridhord"), left);
    gridhord->setColumns({{.field = "grcd", .title = "코드", .width = 50},
                          {.field = "name", .title = "거래처 명", .width = 190},
                          {.field = "code", .title = "코드", .width = 40},
                          {.field = "name_1", .title = "현장명", .width = 210},
                          {.field = "ilja", .title = "년도", .width = 70},
                          {.field = "kum", .title = "초기잔액", .width = 110, .mask = "#,##0"}});
    gridhord->setMinimumWidth(700);
    leftLayout->addWidget(gridhord, 1);
    body()->insertWidget(0, left, 1);
    connect(gridhord, &DataGrid::recordClicked, this, [this](int r) { showRow(r); });
    connect(gridhord, &DataGrid::currentRecordChanged, this, [this](int r) {
        if (!loading_)
            showRow(r);
    });

    // Every field can be typed into at any time: the window has no states.
    addField({.name = "hy01", .label = "코드", .width = 30, .onEnter = [this] { return customerEntered(); },
              .free = true, .pixels = 80});
    addField({.name = "hy02", .label = "거래처명", .width = 30, .readOnly = true, .free = true});
    addField({.name = "hy03", .label = "코드", .width = 40, .onEnter = [this] { return siteEntered(); },
              .free = true, .pixels = 80});
    addField({.name = "hy04", .label = "현장명", .width = 40, .readOnly = true, .free = true});
    addField({.name = "hy05", .label = "년도", .kind = FieldKind::Month, .free = true});
    addField({.name = "hy06", .label = "금액", .width = 20, .onEnter = [this] {
                  button("savbtn")->setFocus();
                  return true;
              }, .free = true, .pixels = 140});
    field("hy06")->setAlignment(Qt::AlignRight);
    resize(1180, 600);
}

void TMISU_F::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (opened_)
        return;
    opened_ = true;
    if (QScreen* s = screen())
        move(s->availableGeometry().center() - rect().center());
    run([this] {
        reload();
        emptyFields();
        button("newbtn")->setFocus();
    });
}

void TMISU_F::reload()
{
    loading_ = true;
    gridhord->load(OpeningBalances::list());
    loading_ = false;
}

void TMISU_F::emptyFields() { clearFields(); }

void TMISU_F::showRow(int record)
{
    const GridModel* m = gridhord->rows();
    if (record < 0 || record >= m->size())
        return;
    field("hy01")->setValue(m->text(record, "grcd"));
    field("hy02")->setValue(m->text(record, "name"));
    field("hy03")->setValue(m->text(record, "code"));
    field("hy04")->setValue(m->text(record, "name_1"));
    field("hy05")->setValue(m->text(record, "ilja"));
    field("hy06")->setValue(QString::number(m->number(record, "kum"), 'f', 0));
}

bool TMISU_F::customerEntered()
{
    session().LookupKey = field("hy01")->value();
    if (!RunCodeLookup(CodeLookup::Customer))
        return false;
    field("hy01")->setValue(session().LookupKey);
    field("hy02")->setValue(session().LookupName);
    field("hy03")->setFocus();
    return true;
}

bool TMISU_F::siteEntered()
{
    session().LookupAux1 = field("hy01")->value();
    session().LookupKey = field("hy03")->value();
    if (!RunCodeLookup(CodeLookup::ReceivableSite))
        return false;
    field("hy03")->setValue(session().LookupKey);
    field("hy04")->setValue(session().LookupName);
    field("hy05")->setFocus();
    return true;
}

void TMISU_F::save()
{
    const Balance b{field("hy01")->value(), field("hy03")->value(), field("hy05")->value(), field("hy06")->value()};
    const SaveResult r = OpeningBalances::save(b, [this] { return Messages::confirm(this, MsgAskOverwrite); });
    if (r == SaveResult::Cancelled)
        return;
    if (r != SaveResult::Saved) {
        Messages::info(this, message(r));
        if (r == SaveResult::BadMonth)
            field("hy05")->setFocus();
        else if (r == SaveResult::BadAmount)
            field("hy06")->setFocus();
        return;
    }
    reload();
    emptyFields();
    button("newbtn")->setFocus();
}

void TMISU_F::remove()
{
    const int record = gridhord->currentRecord();
    if (record < 0 || !Messages::confirm(this, MsgAskDelete))
        return;
    const GridModel* m = gridhord->rows();
    OpeningBalances::remove(m->text(record, "grcd"), m->text(record, "code"), m->text(record, "ilja"));
    reload();
    emptyFields();
}
