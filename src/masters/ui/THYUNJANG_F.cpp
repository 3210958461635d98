#include "masters/ui/THYUNJANG_F.h"
#include "data/CodeLookup.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "dialogs/CalendarDlg.h"
#include "masters/Customers.h"
#include "masters/ui/TMISU_F.h"
#include "masters/ui/Thyunprn_f.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PasswordPanel.h"
#include "widgets/PickList.h"

#include <QDate>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Sites;
using SiteContracts::Line;

namespace {

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// The fields a user may type into, one of the sets of Sites::editableFields.
const QStringList kEditable = {"hy03", "hy04", "HY05", "hy06", "hy07", "HY08", "hy09",
                               "hy10", "hy11", "hy12", "hy13", "hy14", "hy15", "hy20"};
// The fields that show one site.
const QStringList kSiteFields = {"hy03", "hy04", "HY05", "hy06", "hy07", "HY08", "hy09",
                                 "hy10", "hy11", "hy12", "hy13", "hy14", "hy15", "hy17", "hy18"};
// What a new site of an integrated customer empties (the values of site 000 stay).
const QStringList kNewIntegratedFields = {"hy03", "hy04", "hy12", "hy13", "hy15", "hy17", "hy18"};

// Columns of both contract grids, in Enter order.
const QStringList kContractFields = {"standard", "kind", "order_num", "demand1", "demand2", "amount", "cost",
                                     "hap", "delivery", "memo", "chul", "chulkum", "michul"};

const QString kMsgContractIncomplete = QStringLiteral("규격과 납품요구일자1을 입력하시오.");
const QString kMsgContractDate = QStringLiteral("일자를 YYYY-MM-DD로 입력하시오.");
const QString kMsgContractExists = QStringLiteral("같은 납품요구일자의 계약이 이미 있습니다.");
const QString kMsgLaterDate = QStringLiteral("앞 계약의 납품요구일자보다 뒤의 일자를 고르시오.");

QList<GridColumn> contractColumns(const QString& amountMask)
{
    const QString won = QStringLiteral("#,##0"), m3 = QStringLiteral("#,##0.00");
    return {
        {.field = "standard", .title = "규격", .width = 80, .editable = true, .maxLength = 10},
        {.field = "kind", .title = "품명", .width = 70},
        {.field = "order_num", .title = "납품지시번호", .width = 100, .editable = true, .maxLength = 30},
        {.field = "demand1", .title = "납품요구일자1", .width = 96},
        {.field = "demand2", .title = "납품요구일자2", .width = 96},
        {.field = "amount", .title = "계약량", .width = 80, .mask = amountMask, .editable = true, .sum = true},
        {.field = "cost", .title = "단가", .width = 70, .mask = won, .editable = true},
        {.field = "hap", .title = "금액", .width = 110, .mask = won, .sum = true},
        {.field = "delivery", .title = "납기일자", .width = 90},
        {.field = "memo", .title = "메모", .width = 110, .editable = true, .maxLength = 30},
        {.field = "chul", .title = "출하량", .width = 80, .mask = m3},
        {.field = "chulkum", .title = "출하금액", .width = 110, .mask = won, .sum = true},
        {.field = "michul", .title = "미출하량", .width = 80, .mask = m3},
    };
}

QMenu* gridMenu(DataGrid* grid, const QString& name, const QList<QPair<QString, QString>>& entries)
{
    auto* menu = new QMenu(grid);
    menu->setObjectName(name);
    for (const auto& [objectName, text] : entries)
        menu->addAction(text)->setObjectName(objectName);
    grid->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(grid, &QWidget::customContextMenuRequested, grid, [grid, menu](const QPoint& at) {
        if (grid->isEnabled())
            menu->popup(grid->viewport()->mapToGlobal(at));
    });
    return menu;
}

QAction* actionOf(QMenu* menu, const char* name) { return menu->findChild<QAction*>(QLatin1String(name)); }

} // namespace

