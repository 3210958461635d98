#include "books/ui/Tmast_f.h"
#include "books/ui/DayBookPanels.h"

#include "data/CodeLookup.h"
#include "data/Session.h"
#include "masters/ui/TCUSTOMER_F.h"
#include "masters/ui/THYUNJANG_F.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PasswordPanel.h"
#include "widgets/PickList.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QStringList kBookNames = {QStringLiteral("판매 장부"), QStringLiteral("세금 장부"), QStringLiteral("조합 장부"),
                                QStringLiteral("매입 장부")};

// The titles of the column groups over a grid ("일자", "거래처코드", ...).
class GroupTitles : public QWidget {
public:
    struct Group {
        QString title;
        int first, last; // columns
    };
    GroupTitles(DataGrid* grid, QList<Group> groups, QWidget* parent)
        : QWidget(parent), grid_(grid), groups_(std::move(groups))
    {
        QFont f = font();
        f.setBold(true);
        setFont(f);
        setFixedHeight(fontMetrics().height() + 6);
        connect(grid->horizontalHeader(), &QHeaderView::sectionResized, this, [this] { update(); });
        connect(grid->horizontalScrollBar(), &QScrollBar::valueChanged, this, [this] { update(); });
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int left = grid_->viewport()->x();
        for (const Group& g : groups_) {
            const int x = left + grid_->columnViewportPosition(g.first);
            int w = 0;
            for (int c = g.first; c <= g.last; ++c)
                w += grid_->columnWidth(c);
            const QRect r(x, 0, w - 1, height() - 1);
            p.fillRect(r, palette().color(QPalette::Button));
            p.setPen(palette().color(QPalette::Mid));
            p.drawRect(r);
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(r, Qt::AlignCenter, g.title);
        }
    }

private:
    DataGrid* grid_;
    QList<Group> groups_;
};

QWidget* withTitles(DataGrid* grid, const QList<GroupTitles::Group>& groups)
{
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(0);
    v->addWidget(new GroupTitles(grid, groups, box));
    v->addWidget(grid, 1);
    return box;
}

// The first line of both grids up to the staff member; the second line.
QList<GridColumn> firstLine()
{
    return {
        {.field = "ilja", .title = "일자", .width = 84},
        {.field = "grcd", .title = "코드", .width = 56, .editable = true, .maxLength = 4, .upper = true},
        {.field = "grcd_name", .title = "거래처명", .width = 130},
        {.field = "code", .title = "코드", .width = 84, .editable = true, .maxLength = 3},
        {.field = "code_name", .title = "현장명", .width = 150},
        {.field = "remi_code", .title = "코드", .width = 52, .editable = true, .maxLength = 4},
        {.field = "kind", .title = "종류", .width = 96},
        {.field = "standard", .title = "규격", .width = 96},
        {.field = "", .title = "", .width = 104},
        {.field = "man", .title = "담당자", .width = 70},
    };
}

QList<GridColumn> secondLine()
{
    return {
        {},
        {.field = "seq", .title = "순번"},
        {.field = "m3", .title = "수량", .mask = "#,##0.00", .editable = true, .sum = true},
        {.field = "danga", .title = "단가", .mask = "#,##0", .editable = true},
        {.field = "yul", .title = "율(%)", .mask = "#,##0.0", .editable = true},
        {.field = "vat", .title = "구분", .editable = true, .maxLength = 1, .upper = true},
        {.field = "kum", .title = "금액", .mask = "#,##0.##", .editable = true, .sum = true},
        {.field = "vatkum", .title = "세액", .mask = "#,##0.##", .editable = true, .sum = true},
        {.field = "hap", .title = "합계", .mask = "#,##0.##", .editable = true, .sum = true},
        {},
    };
}

QVariant numberOrEmpty(const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(); }

} // namespace

