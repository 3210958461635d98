#include "books/ui/Tipkum_f.h"
#include "books/ui/DayBookPanels.h"

#include "data/CodeLookup.h"
#include "data/Session.h"
#include "dialogs/CalendarDlg.h"
#include "masters/ui/TCUSTOMER_F.h"
#include "masters/ui/THYUNJANG_F.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PasswordPanel.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QStringList kBookNames = {QStringLiteral("입금 장부"), QStringLiteral("세금 입금 장부")};
const QString kBrowseText = QStringLiteral("조회및 등록");
const QString kMoney = QStringLiteral("#,##0.##");

// The first line of both grids up to the bank; the second line (number,
// the six amounts, the due date under the note number).
QList<GridColumn> firstLine()
{
    return {
        {.field = "ilja", .title = "일자", .width = 84},
        {.field = "grcd", .title = "코드", .width = 92, .editable = true, .maxLength = 4, .upper = true},
        {.field = "grcd_name", .title = "거래처명", .width = 120},
        {.field = "code", .title = "코드", .width = 92, .editable = true, .maxLength = 3},
        {.field = "code_name", .title = "현장명", .width = 130},
        {.field = "man", .title = "담당자", .width = 92},
        {.field = "", .title = "", .width = 92},
        {.field = "card_num", .title = "어음번호", .width = 100, .editable = true, .maxLength = 15},
        {.field = "bank", .title = "은행명", .width = 100, .editable = true, .maxLength = 20},
    };
}

QList<GridColumn> secondLine()
{
    return {
        {.field = "jun", .title = "번호"},
        {.field = "cost1", .title = "현금", .mask = kMoney, .editable = true, .sum = true},
        {.field = "cost2", .title = "어음", .mask = kMoney, .editable = true, .sum = true},
        {.field = "cost3", .title = "은행입금", .mask = kMoney, .editable = true, .sum = true},
        {.field = "cost4", .title = "할인", .mask = kMoney, .editable = true, .sum = true},
        {.field = "cost5", .title = "대체", .mask = kMoney, .editable = true, .sum = true},
        {.field = "cost6", .title = "영업외 이익", .mask = kMoney, .editable = true, .sum = true},
        {.field = "last_date", .title = "만기일자", .editable = true, .maxLength = 10},
        {},
    };
}

} // namespace

Tipkum_f::Tipkum_f(QWidget* parent)
    : EntryForm(QStringLiteral("Tipkum_f"), QStringLiteral("입금 관리"), parent)
    , book_(session().BookMode)
{
    hy01 = addField({.name = "hy01", .label = "일  자", .kind = FieldKind::Date,
                     .onEnter = [this] { changeDay(); return false; }, .free = true});

    addButton("newbtn", "&1.등록", Browse | Delete, [this] { newRow(); });
    addButton("edtbtn", "&2.수정", Browse | Delete, [this] { change(); }, true);
    addButton("delbtn", "&3.삭제", Browse | Delete, [this] { remove(); }, true);
    // The deposit search window is not part of the program yet: never enabled.
    addButton("fndbtn", "&4.조회", {}, [] {});
    addButton("savbtn", "&5.저장", New | Edit, [this] { save(); });
    addButton("canbtn", "&6.취소", New | Edit, [this] { cancel(); });
    addButton("hlpbtn", "&7.출력", Browse | Delete, [this] { print(); });
    addCloseButton("clsbtn", "&8.닫기");
    addButton("custbtn", "거래처", Browse | New | Edit | Delete, [this] {
        TCUSTOMER_F customers(this);
        Kit::execModal(&customers);
    });
    addButton("sitebtn", "현 장", Browse | New | Edit | Delete, [this] {
        THYUNJANG_F sites(this);
        Kit::execModal(&sites);
    });
    addStatusPanel(kBookNames.value(book_.bookMode()));

    auto* main = new QWidget(this);
    auto* v = new QVBoxLayout(main);
    v->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    QWidget* dateArea = fieldPanel();
    body()->removeWidget(dateArea);
    dateArea->setParent(main);
    top->addWidget(dateArea);
    auto* approval = new QWidget(main);
    buildApprovalArea(approval);
    top->addWidget(approval);
    top->addStretch(1);
    v->addLayout(top);

    buildGrids();
    pages = new QTabWidget(main);
    pages->setObjectName(QStringLiteral("PageControl1"));
    pages->addTab(gridhord, QStringLiteral("입금데이타"));
    pages->addTab(gridhord1, QStringLiteral("오류 데이타"));
    v->addWidget(pages, 1);
    body()->addWidget(main, 1);
    connect(pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) {
            setState(state());
            return;
        }
        for (const char* b : {"newbtn", "edtbtn", "delbtn"})
            button(b)->setEnabled(false);
    });

    buildReasonPanel();
    pass_pan1 = new PasswordPanel(this, QStringLiteral("pass_pan1"), QStringLiteral("pass1_edit"));
    passwordPanel();

    resize(1120, 640);
    hy01->setDate(QDate::currentDate());
    setState(Browse);
    setStatusText(kBrowseText);
    run([this] {
        loadDay();
        loadHistory();
        showApprovalState();
    });
    hy01->setFocus();
}