THYUNJANG_F::THYUNJANG_F(QWidget* parent)
    : EntryForm(QStringLiteral("THYUNJANG_F"), QStringLiteral("현장 코드 관리"), parent)
{
    addButton(QStringLiteral("newbtn"), QStringLiteral("&1.등록"), Browse, [this] { startNew(); });
    addButton(QStringLiteral("edtbtn"), QStringLiteral("&2.수정"), Browse, [this] { askChange(); });
    addButton(QStringLiteral("delbtn"), QStringLiteral("&3.삭제"), Browse, [this] { askDelete(); });
    addButton(QStringLiteral("prnbtn"), QStringLiteral("&4.출력"), Browse, [this] {
        Thyunprn_f list(this);
        Kit::execModal(&list);
    });
    addButton(QStringLiteral("savbtn"), QStringLiteral("&5.저장"), New | Edit, [this] { save(); });
    addButton(QStringLiteral("canbtn"), QStringLiteral("&6.취소"), Browse | New | Edit, [this] { cancel(); });
    addButton(QStringLiteral("hlpbtn"), QStringLiteral("&7.도움"), Browse | New | Edit | Delete,
              [this] { setStatusText(QStringLiteral("도 움 말")); });
    addCloseButton(QStringLiteral("clsbtn"), QStringLiteral("&8.닫기"));
    addButton(QStringLiteral("misubtn"), QStringLiteral("초기잔액"), Browse, [this] {
        TMISU_F balances(this);
        Kit::execModal(&balances);
    });

    // Title panel, then the two pages with their grids and the name search.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* title = new QLabel(QStringLiteral("현장 코드 관리"), left);
    title->setObjectName(QStringLiteral("title_pan"));
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    title->setFont(big);
    title->setAlignment(Qt::AlignCenter);
    leftLayout->addWidget(title);
    PageControl1 = new QTabWidget(left);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    cust_grid = new DataGrid(QStringLiteral("cust_grid"));
    cust_grid->setColumns({{QStringLiteral("grcd"), QStringLiteral("코드"), 60},
                           {QStringLiteral("name"), QStringLiteral("이름"), 200}});
    hyun_grid = new DataGrid(QStringLiteral("hyun_grid"));
    hyun_grid->setColumns({{QStringLiteral("code"), QStringLiteral("코드"), 50},
                           {QStringLiteral("name"), QStringLiteral("이름"), 210}});
    PageControl1->addTab(cust_grid, QStringLiteral("거래처코드"));
    PageControl1->addTab(hyun_grid, QStringLiteral("현장코드"));
    PageControl1->setFixedWidth(300);
    leftLayout->addWidget(PageControl1, 1);
    auto* findRow = new QHBoxLayout;
    sel_name = new QLineEdit(left);
    sel_name->setObjectName(QStringLiteral("sel_name"));
    sel_name->setMaxLength(40);
    auto* findButton = new QPushButton(QStringLiteral("검색"), left);
    findButton->setObjectName(QStringLiteral("findbtn"));
    findButton->setAutoDefault(false);
    findRow->addWidget(sel_name, 1);
    findRow->addWidget(findButton);
    leftLayout->addLayout(findRow);
    body()->insertWidget(0, left);

    sel_name->installEventFilter(this);
    connect(findButton, &QPushButton::clicked, this, [this] { run([this] { search(); }); });
    for (DataGrid* g : {cust_grid, hyun_grid}) {
        g->setTitleClick([this, g](const QString& field) { run([this, g, field] { reorder(g, field); }); });
        const auto choose = [this, g](int record) {
            run([this, g, record] { g == cust_grid ? showCustomer(record) : showSite(record); });
        };
        connect(g, &DataGrid::recordClicked, this, choose);
        connect(g, &DataGrid::recordActivated, this, choose);
    }

    // The ledger of a site prints on the ledger statement, which the program
    // does not have yet: both entries stay disabled.
    siteMenu_ = gridMenu(hyun_grid, QStringLiteral("PopupMenu1"),
                         {{"ledger_memo", "원장(메모)"}, {"ledger_site", "원장(현장)"}});
    for (QAction* a : siteMenu_->actions())
        a->setEnabled(false);

    buildFields();
    buildContractPanel();
    resize(1280, 860);
}

void THYUNJANG_F::buildFields()
{
    addField({.name = "hy01", .label = "거 래 처", .width = 4, .readOnly = true});
    addField({.name = "hy02", .width = 30, .readOnly = true, .sameLine = true});
    addField({.name = "hy19", .label = "관급 구분", .width = 5, .readOnly = true, .pixels = 70});
    addField({.name = "hy21", .label = "부가세", .width = 4, .readOnly = true, .sameLine = true, .pixels = 60});
    addList({.name = "hy20", .label = "미수   구분", .kind = FieldKind::List, .items = Customers::basisLabels(),
             .codes = {PerSite, Integrated}, .onEnter = [this] { return basisEntered(); }});
    connect(list("hy20"), &QComboBox::activated, this, [this] { run([this] { applyFieldSet(); }); });
    addField({.name = "hy03", .label = "현   장", .kind = FieldKind::Code, .width = 3,
              .onEnter = [this] { return codeEntered(); }, .onKey = [this](QKeyEvent* e) { return codeKey(e); },
              .key = true});
    addField({.name = "hy04", .width = 40, .onEnter = [this] { return nameEntered(); }, .sameLine = true});
    addField({.name = "HY05", .label = "사무실 전화", .width = 35});
    addField({.name = "hy06", .label = "담 당 자", .kind = FieldKind::Code, .width = 3,
              .onEnter = [this] { return staffEntered(); }});
    addField({.name = "hy07", .width = 10, .sameLine = true});
    addField({.name = "HY08", .label = "현장    전화", .width = 35});
    addField({.name = "hy09", .label = "메       모", .width = 30});
    addField({.name = "hy10", .label = "계   약   율", .kind = FieldKind::Number, .width = 6, .mask = "#,##0.##"});
    // The unit after the rate.
    if (auto* line = qobject_cast<QBoxLayout*>(fieldPanel()->layout()->itemAt(fieldPanel()->layout()->count() - 1)
                                                   ->layout()))
        line->insertWidget(line->indexOf(field("hy10")) + 1, new QLabel(QStringLiteral("%"), fieldPanel()));
    addField({.name = "hy11", .label = "시 공 자", .width = 30});
    addField({.name = "hy12", .label = "수요기관", .width = 40});
    addField({.name = "hy13", .label = "수요기관번호", .width = 15});
    addField({.name = "hy14", .label = "계약일자", .kind = FieldKind::Date});
    addField({.name = "hy15", .label = "기      타", .width = 50});
    addField({.name = "hy17", .label = "총  금  액", .kind = FieldKind::Number, .mask = "#,##0", .readOnly = true,
              .pixels = 130});
    addField({.name = "hy18", .label = "출하금액", .kind = FieldKind::Number, .mask = "#,##0", .readOnly = true,
              .sameLine = true, .pixels = 130});
}