Tmast_f::Tmast_f(QWidget* parent)
    : EntryForm(QStringLiteral("Tmast_f"), QStringLiteral("판매 관리"), parent)
    , book_(session().BookMode)
{
    hy01 = addField({.name = "hy01", .label = "일  자", .kind = FieldKind::Date,
                     .onEnter = [this] { changeDay(); return false; }, .free = true});

    addButton("newbtn", "&1.등록", Browse | Delete, [this] { newRow(); });
    addButton("edtbtn", "&2.수정", Browse | Delete, [this] { change(); }, true);
    addButton("delbtn", "&3.삭제", Browse | Delete, [this] { remove(); }, true);
    // The sales search window is not part of the program yet: never enabled.
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

    // Date and approval area over the two tabs.
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
    pages->addTab(withTitles(gridhord, {{"일자", 0, 0}, {"거래처코드", 1, 8}, {"담당자", 9, 9}, {"메모", 10, 10}}),
                  QStringLiteral("판매데이타"));
    pages->addTab(withTitles(gridhord1, {{"일자", 0, 0}, {"거래처코드", 1, 8}, {"담당자", 9, 9}, {"메모", 10, 11}}),
                  QStringLiteral("오류 데이타"));
    v->addWidget(pages, 1);
    body()->addWidget(main, 1);
    connect(pages, &QTabWidget::currentChanged, this, [this](int index) {
        if (index == 0) {
            setState(state());
            return;
        }
        for (const char* b : {"newbtn", "edtbtn", "delbtn", "fndbtn"})
            button(b)->setEnabled(false);
    });

    buildReasonPanel();
    pass_pan1 = new PasswordPanel(this, QStringLiteral("pass_pan1"), QStringLiteral("pass1_edit"));
    passwordPanel();

    resize(1120, 640);
    hy01->setDate(QDate::currentDate());
    setState(Browse);
    run([this] {
        loadDay();
        loadHistory();
        showApprovalState();
    });
    hy01->setFocus();
}

void Tmast_f::buildGrids()
{
    gridhord = new DataGrid(QStringLiteral("gridhord"));
    QList<GridColumn> line1 = firstLine();
    line1 << GridColumn{.field = "memo", .title = "메모", .width = 150, .editable = true, .maxLength = 30,
                        .onEnter = [this](int r) { return memoEntered(r); }};
    QList<GridColumn> line2 = secondLine();
    line2 << GridColumn{};
    line1[1].onEnter = [this](int r) { return customerEntered(r); };
    line1[3].onEnter = [this](int r) { return siteEntered(r); };
    line1[5].onEnter = [this](int r) { return specEntered(r); };
    line2[2].onEnter = [this](int r) { return amountsEntered(r); };
    line2[3].onEnter = [this](int r) { return unitPriceEntered(r); };
    line2[5].onEnter = [this](int r) { return amountsEntered(r); };
    line2[8].onEnter = [this](int r) { return totalEntered(r); };
    gridhord->setColumns(line1, line2);
    gridhord->setEnterOrder({"grcd", "code", "remi_code", "m3", "danga", "yul", "vat", "kum", "vatkum", "hap", "memo"});
    gridhord->setTotalsLine(true);
    gridhord->setTotal("hap", [this] { return gridhord->rows()->sum("kum") + gridhord->rows()->sum("vatkum"); });
    const auto remember = [this](int record) {
        if (gridhord->editable() || record < 0)
            return;
        rememberedM3_ = gridhord->rows()->number(record, "m3");
        rememberedDanga_ = gridhord->rows()->number(record, "danga");
    };
    connect(gridhord, &DataGrid::recordClicked, this, remember);
    connect(gridhord, &DataGrid::currentRecordChanged, this, [this, remember](int record) {
        remember(record);
        setRowShown(record >= 0);
    });

    gridhord1 = new DataGrid(QStringLiteral("gridhord1"));
    QList<GridColumn> h1 = firstLine();
    h1 << GridColumn{.field = "why", .title = "이유", .width = 150}
       << GridColumn{.field = "status", .title = "구분", .width = 40};
    QList<GridColumn> h2 = secondLine();
    for (GridColumn& c : h2)
        c.editable = false;
    h2 << GridColumn{} << GridColumn{};
    gridhord1->setColumns(h1, h2);
    gridhord1->rows()->setRowColor([this](int record) {
        return gridhord1->rows()->text(record, "status") == QLatin1String("D") ? QColor(Qt::yellow) : QColor(Qt::white);
    });
}

void Tmast_f::buildApprovalArea(QWidget* area)
{
    const ApprovalArea a = ::buildApprovalArea(area, SalesBook::Open, SalesBook::Approved);
    ok_btn = a.ok_btn;
    ok_pan = a.ok_pan;
    com_okno = a.com_okno;
    connect(ok_btn, &QPushButton::clicked, this, [this] { run([this] { approve(); }); });
    connect(a.btn_ok, &QPushButton::clicked, this, [this] { run([this] { approvalChosen(); }); });
}

void Tmast_f::buildReasonPanel()
{
    const ReasonPanel r = ::buildReasonPanel(this, this);
    job_pan = r.job_pan;
    edt_job = r.edt_job;
}