void Tipkum_f::buildGrids()
{
    gridhord = new DataGrid(QStringLiteral("gridhord"));
    QList<GridColumn> line1 = firstLine();
    line1 << GridColumn{.field = "memo", .title = "메모", .width = 150, .editable = true, .maxLength = 30,
                        .onEnter = [this](int r) { return memoEntered(r); }};
    line1[1].onEnter = [this](int r) { return customerEntered(r); };
    line1[3].onEnter = [this](int r) { return siteEntered(r); };
    QList<GridColumn> line2 = secondLine();
    line2[7].onEnter = [this](int r) { return dueDateEntered(r); };
    line2 << GridColumn{};
    gridhord->setColumns(line1, line2);
    gridhord->setEnterOrder(
        {"grcd", "code", "cost1", "cost2", "cost3", "cost4", "cost5", "cost6", "card_num", "last_date", "bank", "memo"});
    gridhord->setTotalsLine(true);
    const auto remember = [this](int record) {
        if (gridhord->editable() || record < 0)
            return;
        remembered_ = rowAt(record).amounts;
    };
    connect(gridhord, &DataGrid::recordClicked, this, remember);
    connect(gridhord, &DataGrid::currentRecordChanged, this, [this, remember](int record) {
        remember(record);
        setRowShown(record >= 0);
    });

    gridhord1 = new DataGrid(QStringLiteral("gridhord1"));
    QList<GridColumn> h1 = firstLine();
    for (GridColumn& c : h1)
        c.editable = false;
    h1 << GridColumn{.field = "memo", .title = "메모", .width = 150}
       << GridColumn{.field = "why", .title = "이유", .width = 150}
       << GridColumn{.field = "status", .title = "구분", .width = 40};
    QList<GridColumn> h2 = secondLine();
    for (GridColumn& c : h2)
        c.editable = false;
    h2 << GridColumn{} << GridColumn{} << GridColumn{};
    gridhord1->setColumns(h1, h2);
    gridhord1->rows()->setRowColor([this](int record) {
        return gridhord1->rows()->text(record, "status") == QLatin1String("D") ? QColor(Qt::yellow) : QColor(Qt::white);
    });
}

void Tipkum_f::buildApprovalArea(QWidget* area)
{
    const ApprovalArea a = ::buildApprovalArea(area, DepositBook::Open, DepositBook::Approved);
    ok_btn = a.ok_btn;
    ok_pan = a.ok_pan;
    com_okno = a.com_okno;
    connect(ok_btn, &QPushButton::clicked, this, [this] { run([this] { approve(); }); });
    connect(a.btn_ok, &QPushButton::clicked, this, [this] { run([this] { approvalChosen(); }); });
}

void Tipkum_f::buildReasonPanel()
{
    const ReasonPanel r = ::buildReasonPanel(this, this);
    job_pan = r.job_pan;
    edt_job = r.edt_job;
}

bool Tipkum_f::eventFilter(QObject* o, QEvent* e)
{
    if (o == edt_job && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            run([this] { reasonEntered(); });
            return true;
        }
        if (key == Qt::Key_Escape) {
            job_pan->hide();
            return true;
        }
    }
    return EntryForm::eventFilter(o, e);
}

void Tipkum_f::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (!session().SessionCompanyName.isEmpty())
        setWindowTitle(session().SessionCompanyName);
    if (const QScreen* s = screen())
        QWidget::move(s->availableGeometry().center() - rect().center());
}

QString Tipkum_f::day() const { return hy01->value(); }

// --- the day -------------------------------------------------------------------

void Tipkum_f::loadDay()
{
    GridModel* m = gridhord->rows();
    m->clear();
    for (const DepositRow& r : book_.loadDay(day()))
        putRow(gridhord, m->append(), r);
    if (m->size() > 0)
        gridhord->setCurrentRecord(0);
    setRowShown(m->size() > 0);
}