void THYUNJANG_F::buildContractPanel()
{
    order = new QGroupBox(QStringLiteral("계약 규격 및 단가"), this);
    order->setObjectName(QStringLiteral("order"));
    auto* layout = new QVBoxLayout(order);
    gridhord = new DataGrid(QStringLiteral("gridhord"), order);
    gridhord1 = new DataGrid(QStringLiteral("gridhord1"), order);
    // The summary and detail handlers of the columns.
    QList<GridColumn> summary = contractColumns(QStringLiteral("#,##0.000"));
    QList<GridColumn> detail = contractColumns(QStringLiteral("#,##0.00"));
    for (GridColumn& c : summary)
        c.onEnter = [this](int record) { return summaryEnter(record); };
    for (GridColumn& c : detail) {
        c.onEnter = [this](int record) { return detailEnter(record); };
        if (c.field == QLatin1String("standard"))
            c.editable = false; // a row's spec is that of its series
    }
    gridhord->setColumns(summary);
    gridhord1->setColumns(detail);
    for (DataGrid* g : {gridhord, gridhord1}) {
        g->setEnterOrder(kContractFields);
        g->setTotalsLine(true);
        g->setMinimumHeight(150);
        layout->addWidget(g);
    }
    connect(gridhord, &DataGrid::recordClicked, this, [this](int record) {
        if (contractEdit_ == ContractEdit::None)
            run([this, record] { showDetail(record); });
    });

    summaryMenu_ = gridMenu(gridhord, QStringLiteral("PopupMenu2"),
                            {{"hord_add", "추가"}, {"hord_delete", "삭제"}, {"hord_cancel", "취소"},
                             {"hord_save", "저장"}});
    detailMenu_ = gridMenu(gridhord1, QStringLiteral("PopupMenu3"),
                           {{"hord1_add", "추가"}, {"hord1_change", "수정"}, {"hord1_delete", "삭제"},
                            {"hord1_save", "저장"}});
    const auto on = [this](QMenu* menu, const char* name, void (THYUNJANG_F::*handler)()) {
        connect(actionOf(menu, name), &QAction::triggered, this, [this, handler] { run([this, handler] { (this->*handler)(); }); });
    };
    on(summaryMenu_, "hord_add", &THYUNJANG_F::summaryAdd);
    on(summaryMenu_, "hord_delete", &THYUNJANG_F::summaryDelete);
    on(summaryMenu_, "hord_cancel", &THYUNJANG_F::buildContracts);
    on(summaryMenu_, "hord_save", &THYUNJANG_F::summarySave);
    on(detailMenu_, "hord1_add", &THYUNJANG_F::detailAdd);
    on(detailMenu_, "hord1_change", &THYUNJANG_F::detailChange);
    on(detailMenu_, "hord1_delete", &THYUNJANG_F::detailDelete);
    on(detailMenu_, "hord1_save", &THYUNJANG_F::detailSave);

    // Under the fields and grids, over the status bar.
    if (auto* root = qobject_cast<QVBoxLayout*>(QWidget::layout()))
        root->insertWidget(root->count() - 1, order, 1);
    order->hide();
}

bool THYUNJANG_F::eventFilter(QObject* o, QEvent* e)
{
    if (o == sel_name && e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(e))) {
        run([this] { search(); });
        return true;
    }
    return EntryForm::eventFilter(o, e);
}

void THYUNJANG_F::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (opened_)
        return;
    opened_ = true;
    run([this] {
        clearFields();
        gridhord->rows()->clear();
        gridhord1->rows()->clear();
        PageControl1->setCurrentIndex(0);
        cust_grid->load(Customers::list(Customers::Order::ByCode));
        hyun_grid->rows()->clear();
        sel_name->clear();
        siteShown_ = false;
        order->hide();
        setState(Browse);
        syncButtons();
        sel_name->setFocus();
        if (!pendingCustomer_.isEmpty())
            openCustomer(pendingCustomer_);
    });
}