bool Tmast_f::eventFilter(QObject* o, QEvent* e)
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

void Tmast_f::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (!session().SessionCompanyName.isEmpty())
        setWindowTitle(session().SessionCompanyName);
    if (const QScreen* s = screen())
        QWidget::move(s->availableGeometry().center() - rect().center());
}

QString Tmast_f::day() const { return hy01->value(); }

// --- the day -------------------------------------------------------------------

void Tmast_f::loadDay()
{
    GridModel* m = gridhord->rows();
    m->clear();
    for (const SalesRow& r : book_.loadDay(day()))
        putRow(m->append(), r);
    if (m->size() > 0)
        gridhord->setCurrentRecord(0);
    setRowShown(m->size() > 0);
}

void Tmast_f::loadHistory()
{
    GridModel* m = gridhord1->rows();
    m->clear();
    for (const SalesRow& r : SalesBook::loadHistory(day())) {
        const int i = m->append();
        gridhord1->rows()->setValue(i, "status", r.status);
        gridhord1->rows()->setValue(i, "why", r.why);
        // The shared columns go the same way as in the entry grid.
        for (const auto& [f, v] : QList<QPair<QString, QVariant>>{
                 {"ilja", r.ilja}, {"seq", r.seq}, {"grcd", r.grcd}, {"grcd_name", r.grcd_name}, {"code", r.code},
                 {"code_name", r.code_name}, {"remi_code", r.remi_code}, {"kind", r.kind}, {"standard", r.standard},
                 {"m3", r.m3}, {"danga", r.danga}, {"yul", numberOrEmpty(r.yul)}, {"vat", r.vat}, {"kum", r.kum},
                 {"vatkum", r.vatkum}, {"hap", r.hap}, {"man", r.man}})
            m->setValue(i, f, v);
    }
}

void Tmast_f::showApprovalState()
{
    const QString state = SalesBook::approvalState(day());
    ok_btn->setText(state);
    com_okno->setCurrentText(state);
}

void Tmast_f::changeDay()
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

void Tmast_f::toBrowse()
{
    gridhord->setEditable(false);
    entryMode_ = 0;
    setState(Browse);
}

SalesRow Tmast_f::rowAt(int record) const
{
    const GridModel* m = gridhord->rows();
    SalesRow r;
    r.ilja = m->text(record, "ilja");
    r.seq = m->text(record, "seq");
    r.grcd = m->text(record, "grcd");
    r.grcd_name = m->text(record, "grcd_name");
    r.code = m->text(record, "code");
    r.code_name = m->text(record, "code_name");
    r.remi_code = m->text(record, "remi_code");
    r.kind = m->text(record, "kind");
    r.standard = m->text(record, "standard");
    r.m3 = m->number(record, "m3");
    r.danga = m->number(record, "danga");
    r.vat = m->text(record, "vat");
    r.kum = m->number(record, "kum");
    r.vatkum = m->number(record, "vatkum");
    r.hap = m->number(record, "hap");
    r.memo = m->text(record, "memo");
    r.man = m->text(record, "man");
    r.man_code = m->text(record, "man_code");
    if (!m->value(record, "yul").isNull())
        r.yul = m->number(record, "yul");
    r.tax_ilja = m->text(record, "tax_ilja");
    r.tax_seq = m->text(record, "tax_seq");
    return r;
}

void Tmast_f::putRow(int record, const SalesRow& r)
{
    GridModel* m = gridhord->rows();
    for (const auto& [f, v] : QList<QPair<QString, QVariant>>{
             {"ilja", r.ilja}, {"seq", r.seq}, {"grcd", r.grcd}, {"grcd_name", r.grcd_name}, {"code", r.code},
             {"code_name", r.code_name}, {"remi_code", r.remi_code}, {"kind", r.kind}, {"standard", r.standard},
             {"m3", r.m3}, {"danga", r.danga}, {"yul", numberOrEmpty(r.yul)}, {"vat", r.vat}, {"kum", r.kum},
             {"vatkum", r.vatkum}, {"hap", r.hap}, {"memo", r.memo}, {"man", r.man}, {"man_code", r.man_code},
             {"tax_ilja", r.tax_ilja}, {"tax_seq", r.tax_seq}})
        m->setValue(record, f, v);
}

// --- buttons -------------------------------------------------------------------