void Tipkum_f::loadHistory()
{
    GridModel* m = gridhord1->rows();
    m->clear();
    for (const DepositRow& r : DepositBook::loadHistory(day()))
        putRow(gridhord1, m->append(), r);
}

void Tipkum_f::showApprovalState()
{
    const QString state = DepositBook::approvalState(day());
    ok_btn->setText(state);
    com_okno->setCurrentText(state);
}

void Tipkum_f::changeDay()
{
    if (!hy01->date().isValid()) {
        Messages::info(this, QStringLiteral("일자를 바르게 입력하십시오."));
        return;
    }
    job_pan->hide();
    ok_pan->hide();
    toBrowse();
    loadDay();
    loadHistory();
    showApprovalState();
    button("newbtn")->setFocus();
}

void Tipkum_f::toBrowse()
{
    gridhord->setEditable(false);
    entryMode_ = 0;
    setState(Browse);
    setStatusText(kBrowseText);
}

DepositRow Tipkum_f::rowAt(int record) const
{
    const GridModel* m = gridhord->rows();
    DepositRow r;
    r.ilja = m->text(record, "ilja");
    r.jun = m->text(record, "jun");
    r.grcd = m->text(record, "grcd");
    r.grcd_name = m->text(record, "grcd_name");
    r.code = m->text(record, "code");
    r.code_name = m->text(record, "code_name");
    r.amounts = {m->number(record, "cost1"), m->number(record, "cost2"), m->number(record, "cost3"),
                 m->number(record, "cost4"), m->number(record, "cost5"), m->number(record, "cost6")};
    r.card_num = m->text(record, "card_num");
    r.bank = m->text(record, "bank");
    r.last_date = m->text(record, "last_date");
    r.memo = m->text(record, "memo");
    r.man_code = m->text(record, "man_code");
    r.man = m->text(record, "man");
    return r;
}

void Tipkum_f::putRow(DataGrid* grid, int record, const DepositRow& r)
{
    GridModel* m = grid->rows();
    const DepositAmounts& a = r.amounts;
    for (const auto& [f, v] : QList<QPair<QString, QVariant>>{
             {"ilja", r.ilja}, {"jun", r.jun}, {"grcd", r.grcd}, {"grcd_name", r.grcd_name}, {"code", r.code},
             {"code_name", r.code_name}, {"cost1", a.hyun}, {"cost2", a.au}, {"cost3", a.gi}, {"cost4", a.hal},
             {"cost5", a.dea}, {"cost6", a.lee}, {"card_num", r.card_num}, {"bank", r.bank},
             {"last_date", r.last_date}, {"memo", r.memo}, {"man_code", r.man_code}, {"man", r.man},
             {"status", r.status}, {"why", r.why}})
        m->setValue(record, f, v);
}

// --- buttons -------------------------------------------------------------------

void Tipkum_f::newRow()
{
    entryMode_ = 1;
    job_pan->hide();
    setState(New);
    GridModel* m = gridhord->rows();
    const int r = m->append();
    m->setValue(r, "ilja", day());
    gridhord->setEditable(true);
    gridhord->setCurrentRecord(r, "grcd");
    gridhord->setFocus();
}

void Tipkum_f::change()
{
    entryMode_ = 2;
    showReason();
}

void Tipkum_f::remove()
{
    entryMode_ = 0;
    edt_job->clear();
    showReason();
}

// The reason panel, then the correction password.
void Tipkum_f::showReason()
{
    passwordPanel()->hide();
    job_pan->adjustSize();
    job_pan->move((width() - job_pan->width()) / 2, height() / 2 - job_pan->height() - 30);
    job_pan->show();
    job_pan->raise();
    edt_job->setFocus();
}

void Tipkum_f::reasonEntered()
{
    Kit::commitInput(edt_job);
    if (edt_job->text().trimmed().isEmpty())
        return;
    why_ = edt_job->text();
    job_pan->hide();
    askPassword(StaffPassword::Correction, [this] { passwordAccepted(); });
}

void Tipkum_f::passwordAccepted()
{
    const int record = gridhord->currentRecord();
    if (record < 0)
        return;
    if (entryMode_ == 2) {
        setState(Edit);
        gridhord->setEditable(true);
        gridhord->setCurrentRecord(record, "grcd");
        gridhord->setFocus();
        gridhord->edit(gridhord->currentIndex());
    } else if (entryMode_ == 0) {
        entryMode_ = 3;
        gridhord->setEditable(false);
        setState(Delete);
        setStatusText(QStringLiteral("삭제중"));
        if (!Messages::confirm(this, QStringLiteral("삭제하겠습니까?"))) {
            toBrowse();
            setStatusText(QString());
            return;
        }
        deleteConfirmed();
    }
}