// --- fields ------------------------------------------------------------------

bool THYUNJANG_F::publicWorks() const
{
    const QString c = Customers::classCode(field("hy19")->value());
    return c == QLatin1String("K") || c == QLatin1String("L");
}

QString THYUNJANG_F::basis() const { return list("hy20")->code(); }

void THYUNJANG_F::emptySiteFields()
{
    for (const QString& name : kSiteFields)
        field(name)->clear();
}

void THYUNJANG_F::emptyNewSiteFields()
{
    if (basis() == Integrated)
        for (const QString& name : kNewIntegratedFields)
            field(name)->clear();
    else
        emptySiteFields();
}

void THYUNJANG_F::applyFieldSet()
{
    if (state() != New && state() != Edit)
        return;
    QStringList set = editableFields(basis(), Customers::classCode(field("hy19")->value()));
    if (state() == Edit)
        set.removeAll(QStringLiteral("hy03")); // a stored site keeps its code
    for (const QString& name : kEditable) {
        QWidget* w = field(name) ? static_cast<QWidget*>(field(name)) : static_cast<QWidget*>(list(name));
        w->setEnabled(set.contains(name));
    }
}

void THYUNJANG_F::syncButtons()
{
    const bool browse = state() == Browse;
    cust_grid->setEnabled(browse);
    hyun_grid->setEnabled(browse && !field("hy01")->value().isEmpty());
    if (browse) {
        button("newbtn")->setEnabled(!field("hy01")->value().isEmpty());
        for (const char* b : {"edtbtn", "delbtn", "canbtn"})
            button(QLatin1String(b))->setEnabled(siteShown_);
    }
    const bool contracts = browse && siteShown_;
    gridhord->setEnabled(contracts);
    gridhord1->setEnabled(contracts);
}

void THYUNJANG_F::loadSites(const Rows& rows) { hyun_grid->load(rows); }

void THYUNJANG_F::showCustomer(int record)
{
    if (state() != Browse || record < 0 || record >= cust_grid->rows()->size())
        return;
    Customers::Customer c;
    if (!Customers::load(cust_grid->rows()->text(record, "grcd"), c))
        return;
    clearFields();
    gridhord->rows()->clear();
    gridhord1->rows()->clear();
    setContractEdit(ContractEdit::None);
    field("hy01")->setValue(c.grcd());
    field("hy02")->setValue(c.name);
    field("hy19")->setValue(Customers::classLabel(c.kawnSa));
    list("hy20")->setCode(c.misu);
    field("hy21")->setValue(Customers::vatLabel(c.vat));
    if (c.misu == Integrated) {
        Site s;
        if (load(c.grcd(), IntegratedSiteCode, s)) {
            field("HY05")->setValue(s.officeTel);
            field("hy06")->setValue(s.manCode);
            field("hy07")->setValue(s.manName);
            field("HY08")->setValue(s.groundTel);
            field("hy09")->setValue(s.memo);
            field("hy10")->setNumber(s.orderNul);
            field("hy11")->setValue(s.build);
        }
    }
    order->setVisible(publicWorks());
    siteShown_ = false;
    loadSites(Sites::list(c.grcd()));
    PageControl1->setCurrentIndex(1);
    sel_name->clear();
    setState(Browse);
    syncButtons();
}

void THYUNJANG_F::showSite(int record)
{
    if (state() != Browse || record < 0 || record >= hyun_grid->rows()->size())
        return;
    Site s;
    if (!load(field("hy01")->value(), hyun_grid->rows()->text(record, "code"), s))
        return;
    emptySiteFields();
    list("hy20")->setCode(s.misu); // site 000 (T) leaves the customer's basis shown
    field("hy03")->setValue(s.code);
    field("hy04")->setValue(s.name);
    field("HY05")->setValue(s.officeTel);
    field("hy06")->setValue(s.manCode);
    field("hy07")->setValue(s.manName);
    field("HY08")->setValue(s.groundTel);
    field("hy09")->setValue(s.memo);
    field("hy10")->setNumber(s.orderNul);
    field("hy11")->setValue(s.build);
    field("hy12")->setValue(s.gover);
    field("hy13")->setValue(s.goverNum);
    field("hy14")->setValue(s.ilja);
    field("hy15")->setValue(s.gita);
    siteShown_ = true;
    setContractEdit(ContractEdit::None);
    if (publicWorks()) {
        buildContracts();
    } else {
        field("hy17")->setNumber(0);
        field("hy18")->setNumber(0);
    }
    setState(Browse);
    syncButtons();
}