void Tmast_f::newRow()
{
    entryMode_ = 1;
    picked_ = {};
    job_pan->hide();
    setState(New);
    GridModel* m = gridhord->rows();
    const int r = m->append();
    m->setValue(r, "ilja", day());
    gridhord->setEditable(true);
    gridhord->setCurrentRecord(r, "grcd");
    gridhord->setFocus();
}

void Tmast_f::change()
{
    entryMode_ = 1;
    showReason();
}

void Tmast_f::remove()
{
    entryMode_ = 2;
    edt_job->clear();
    showReason();
}

// The reason panel, then the correction password.
void Tmast_f::showReason()
{
    passwordPanel()->hide();
    job_pan->adjustSize();
    job_pan->move((width() - job_pan->width()) / 2, height() / 2 - job_pan->height() - 30);
    job_pan->show();
    job_pan->raise();
    edt_job->setFocus();
}

void Tmast_f::reasonEntered()
{
    Kit::commitInput(edt_job);
    if (edt_job->text().trimmed().isEmpty())
        return;
    why_ = edt_job->text();
    job_pan->hide();
    askPassword(StaffPassword::Correction, [this] { passwordAccepted(); });
}

void Tmast_f::passwordAccepted()
{
    const int record = gridhord->currentRecord();
    if (record < 0)
        return;
    const SalesRow row = rowAt(record);
    if (entryMode_ == 1) {
        if (row.taxLocked()) {
            Messages::info(this, QStringLiteral("세금계산서가 발행된 자료이므로 수정할 수 없습니다."));
            return;
        }
        entryMode_ = 2;
        picked_ = {};
        setState(Edit);
        gridhord->setEditable(true);
        gridhord->setCurrentRecord(record, "grcd");
        gridhord->setFocus();
        gridhord->edit(gridhord->currentIndex());
    } else if (entryMode_ == 2) {
        gridhord->setEditable(false);
        if (row.taxLocked()) {
            Messages::info(this, QStringLiteral("세금계산서가 발행된 자료이므로 삭제할 수 없습니다."));
            return;
        }
        entryMode_ = 3;
        setState(Delete);
        if (!Messages::confirm(this, QStringLiteral("삭제하겠습니까?"))) {
            toBrowse();
            return;
        }
        deleteConfirmed();
    }
}

void Tmast_f::deleteConfirmed()
{
    const int record = gridhord->currentRecord();
    const SalesResult result = book_.remove(rowAt(record), {why_, rememberedM3_, rememberedDanga_});
    if (result == SalesResult::TaxLocked) {
        Messages::info(this, QStringLiteral("세금계산서가 발행된 자료이므로 삭제할 수 없습니다."));
    } else if (result != SalesResult::Saved) {
        Messages::info(this, SalesBook::message(result));
    } else {
        gridhord->rows()->remove(record);
        setRowShown(gridhord->currentRecord() >= 0);
        loadHistory();
    }
    toBrowse();
}

void Tmast_f::save()
{
    gridhord->setEditable(false);
    const int record = gridhord->currentRecord();
    if (record < 0)
        return;
    const SalesRow row = rowAt(record);
    const SalesBook::Entry entry = entryMode_ == 1 ? SalesBook::Entry::New : SalesBook::Entry::Edit;
    // A new row carries no reason; the last change's reason stays with it.
    const SalesBook::Change change{entry == SalesBook::Entry::New ? QString() : why_, rememberedM3_, rememberedDanga_};
    SalesResult result = book_.save(row, entry, change);
    if (result == SalesResult::RowExists) {
        if (!Messages::confirm(this, SalesBook::message(result))) {
            gridhord->setEditable(true);
            return;
        }
        result = book_.save(row, entry, change, true);
    }
    if (result != SalesResult::Saved) {
        Messages::info(this, SalesBook::message(result));
        // Stay in the row so that it can be completed or cancelled.
        gridhord->setEditable(true);
        return;
    }
    rememberedM3_ = row.m3;
    rememberedDanga_ = row.danga;
    toBrowse();
    gridhord->setCurrentRecord(record);
    loadHistory();
    button("newbtn")->setFocus();
}

void Tmast_f::cancel()
{
    toBrowse();
    loadDay();
    button("newbtn")->setFocus();
}

void Tmast_f::print()
{
    ReportOutput::run(this, QStringLiteral("sales-journal"),
                      ReportParams{{QStringLiteral("date"), day()},
                                   {QStringLiteral("book"), QString::number(book_.bookMode())}});
}