void Tipkum_f::deleteConfirmed()
{
    const int record = gridhord->currentRecord();
    const DepositResult result = book_.remove(rowAt(record), {why_, remembered_});
    if (result != DepositResult::Saved) {
        Messages::info(this, DepositBook::message(result));
    } else {
        gridhord->rows()->remove(record);
        setRowShown(gridhord->currentRecord() >= 0);
        loadHistory();
    }
    toBrowse();
}

void Tipkum_f::save()
{
    gridhord->setEditable(false);
    const int record = gridhord->currentRecord();
    if (record < 0)
        return;
    const DepositRow row = rowAt(record);
    const DepositBook::Entry entry = entryMode_ == 1 ? DepositBook::Entry::New : DepositBook::Entry::Edit;
    const DepositBook::Change change{why_, remembered_};
    DepositResult result = book_.save(row, entry, change);
    if (result == DepositResult::RowExists) {
        if (!Messages::confirm(this, DepositBook::message(result))) {
            gridhord->setEditable(true);
            return;
        }
        result = book_.save(row, entry, change, true);
    }
    if (result != DepositResult::Saved) {
        Messages::info(this, DepositBook::message(result));
        // Stay in the row so that it can be completed or cancelled.
        gridhord->setEditable(true);
        return;
    }
    remembered_ = row.amounts;
    toBrowse();
    gridhord->setCurrentRecord(record);
    loadHistory();
    button("newbtn")->setFocus();
}

void Tipkum_f::cancel()
{
    toBrowse();
    loadDay();
    button("newbtn")->setFocus();
}

void Tipkum_f::print()
{
    ReportOutput::run(this, QStringLiteral("deposit-journal"),
                      ReportParams{{QStringLiteral("date"), day()},
                                   {QStringLiteral("book"), QString::number(book_.bookMode())}});
}

void Tipkum_f::approve()
{
    ok_pan->hide();
    pass_pan1->ask(StaffPassword::Approval, [this] {
        ok_pan->show();
        com_okno->setCurrentText(ok_btn->text());
        com_okno->setFocus();
    });
    const QPoint at = ok_btn->mapTo(this, QPoint(0, ok_btn->height() + 4));
    pass_pan1->move(at);
}

void Tipkum_f::approvalChosen()
{
    DepositBook::setApproval(day(), com_okno->currentText());
    ok_pan->hide();
    showApprovalState();
}

// --- Enter in the cells ----------------------------------------------------------

int Tipkum_f::customerEntered(int record)
{
    GridModel* m = gridhord->rows();
    Session& s = session();
    s.LookupKey = m->text(record, "grcd");
    if (!RunCodeLookup(CodeLookup::Customer))
        return 0;
    m->setValue(record, "grcd", s.LookupKey);
    m->setValue(record, "grcd_name", s.LookupName);
    return 1;
}

// Only sites that carry a receivable: per-site ones, or 000 of a customer
// kept as a whole.
int Tipkum_f::siteEntered(int record)
{
    GridModel* m = gridhord->rows();
    Session& s = session();
    s.LookupKey = m->text(record, "code");
    s.LookupAux1 = m->text(record, "grcd");
    if (!RunCodeLookup(CodeLookup::ReceivableSite))
        return 0;
    m->setValue(record, "code", s.LookupKey);
    m->setValue(record, "code_name", s.LookupName);
    m->setValue(record, "man_code", s.LookupAux1);
    m->setValue(record, "man", DepositBook::site(m->text(record, "grcd"), s.LookupKey).man_name);
    if (entryMode_ == 1) {
        const QString jun = book_.nextJun(m->text(record, "ilja"));
        if (jun.isEmpty()) {
            Messages::info(this, DepositBook::message(DepositResult::DayFull));
            return 0;
        }
        m->setValue(record, "jun", jun);
    }
    return 1;
}

// The due date of a note, picked in the calendar; without a note amount
// there is nothing to pick.
int Tipkum_f::dueDateEntered(int record)
{
    GridModel* m = gridhord->rows();
    if (m->number(record, "cost2") == 0)
        return 1;
    TCalendarDlg& calendar = TCalendarDlg::instance();
    if (calendar.choose(this))
        m->setValue(record, "last_date", calendar.pickedText());
    activateWindow();
    gridhord->setFocus();
    return 1;
}

int Tipkum_f::memoEntered(int)
{
    button("savbtn")->setFocus();
    return 0;
}