bool THYUNJANG_F::openCustomer(const QString& grcd)
{
    if (!opened_) {
        // Shown when the window opens.
        pendingCustomer_ = grcd;
        return Customers::codeExists(grcd);
    }
    for (int r = 0; r < cust_grid->rows()->size(); ++r)
        if (cust_grid->rows()->text(r, "grcd") == grcd) {
            cust_grid->setCurrentRecord(r);
            showCustomer(r);
            return true;
        }
    return false;
}

bool THYUNJANG_F::openSite(const QString& code)
{
    for (int r = 0; r < hyun_grid->rows()->size(); ++r)
        if (hyun_grid->rows()->text(r, "code") == code) {
            hyun_grid->setCurrentRecord(r);
            showSite(r);
            return true;
        }
    return false;
}

Site THYUNJANG_F::typedSite() const
{
    Site s;
    s.grcd = field("hy01")->value();
    s.grcdName = field("hy02")->value();
    s.code = field("hy03")->value();
    s.name = field("hy04")->value();
    s.officeTel = field("HY05")->value();
    s.manCode = field("hy06")->value();
    s.manName = field("hy07")->value();
    s.groundTel = field("HY08")->value();
    s.memo = field("hy09")->value();
    s.orderNul = field("hy10")->number();
    s.build = field("hy11")->value();
    s.gover = field("hy12")->value();
    s.goverNum = field("hy13")->value();
    s.ilja = field("hy14")->value();
    s.gita = field("hy15")->value();
    s.misu = basis();
    s.kawnSa = Customers::classCode(field("hy19")->value());
    return s;
}

// --- keys ----------------------------------------------------------------------