void Tmast_f::approve()
{
    ok_pan->hide();
    pass_pan1->ask(StaffPassword::Approval, [this] {
        ok_pan->show();
        com_okno->setCurrentText(ok_btn->text());
        com_okno->setFocus();
    });
    // Over the approval area rather than in the middle of the window.
    const QPoint at = ok_btn->mapTo(this, QPoint(0, ok_btn->height() + 4));
    pass_pan1->move(at);
}

void Tmast_f::approvalChosen()
{
    SalesBook::setApproval(day(), com_okno->currentText());
    ok_pan->hide();
    showApprovalState();
}

// --- Enter in the cells ----------------------------------------------------------

int Tmast_f::customerEntered(int record)
{
    GridModel* m = gridhord->rows();
    Session& s = session();
    s.LookupKey = m->text(record, "grcd");
    const bool found = RunCodeLookup(CodeLookup::Customer);
    gridhord->setFocus(); // back from the pick list
    if (!found)
        return 0;
    m->setValue(record, "grcd", s.LookupKey);
    m->setValue(record, "grcd_name", s.LookupName);
    m->setValue(record, "vat", s.LookupAux1);
    picked_.grcd = s.LookupKey;
    picked_.kawnSa = s.LookupAux2;
    picked_.julsa = s.LookupAux3;
    return 1;
}

int Tmast_f::siteEntered(int record)
{
    GridModel* m = gridhord->rows();
    Session& s = session();
    s.LookupKey = m->text(record, "code");
    s.LookupAux1 = m->text(record, "grcd");
    const bool found = RunCodeLookup(CodeLookup::Site);
    gridhord->setFocus(); // back from the pick list
    if (!found)
        return 0;
    m->setValue(record, "code", s.LookupKey);
    m->setValue(record, "code_name", s.LookupName);
    m->setValue(record, "man_code", s.LookupAux1);
    const SalesSite site = SalesBook::site(m->text(record, "grcd"), s.LookupKey);
    m->setValue(record, "man", site.man_name);
    m->setValue(record, "yul", site.order_nul);
    picked_.code = s.LookupKey;
    picked_.orderNul = site.order_nul;
    return 1;
}

void Tmast_f::refreshPicked(const SalesRow& row)
{
    // A row opened for a change, or whose codes were typed over, takes the
    // customer's and site's values as they are stored now.
    if (picked_.grcd != row.grcd) {
        const SalesCustomer c = SalesBook::customer(row.grcd);
        picked_.grcd = row.grcd;
        picked_.kawnSa = c.kawn_sa;
        picked_.julsa = c.julsa;
        picked_.code.clear();
    }
    if (picked_.code != row.code) {
        picked_.code = row.code;
        picked_.orderNul = SalesBook::site(row.grcd, row.code).order_nul;
    }
}

int Tmast_f::specEntered(int record)
{
    GridModel* m = gridhord->rows();
    Session& s = session();
    s.LookupKey = m->text(record, "remi_code");
    const bool found = RunCodeLookup(CodeLookup::Spec);
    gridhord->setFocus(); // back from the pick list
    if (!found)
        return 0;
    m->setValue(record, "remi_code", s.LookupKey);
    m->setValue(record, "standard", s.LookupName);
    m->setValue(record, "kind", s.LookupAux2);
    if (entryMode_ == 1) {
        const QString seq = book_.nextSeq(m->text(record, "ilja"));
        if (seq.isEmpty()) {
            Messages::info(this, SalesBook::message(SalesResult::DayFull));
            return 0;
        }
        m->setValue(record, "seq", seq);
    }
    SalesRow row = rowAt(record);
    refreshPicked(row);
    SalesBook::proposeUnitPrice(row, {picked_.kawnSa, picked_.julsa, picked_.orderNul, s.LookupPublicPrice,
                                      s.LookupPrivatePrice});
    putRow(record, row);
    return 1;
}

int Tmast_f::amountsEntered(int record)
{
    SalesRow row = rowAt(record);
    SalesBook::computeAmounts(row);
    putRow(record, row);
    return 1;
}

int Tmast_f::unitPriceEntered(int record)
{
    SalesRow row = rowAt(record);
    SalesBook::unitPriceTyped(row);
    putRow(record, row);
    return 1;
}

int Tmast_f::totalEntered(int record)
{
    SalesRow row = rowAt(record);
    SalesBook::amountsFromTotal(row);
    putRow(record, row);
    return 1;
}

int Tmast_f::memoEntered(int)
{
    button("savbtn")->setFocus();
    return 0;
}