bool THYUNJANG_F::codeKey(QKeyEvent* e)
{
    // Typed characters other than digits are discarded; keys that edit or
    // move (Backspace, Delete, arrows) keep working.
    const QString t = e->text();
    if (isEnter(e) || t.isEmpty() || !t.at(0).isPrint())
        return false;
    return !(t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9'));
}

bool THYUNJANG_F::codeEntered()
{
    Field* code = field("hy03");
    if (!code->value().isEmpty())
        code->setValue(PadDigits(code->value(), 3));
    if (field("hy01")->value().isEmpty()) {
        Messages::info(this, MsgEnterCode);
        return false;
    }
    if (code->value().isEmpty())
        return false;
    if (exists(field("hy01")->value(), code->value())) {
        code->clear();
        Messages::info(this, MsgCodeExists);
        return false;
    }
    return true;
}

bool THYUNJANG_F::nameEntered()
{
    if (basis() == Integrated) {
        field(Customers::classCode(field("hy19")->value()) == QLatin1String("K") ? "hy12" : "hy14")->setFocus();
        return true;
    }
    return true;
}

bool THYUNJANG_F::staffEntered()
{
    session().LookupKey = field("hy06")->value();
    if (!RunCodeLookup(CodeLookup::Staff))
        return false;
    field("hy06")->setValue(session().LookupKey);
    field("hy07")->setValue(session().LookupName);
    field("HY08")->setFocus();
    return true;
}

bool THYUNJANG_F::basisEntered()
{
    applyFieldSet();
    button("savbtn")->setFocus();
    return true;
}

// --- buttons -------------------------------------------------------------------

void THYUNJANG_F::startNew()
{
    if (field("hy01")->value().isEmpty())
        return;
    setContractEdit(ContractEdit::None);
    gridhord->rows()->clear();
    gridhord1->rows()->clear();
    siteShown_ = false;
    emptyNewSiteFields();
    setState(New);
    if (basis() == Integrated) {
        field("hy14")->setDate(QDate::currentDate());
    } else if (Customers::classCode(field("hy19")->value()) == QLatin1String("K")) {
        field("hy10")->setNumber(100);
        // Supply under contract is looked after by the public desk.
        session().LookupKey = QStringLiteral("100");
        CodeLookup staff(CodeLookup::Staff);
        if (staff.search()) {
            field("hy06")->setValue(session().LookupKey);
            field("hy07")->setValue(session().LookupName);
        }
    }
    applyFieldSet();
    field("hy03")->setValue(proposedCode(field("hy01")->value()));
    syncButtons();
    field("hy03")->setFocus();
}

void THYUNJANG_F::askChange()
{
    askPassword(StaffPassword::Correction, [this] {
        setContractEdit(ContractEdit::None);
        setState(Edit);
        applyFieldSet();
        syncButtons();
        field("hy04")->setFocus();
    });
}

void THYUNJANG_F::askDelete()
{
    askPassword(StaffPassword::Correction, [this] { run([this] { deleteSite(); }); });
}

void THYUNJANG_F::deleteSite()
{
    const QString grcd = field("hy01")->value();
    const QString code = field("hy03")->value();
    if (code == IntegratedSiteCode) {
        Messages::info(this, MsgIntegratedDelete);
        return;
    }
    setState(Delete);
    bool withBooks = hasBookRows(grcd, code);
    if (!withBooks && Messages::confirm(this, MsgAskDelete))
        withBooks = Sites::deleteSite(grcd, code) == DeleteResult::HasBookRows; // booked meanwhile
    if (withBooks) {
        if (!Messages::confirm(this, MsgAskDeleteBooks)) {
            setState(Browse);
            syncButtons();
            return;
        }
        deleteWithBooks(grcd, code);
    }
    backToBrowse(false);
    PageControl1->setCurrentIndex(1);
}

void THYUNJANG_F::save()
{
    Field* code = field("hy03");
    if (code->value() == IntegratedSiteCode) {
        Messages::info(this, MsgIntegratedSave);
        return;
    }
    if (code->value().isEmpty() || field("hy06")->value().isEmpty() || basis().isEmpty()) {
        Messages::info(this, MsgIncomplete);
        return;
    }
    code->setValue(PadDigits(code->value(), 3));
    const Site s = typedSite();
    const SaveResult r = state() == New ? insert(s) : Sites::update(s);
    switch (r) {
    case SaveResult::Saved:
        break;
    case SaveResult::IntegratedSite:
        Messages::info(this, MsgIntegratedSave);
        return;
    case SaveResult::Incomplete:
        Messages::info(this, MsgIncomplete);
        return;
    case SaveResult::BadCode:
        Messages::info(this, MsgEnterCode);
        code->setFocus();
        return;
    case SaveResult::CodeTaken:
        // Saved meanwhile by another station: offer the next free code.
        Messages::info(this, MsgCodeExists);
        code->setValue(proposedCode(s.grcd));
        code->setFocus();
        return;
    }
    backToBrowse(false);
}

void THYUNJANG_F::backToBrowse(bool keepSite)
{
    if (!keepSite) {
        emptyNewSiteFields();
        siteShown_ = false;
        gridhord->rows()->clear();
        gridhord1->rows()->clear();
        setContractEdit(ContractEdit::None);
    }
    if (!keepSite)
        loadSites(listOrdered(field("hy01")->value(), QStringLiteral("code")));
    setState(Browse);
    syncButtons();
}

void THYUNJANG_F::cancel()
{
    backToBrowse(false);
    hyun_grid->setFocus();
}

void THYUNJANG_F::search()
{
    const QString text = sel_name->text();
    if (PageControl1->currentIndex() == 0) {
        cust_grid->load(Customers::search(text));
        cust_grid->setFocus();
    } else if (!field("hy01")->value().isEmpty()) {
        loadSites(Sites::search(field("hy01")->value(), text));
        hyun_grid->setFocus();
    }
}

void THYUNJANG_F::reorder(DataGrid* grid, const QString& f)
{
    if (grid == cust_grid)
        cust_grid->load(Customers::list(f == QLatin1String("grcd") ? Customers::Order::ByCode
                                                                   : Customers::Order::ByName));
    else if (!field("hy01")->value().isEmpty())
        loadSites(listOrdered(field("hy01")->value(), f));
}

// --- contract panel --------------------------------------------------------------

Line THYUNJANG_F::lineAt(DataGrid* grid, int record) const
{
    const GridModel* m = grid->rows();
    Line l;
    l.standard = m->text(record, "standard");
    l.kind = m->text(record, "kind");
    l.orderNum = m->text(record, "order_num");
    l.demand1 = m->text(record, "demand1");
    l.demand2 = m->text(record, "demand2");
    l.amount = m->number(record, "amount");
    l.cost = m->number(record, "cost");
    l.hap = m->number(record, "hap");
    l.delivery = m->text(record, "delivery");
    l.memo = m->text(record, "memo");
    l.chul = m->number(record, "chul");
    l.chulkum = m->number(record, "chulkum");
    l.michul = m->number(record, "michul");
    return l;
}

void THYUNJANG_F::putLine(DataGrid* grid, int record, const Line& l)
{
    GridModel* m = grid->rows();
    const auto number = [&](const char* f, double v, bool shown) {
        m->setValue(record, QLatin1String(f), shown ? QVariant(v) : QVariant());
    };
    m->setValue(record, "standard", l.standard);
    m->setValue(record, "kind", l.kind);
    m->setValue(record, "order_num", l.orderNum);
    m->setValue(record, "demand1", l.demand1);
    m->setValue(record, "demand2", l.demand2);
    // A spec shipped without a contract shows its shipped figures only.
    number("amount", l.amount, l.contracted);
    number("cost", l.cost, l.contracted);
    number("hap", l.hap, l.contracted);
    m->setValue(record, "delivery", l.delivery);
    m->setValue(record, "memo", l.memo);
    number("chul", l.chul, true);
    number("chulkum", l.chulkum, true);
    number("michul", l.michul, l.contracted);
}

void THYUNJANG_F::setContractEdit(ContractEdit s)
{
    contractEdit_ = s;
    gridhord->setEditable(s == ContractEdit::SummaryAdded);
    gridhord1->setEditable(s == ContractEdit::DetailAdded || s == ContractEdit::DetailChanged);
}

void THYUNJANG_F::buildContracts()
{
    setContractEdit(ContractEdit::None);
    gridhord->rows()->clear();
    gridhord1->rows()->clear();
    detailStandard_.clear();
    const QString grcd = field("hy01")->value(), code = field("hy03")->value();
    if (grcd.isEmpty() || code.isEmpty())
        return;
    const QList<Line> lines = SiteContracts::summary(grcd, code);
    for (const Line& l : lines)
        putLine(gridhord, gridhord->rows()->append(), l);
    sumContracts();
}

void THYUNJANG_F::showDetail(int summaryRecord)
{
    gridhord1->rows()->clear();
    detailStandard_.clear();
    if (summaryRecord < 0 || summaryRecord >= gridhord->rows()->size())
        return;
    detailStandard_ = gridhord->rows()->text(summaryRecord, "standard");
    const QList<Line> rows = SiteContracts::detail(field("hy01")->value(), field("hy03")->value(), detailStandard_);
    for (const Line& l : rows)
        putLine(gridhord1, gridhord1->rows()->append(), l);
    sumContracts();
}

void THYUNJANG_F::sumContracts()
{
    gridhord->viewport()->update();
    field("hy17")->setNumber(gridhord->rows()->sum("hap"));
    field("hy18")->setNumber(gridhord->rows()->sum("chulkum"));
}

void THYUNJANG_F::recomputeDetail()
{
    QList<Line> rows;
    for (int r = 0; r < gridhord1->rows()->size(); ++r)
        rows << lineAt(gridhord1, r);
    SiteContracts::computeSeries(rows);
    for (int r = 0; r < rows.size(); ++r)
        putLine(gridhord1, r, rows.at(r));
}

bool THYUNJANG_F::pickDate(DataGrid* grid, int record, const QString& f)
{
    TCalendarDlg& calendar = TCalendarDlg::instance();
    if (!calendar.choose(this) || calendar.pickedText().isEmpty())
        return false;
    grid->rows()->setValue(record, f, calendar.pickedText());
    return true;
}

int THYUNJANG_F::summaryEnter(int record)
{
    GridModel* m = gridhord->rows();
    const QString f = gridhord->currentField();
    if (f == QLatin1String("standard")) {
        session().LookupKey = m->text(record, "standard");
        if (!RunCodeLookup(CodeLookup::KsSpec))
            return 0;
        m->setValue(record, "standard", session().LookupName);
        m->setValue(record, "kind", session().LookupAux2);
        return 1;
    }
    if (f == QLatin1String("demand1")) {
        if (!pickDate(gridhord, record, f))
            return 0;
        m->setValue(record, "demand2", SiteContracts::OpenEnd);
        if (publicWorks())
            if (const auto price = SiteContracts::publicPrice(m->text(record, "standard"), m->text(record, "demand1")))
                m->setValue(record, "cost", *price);
        m->setValue(record, "hap", m->number(record, "amount") * m->number(record, "cost"));
        sumContracts();
        return 1;
    }
    if (f == QLatin1String("amount") || f == QLatin1String("cost")) {
        m->setValue(record, "hap", m->number(record, "amount") * m->number(record, "cost"));
        sumContracts();
        return 1;
    }
    if (f == QLatin1String("delivery"))
        return pickDate(gridhord, record, f) ? 1 : 0;
    if (f == QLatin1String("chulkum"))
        return 0;
    return 1;
}

int THYUNJANG_F::detailEnter(int record)
{
    GridModel* m = gridhord1->rows();
    const QString f = gridhord1->currentField();
    if (f == QLatin1String("demand1")) {
        // Only the row being added takes a date; it starts a new price.
        if (contractEdit_ != ContractEdit::DetailAdded || record != m->size() - 1)
            return 1;
        TCalendarDlg& calendar = TCalendarDlg::instance();
        if (!calendar.choose(this) || calendar.pickedText().isEmpty())
            return 0;
        const QString day = calendar.pickedText();
        if (record > 0 && day <= m->text(record - 1, "demand1")) {
            Messages::info(this, kMsgLaterDate);
            return 0;
        }
        const QString grcd = field("hy01")->value(), code = field("hy03")->value();
        const QString standard = m->text(record, "standard");
        m->setValue(record, "demand1", day);
        m->setValue(record, "demand2", SiteContracts::OpenEnd);
        if (record > 0) {
            // Shown closed at once; stored together with the new row.
            const int prev = record - 1;
            m->setValue(prev, "demand2", SiteContracts::dayBefore(day));
            m->setValue(prev, "chul", SiteContracts::shipped(grcd, code, standard,
                                                             prev == 0 ? QString() : m->text(prev, "demand1"),
                                                             m->text(prev, "demand2")));
        }
        if (publicWorks())
            if (const auto price = SiteContracts::publicPrice(standard, day))
                m->setValue(record, "cost", *price);
        m->setValue(record, "chul", SiteContracts::shipped(grcd, code, standard, day, SiteContracts::OpenEnd));
        recomputeDetail();
        return 1;
    }
    if (f == QLatin1String("amount") || f == QLatin1String("cost")) {
        recomputeDetail();
        return 1;
    }
    if (f == QLatin1String("delivery"))
        return pickDate(gridhord1, record, f) ? 1 : 0;
    if (f == QLatin1String("chulkum"))
        return 0;
    return 1;
}

bool THYUNJANG_F::contractSaved(SiteContracts::Result r)
{
    switch (r) {
    case SiteContracts::Result::Saved: return true;
    case SiteContracts::Result::Incomplete: Messages::info(this, kMsgContractIncomplete); break;
    case SiteContracts::Result::BadDate: Messages::info(this, kMsgContractDate); break;
    case SiteContracts::Result::RowExists: Messages::info(this, kMsgContractExists); break;
    }
    return false;
}

void THYUNJANG_F::summaryAdd()
{
    if (!siteShown_ || state() != Browse)
        return;
    setContractEdit(ContractEdit::SummaryAdded);
    const int record = gridhord->rows()->append();
    gridhord->setFocus();
    gridhord->setCurrentRecord(record, QStringLiteral("standard"));
}

void THYUNJANG_F::summaryDelete()
{
    const int record = gridhord->currentRecord();
    if (!siteShown_ || record < 0 || !Messages::confirm(this, MsgAskDelete))
        return;
    SiteContracts::deleteSpec(field("hy01")->value(), field("hy03")->value(), gridhord->rows()->text(record, "standard"));
    buildContracts();
}

void THYUNJANG_F::summarySave()
{
    const int record = gridhord->currentRecord();
    if (!siteShown_ || record < 0)
        return;
    Kit::commitInput();
    const Line l = lineAt(gridhord, record);
    if (!contractSaved(SiteContracts::addRow(field("hy01")->value(), field("hy03")->value(), l)))
        return;
    buildContracts();
}

void THYUNJANG_F::detailAdd()
{
    GridModel* m = gridhord1->rows();
    if (!siteShown_ || m->size() == 0)
        return;
    // A further row of the spec shown: a price change or more quantity.
    const Line last = lineAt(gridhord1, m->size() - 1);
    setContractEdit(ContractEdit::DetailAdded);
    const int record = m->append();
    m->setValue(record, "standard", last.standard);
    m->setValue(record, "kind", last.kind);
    m->setValue(record, "cost", last.cost);
    gridhord1->setFocus();
    gridhord1->setCurrentRecord(record, QStringLiteral("demand1"));
}

void THYUNJANG_F::detailChange()
{
    if (!siteShown_ || gridhord1->rows()->size() == 0)
        return;
    setContractEdit(ContractEdit::DetailChanged);
    gridhord1->setFocus();
}

void THYUNJANG_F::detailDelete()
{
    const int record = gridhord1->currentRecord();
    if (!siteShown_ || record < 0 || !Messages::confirm(this, MsgAskDelete))
        return;
    const QString standard = gridhord1->rows()->text(record, "standard");
    const QString demand1 = gridhord1->rows()->text(record, "demand1");
    // A row only on screen (being added) is simply dropped.
    if (contractEdit_ == ContractEdit::DetailAdded && record == gridhord1->rows()->size() - 1) {
        const QString keep = detailStandard_;
        buildContracts();
        for (int r = 0; r < gridhord->rows()->size(); ++r)
            if (gridhord->rows()->text(r, "standard") == keep)
                showDetail(r);
        return;
    }
    const int left = SiteContracts::deleteRow(field("hy01")->value(), field("hy03")->value(), standard, demand1);
    buildContracts();
    if (left > 0)
        for (int r = 0; r < gridhord->rows()->size(); ++r)
            if (gridhord->rows()->text(r, "standard") == standard) {
                gridhord->setCurrentRecord(r);
                showDetail(r);
            }
}

void THYUNJANG_F::detailSave()
{
    const int record = gridhord1->currentRecord();
    if (!siteShown_ || record < 0)
        return;
    Kit::commitInput();
    const QString grcd = field("hy01")->value(), code = field("hy03")->value();
    SiteContracts::Result r;
    if (contractEdit_ == ContractEdit::DetailAdded)
        r = SiteContracts::addRow(grcd, code, lineAt(gridhord1, gridhord1->rows()->size() - 1));
    else if (contractEdit_ == ContractEdit::DetailChanged)
        r = SiteContracts::changeRow(grcd, code, lineAt(gridhord1, record));
    else
        return;
    if (!contractSaved(r))
        return;
    const QString standard = detailStandard_;
    buildContracts();
    for (int s = 0; s < gridhord->rows()->size(); ++s)
        if (gridhord->rows()->text(s, "standard") == standard) {
            gridhord->setCurrentRecord(s);
            showDetail(s);
        }
}
