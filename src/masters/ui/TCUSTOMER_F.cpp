#include "masters/ui/TCUSTOMER_F.h"
#include "data/CodeLookup.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "dialogs/PostalCodeDlg.h"
#include "masters/ui/THYUNJANG_F.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PasswordPanel.h"
#include "widgets/PickList.h"

#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Customers;

namespace {

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

// A key that types a character (Enter and Backspace included). Keys that only
// move (arrows, PageUp/PageDown, Tab) and Esc are left to the window.
bool typesCharacter(const QKeyEvent* e)
{
    if (isEnter(e) || e->key() == Qt::Key_Backspace)
        return true;
    if (e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab || e->key() == Qt::Key_Escape)
        return false;
    return !e->text().isEmpty() && e->text().at(0).isPrint();
}

// Puts a caption (a hint, a unit) right after a field on the field's line.
void addAfter(QWidget* field, const QString& text)
{
    auto* grid = field->parentWidget() ? field->parentWidget()->layout() : nullptr;
    for (int i = 0; grid && i < grid->count(); ++i) {
        auto* line = qobject_cast<QBoxLayout*>(grid->itemAt(i)->layout());
        const int at = line ? line->indexOf(field) : -1;
        if (at >= 0) {
            line->insertSpacing(at + 1, 12);
            line->insertWidget(at + 2, new QLabel(text, field->parentWidget()));
            return;
        }
    }
}

const QStringList kYesNo = {QStringLiteral("Y"), QStringLiteral("N")};

} // namespace

TCUSTOMER_F::TCUSTOMER_F(QWidget* parent)
    : EntryForm(QStringLiteral("TCUSTOMER_F"), QStringLiteral("거래처 등록"), parent)
{
    addButton(QStringLiteral("newbtn"), QStringLiteral("&1.등록"), Browse, [this] { startNew(); });
    addButton(QStringLiteral("edtbtn"), QStringLiteral("&2.수정"), Browse, [this] { askChange(); }, true);
    addButton(QStringLiteral("delbtn"), QStringLiteral("&3.삭제"), Browse, [this] { askDelete(); }, true);
    addButton(QStringLiteral("prnbtn"), QStringLiteral("&5.출력"), Browse, [this] { print(); }, true);
    addButton(QStringLiteral("savbtn"), QStringLiteral("&6.저장"), New | Edit, [this] { save(); });
    addButton(QStringLiteral("canbtn"), QStringLiteral("&7.취소"), Browse | New | Edit, [this] { cancel(); }, true);
    addButton(QStringLiteral("hlpbtn"), QStringLiteral("&8.도움"), Browse | New | Edit | Delete,
              [this] { setStatusText(QStringLiteral("도 움 말")); });
    addCloseButton(QStringLiteral("clsbtn"), QStringLiteral("&9.닫기"));
    addButton(QStringLiteral("hyunbtn"), QStringLiteral("현  장"), Browse, [this] {
        THYUNJANG_F sites(this);
        const QString grcd = typedCustomer().grcd();
        if (!grcd.trimmed().isEmpty())
            sites.openCustomer(grcd);
        Kit::execModal(&sites);
    });

    // Grid and name search on the left.
    auto* left = new QWidget(this);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    cust_grid = new DataGrid(QStringLiteral("cust_grid"), left);
    cust_grid->setColumns({{QStringLiteral("grcd"), QStringLiteral("코드"), 60},
                           {QStringLiteral("name"), QStringLiteral("거래처명"), 200}});
    cust_grid->setFixedWidth(300);
    leftLayout->addWidget(cust_grid, 1);
    auto* findRow = new QHBoxLayout;
    find_edit = new QLineEdit(left);
    find_edit->setObjectName(QStringLiteral("find_edit"));
    find_edit->setMaxLength(30);
    auto* findButton = new QPushButton(QStringLiteral("검색"), left);
    findButton->setObjectName(QStringLiteral("findbtn"));
    findButton->setAutoDefault(false);
    findRow->addWidget(find_edit, 1);
    findRow->addWidget(findButton);
    leftLayout->addLayout(findRow);
    body()->insertWidget(0, left);

    find_edit->installEventFilter(this); // Enter searches (and presses no button of the bar)
    connect(findButton, &QPushButton::clicked, this, [this] { run([this] { search(); }); });
    cust_grid->setTitleClick([this](const QString& field) {
        run([this, field] { reloadGrid(field == QLatin1String("grcd") ? Order::ByCode : Order::ByName); });
    });
    connect(cust_grid, &DataGrid::currentRecordChanged, this, [this](int record) {
        if (!reloading_)
            run([this, record] { showRow(record); });
    });
    connect(cust_grid, &DataGrid::recordClicked, this, [this](int record) { run([this, record] { showRow(record); }); });

    // The ledger of an integrated customer prints on the ledger statement,
    // which the program does not have yet: both entries stay disabled.
    gridMenu_ = new QMenu(this);
    gridMenu_->setObjectName(QStringLiteral("PopupMenu1"));
    gridMenu_->addAction(QStringLiteral("원장(메모)"))->setObjectName(QStringLiteral("ledger_memo"));
    gridMenu_->addAction(QStringLiteral("원장(현장)"))->setObjectName(QStringLiteral("ledger_site"));
    for (QAction* a : gridMenu_->actions())
        a->setEnabled(false);
    cust_grid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(cust_grid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { gridMenu_->popup(cust_grid->viewport()->mapToGlobal(at)); });

    // Customer fields.
    addField({.name = QStringLiteral("CU01"), .label = QStringLiteral("거래처코드"), .kind = FieldKind::Upper,
              .width = 1, .onKey = [this](QKeyEvent* e) { return letterKey(e); }, .key = true})
        ->setAttribute(Qt::WA_InputMethodEnabled, false);
    addField({.name = QStringLiteral("CU02"), .kind = FieldKind::Code, .width = 3,
              .onEnter = [this] { return numberEntered(); }, .onKey = [this](QKeyEvent* e) { return numberKey(e); },
              .key = true, .sameLine = true});
    addField({.name = QStringLiteral("CU03"), .label = QStringLiteral("거 래 처  명"), .width = 30,
              .onEnter = [this] { return nameEntered(); }});
    addField({.name = QStringLiteral("CU04"), .label = QStringLiteral("대   표   자"), .width = 15});
    addField({.name = QStringLiteral("cu05"), .label = QStringLiteral("사업주민번호"), .width = 30});
    addField({.name = QStringLiteral("CU06"), .label = QStringLiteral("업         태"), .width = 30});
    addField({.name = QStringLiteral("CU07"), .label = QStringLiteral("종         목"), .width = 30});
    addField({.name = QStringLiteral("CU10"), .label = QStringLiteral("우 편 번 호"), .width = 7,
              .onEnter = [this] { return postEntered(); }});
    addField({.name = QStringLiteral("CU08"), .label = QStringLiteral("주         소"), .width = 50});
    addField({.name = QStringLiteral("CU09"), .label = QStringLiteral(" "), .width = 20});
    addField({.name = QStringLiteral("CU11"), .label = QStringLiteral("전화번호/FAX"), .width = 30, .pixels = 130});
    addField({.name = QStringLiteral("CU27"), .width = 30, .sameLine = true, .pixels = 130});
    addList({.name = QStringLiteral("CU12"), .label = QStringLiteral("관급,사급 구분"), .kind = FieldKind::List,
             .items = classLabels(), .codes = {"K", "L", "S", "T"},
             .onEnter = [this] { return classEntered(); },
             .onKey = [this](QKeyEvent* e) {
                 if (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) {
                     ListField* l = list(QStringLiteral("CU12"));
                     const int i = l->currentIndex() + (e->key() == Qt::Key_Up ? -1 : 1);
                     if (i >= 0 && i < l->count()) {
                         l->setCurrentIndex(i);
                         classByArrow_ = true;
                         classChanged();
                     }
                     return true;
                 }
                 return listKey(e, QStringLiteral("KLST"), [this] { classChanged(); });
             }});
    addAfter(list(QStringLiteral("CU12")), QStringLiteral("* 1.조달관급   2.일반관급   3.사급   4.기타"));
    addList({.name = QStringLiteral("CU13"), .label = QStringLiteral("미수   구분"), .kind = FieldKind::List,
             .items = basisLabels(), .codes = {"H", "G"}, .onEnter = [this] { return basisEntered(); },
             .onKey = [this](QKeyEvent* e) { return listKey(e, QStringLiteral("HG"), [this] { basisChanged(); }); }});
    addAfter(list(QStringLiteral("CU13")),
             QStringLiteral("* 1.현장별      2.현장 통합          ( 조달관급,일반관급은  현장별)"));
    addList({.name = QStringLiteral("CU14"), .label = QStringLiteral("부 가 세    구분"), .kind = FieldKind::List,
             .items = vatLabels(), .codes = {"V", "N", "X"},
             .onKey = [this](QKeyEvent* e) { return listKey(e, QStringLiteral("VNX"), [] {}); }});
    addAfter(list(QStringLiteral("CU14")),
             QStringLiteral("* 1.별도         2.포함         3.무시   ( 조달관급,일반관급은  포함)"));
    addField({.name = QStringLiteral("CU15"), .label = QStringLiteral("최초등록일자"), .kind = FieldKind::Date});
    addField({.name = QStringLiteral("CU16"), .label = QStringLiteral("메         모"), .width = 30});
    addList({.name = QStringLiteral("CU17"), .label = QStringLiteral("우편발송여부"), .kind = FieldKind::List,
             .items = kYesNo});
    addList({.name = QStringLiteral("CU18"), .label = QStringLiteral("등           급"), .kind = FieldKind::List,
             .items = {"A", "B", "C", "D", "E", "F"}});
    addList({.name = QStringLiteral("CU19"), .label = QStringLiteral("출 력   여 부"), .kind = FieldKind::List,
             .items = kYesNo});
    addList({.name = QStringLiteral("cu28"), .label = QStringLiteral("절 사   단 위"), .kind = FieldKind::List,
             .items = {"1", "10", "100", ""}, .editable = true, .pixels = 80});

    // The integrated site 000, shown while the receivable is kept as a whole.
    DamPAN = beginSection(QStringLiteral("DamPAN"), QStringLiteral("현장통합"));
    addField({.name = QStringLiteral("CU20"), .label = QStringLiteral("담   당   자"), .kind = FieldKind::Code,
              .width = 3, .onEnter = [this] { return staffEntered(); }});
    addField({.name = QStringLiteral("CU21"), .width = 10, .readOnly = true, .sameLine = true});
    addField({.name = QStringLiteral("CU22"), .label = QStringLiteral("사무실 전화"), .width = 35});
    addField({.name = QStringLiteral("CU23"), .label = QStringLiteral("현 장 전 화"), .width = 35});
    addField({.name = QStringLiteral("CU24"), .label = QStringLiteral("시 공 자"), .width = 30});
    addField({.name = QStringLiteral("cu25"), .label = QStringLiteral("계 약 율"), .kind = FieldKind::Number,
              .width = 5, .mask = QStringLiteral("#,##0.##")});
    addAfter(field(QStringLiteral("cu25")), QStringLiteral("%"));
    addField({.name = QStringLiteral("CU26"), .label = QStringLiteral("메      모"), .width = 30});
    endSection();
    DamPAN->hide();

    for (const char* name : {"CU12", "CU13"}) {
        ListField* l = list(QLatin1String(name));
        connect(l, &QComboBox::activated, this, [this, name] {
            run([this, name] { qstrcmp(name, "CU12") == 0 ? classChanged() : basisChanged(); });
        });
    }
    resize(980, 640);
}

bool TCUSTOMER_F::eventFilter(QObject* o, QEvent* e)
{
    if (o == find_edit && e->type() == QEvent::KeyPress && isEnter(static_cast<QKeyEvent*>(e))) {
        run([this] { search(); });
        return true;
    }
    return EntryForm::eventFilter(o, e);
}

void TCUSTOMER_F::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (opened_)
        return;
    opened_ = true;
    run([this] {
        emptyFields();
        setState(Browse);
        cust_grid->setFocus();
        if (cust_grid->rows()->size() > 0) {
            cust_grid->setCurrentRecord(0);
            showRow(0);
        }
    });
}

// --- fields ------------------------------------------------------------------

void TCUSTOMER_F::emptyFields()
{
    clearFields();
    list(QStringLiteral("CU12"))->setCode(QStringLiteral("S"));
    list(QStringLiteral("CU13"))->setCode(PerSite);
    list(QStringLiteral("CU14"))->setCode(QStringLiteral("V"));
    DamPAN->hide();
    field(QStringLiteral("CU15"))->setDate(QDate::currentDate());
    list(QStringLiteral("CU17"))->setValue(QStringLiteral("Y"));
    list(QStringLiteral("CU18"))->setValue(QStringLiteral("A"));
    list(QStringLiteral("CU19"))->setValue(QStringLiteral("Y"));
    field(QStringLiteral("cu25"))->setNumber(100);
    list(QStringLiteral("cu28"))->setValue(QStringLiteral("0"));
    reloadGrid(Order::ByCode);
    setRowShown(false);
}

void TCUSTOMER_F::reloadGrid(Order order)
{
    reloading_ = true;
    cust_grid->load(Customers::list(order));
    reloading_ = false;
}

void TCUSTOMER_F::showRow(int record)
{
    if (record < 0 || record >= cust_grid->rows()->size() || state() == New)
        return;
    Customer c;
    if (!load(cust_grid->rows()->text(record, QStringLiteral("grcd")), c))
        return;
    if (state() != Browse)
        setState(Browse); // another row ends a change without saving
    field(QStringLiteral("CU01"))->setValue(c.custSet);
    field(QStringLiteral("CU02"))->setValue(c.custSeq);
    field(QStringLiteral("CU03"))->setValue(c.name);
    field(QStringLiteral("CU04"))->setValue(c.daepyo);
    field(QStringLiteral("cu05"))->setValue(c.saupja);
    field(QStringLiteral("CU06"))->setValue(c.uptae);
    field(QStringLiteral("CU07"))->setValue(c.jongmok);
    field(QStringLiteral("CU10"))->setValue(c.post);
    field(QStringLiteral("CU08"))->setValue(c.address1);
    field(QStringLiteral("CU09"))->setValue(c.address2);
    field(QStringLiteral("CU11"))->setValue(c.tel);
    field(QStringLiteral("CU27"))->setValue(c.fax);
    list(QStringLiteral("CU12"))->setCode(c.kawnSa);
    list(QStringLiteral("CU13"))->setCode(c.misu);
    list(QStringLiteral("CU14"))->setCode(c.vat);
    field(QStringLiteral("CU15"))->setValue(c.ilja);
    field(QStringLiteral("CU16"))->setValue(c.memo);
    list(QStringLiteral("CU17"))->setValue(c.postYn);
    list(QStringLiteral("CU18"))->setValue(c.rank);
    list(QStringLiteral("CU19"))->setValue(c.enable);
    list(QStringLiteral("cu28"))->setValue(c.julsa);

    IntegratedSite s;
    if (c.misu == Integrated) {
        loadIntegratedSite(c.grcd(), s);
        field(QStringLiteral("CU20"))->setValue(s.manCode);
        field(QStringLiteral("CU21"))->setValue(s.manName);
        field(QStringLiteral("CU22"))->setValue(s.officeTel);
        field(QStringLiteral("CU23"))->setValue(s.groundTel);
        field(QStringLiteral("CU24"))->setValue(s.build);
        field(QStringLiteral("cu25"))->setNumber(s.orderNul);
        field(QStringLiteral("CU26"))->setValue(s.memo);
        DamPAN->show();
    } else {
        DamPAN->hide();
    }
    setRowShown(true);
}

Customer TCUSTOMER_F::typedCustomer() const
{
    Customer c;
    c.custSet = field(QStringLiteral("CU01"))->value();
    c.custSeq = field(QStringLiteral("CU02"))->value();
    c.name = field(QStringLiteral("CU03"))->value();
    c.daepyo = field(QStringLiteral("CU04"))->value();
    c.saupja = field(QStringLiteral("cu05"))->value();
    c.uptae = field(QStringLiteral("CU06"))->value();
    c.jongmok = field(QStringLiteral("CU07"))->value();
    c.post = field(QStringLiteral("CU10"))->value();
    c.address1 = field(QStringLiteral("CU08"))->value();
    c.address2 = field(QStringLiteral("CU09"))->value();
    c.tel = field(QStringLiteral("CU11"))->value();
    c.fax = field(QStringLiteral("CU27"))->value();
    c.kawnSa = list(QStringLiteral("CU12"))->code();
    c.misu = list(QStringLiteral("CU13"))->code();
    c.vat = list(QStringLiteral("CU14"))->code();
    c.ilja = field(QStringLiteral("CU15"))->value();
    c.memo = field(QStringLiteral("CU16"))->value();
    c.postYn = list(QStringLiteral("CU17"))->value();
    c.rank = list(QStringLiteral("CU18"))->value();
    c.enable = list(QStringLiteral("CU19"))->value();
    c.julsa = list(QStringLiteral("cu28"))->value();
    return c;
}

IntegratedSite TCUSTOMER_F::typedSite() const
{
    IntegratedSite s;
    s.manCode = field(QStringLiteral("CU20"))->value();
    s.manName = field(QStringLiteral("CU21"))->value();
    s.officeTel = field(QStringLiteral("CU22"))->value();
    s.groundTel = field(QStringLiteral("CU23"))->value();
    s.build = field(QStringLiteral("CU24"))->value();
    s.orderNul = field(QStringLiteral("cu25"))->number();
    s.memo = field(QStringLiteral("CU26"))->value();
    return s;
}

// Showing the panel of a customer that had none starts it empty with a
// contract rate of 100; values already shown are kept.
void TCUSTOMER_F::showIntegratedPanel(bool shown, bool empty)
{
    if (!shown) {
        DamPAN->hide();
        return;
    }
    if (empty && !DamPAN->isVisibleTo(this)) {
        for (const char* name : {"CU20", "CU21", "CU22", "CU23", "CU24", "CU26"})
            field(QLatin1String(name))->clear();
        field(QStringLiteral("cu25"))->setNumber(100);
    }
    DamPAN->show();
}

// --- keys ----------------------------------------------------------------------

bool TCUSTOMER_F::letterKey(QKeyEvent* e)
{
    if (!typesCharacter(e))
        return false;
    Field* letter = field(QStringLiteral("CU01"));
    if (isEnter(e) && letter->value().isEmpty())
        Messages::info(this, QStringLiteral("코드를 입력하시오"));
    const QString t = e->text();
    if (isEnter(e) || t.size() != 1 || !isCodeLetter(t.at(0))) {
        Messages::info(this, QStringLiteral("영문으로 입력하시오"));
        letter->clear();
        letter->setFocus();
        return true;
    }
    letter->setValue(t.toUpper());
    if (state() == New)
        field(QStringLiteral("CU02"))->setValue(nextSeq(t.toUpper()));
    field(QStringLiteral("CU02"))->setFocus();
    return true;
}

bool TCUSTOMER_F::numberKey(QKeyEvent* e)
{
    if (isEnter(e) || !typesCharacter(e))
        return false;
    const QString t = e->text();
    if (t.size() == 1 && t.at(0) >= QLatin1Char('0') && t.at(0) <= QLatin1Char('9'))
        return false;
    Messages::info(this, QStringLiteral("코드 등록이 잘못되었습니다."));
    return true;
}

bool TCUSTOMER_F::numberEntered()
{
    Field* number = field(QStringLiteral("CU02"));
    if (number->value().isEmpty()) {
        Messages::info(this, QStringLiteral("코드 등록이 잘못되었습니다."));
        number->clear();
        return false;
    }
    number->setValue(PadDigits(number->value(), 3));
    if (codeExists(field(QStringLiteral("CU01"))->value() + number->value())) {
        number->clear();
        Messages::info(this, QStringLiteral("이미 코드가 존재합니다."));
        return false;
    }
    return true;
}

bool TCUSTOMER_F::nameEntered()
{
    const QString own = state() == Edit ? typedCustomer().grcd() : QString();
    const QString other = codeOfName(field(QStringLiteral("CU03"))->value(), own);
    if (!other.isEmpty())
        Messages::info(this, QStringLiteral("이미 등록된 거래처 입니다.\n거래처 코드는 '%1'입니다.").arg(other));
    return true;
}

bool TCUSTOMER_F::postEntered()
{
    Field* post = field(QStringLiteral("CU10"));
    if (!post->value().isEmpty()) {
        field(QStringLiteral("CU08"))->setValue(addressOfPost(post->value()));
    } else if (Tgrid_f::choose(this)) {
        field(QStringLiteral("CU08"))->setValue(session().ZipAddress);
        post->setValue(session().ZipCode);
    }
    field(QStringLiteral("CU09"))->setFocus();
    return true;
}

bool TCUSTOMER_F::listKey(QKeyEvent* e, const QString& codes, const std::function<void()>& changed)
{
    const QString t = e->text().toUpper();
    if (t.size() != 1 || !codes.contains(t))
        return false;
    auto* l = qobject_cast<ListField*>(focusWidget());
    if (!l)
        return false;
    l->setCode(t);
    changed();
    return true;
}

void TCUSTOMER_F::classChanged()
{
    const bool arrow = classByArrow_;
    classByArrow_ = false;
    ListField* cls = list(QStringLiteral("CU12"));
    const QString code = cls->code();
    if (code == QLatin1String("K") || code == QLatin1String("L")) {
        list(QStringLiteral("CU13"))->setCode(Integrated);
        list(QStringLiteral("CU14"))->setCode(QStringLiteral("N"));
        showIntegratedPanel(true, true);
    }
    if (arrow) {
        list(QStringLiteral("CU13"))->setCode(cls->currentIndex() < 2 ? Integrated : PerSite);
        basisChanged();
    }
}

bool TCUSTOMER_F::classEntered()
{
    if (list(QStringLiteral("CU12"))->code() == QLatin1String("K")) {
        list(QStringLiteral("CU13"))->setCode(Integrated);
        list(QStringLiteral("CU14"))->setCode(QStringLiteral("N"));
        list(QStringLiteral("CU18"))->setValue(QStringLiteral("A"));
        list(QStringLiteral("cu28"))->setValue(QStringLiteral("0"));
        basisChanged();
    }
    return true;
}

void TCUSTOMER_F::basisChanged()
{
    showIntegratedPanel(list(QStringLiteral("CU13"))->code() == Integrated, true);
}

bool TCUSTOMER_F::basisEntered()
{
    basisChanged();
    if (list(QStringLiteral("CU12"))->code() == QLatin1String("K") && list(QStringLiteral("CU13"))->code() == Integrated) {
        // Supply under contract is looked after by the public desk.
        session().LookupKey = QStringLiteral("100");
        CodeLookup staff(CodeLookup::Staff);
        if (staff.search()) {
            field(QStringLiteral("CU20"))->setValue(session().LookupKey);
            field(QStringLiteral("CU21"))->setValue(session().LookupName);
        }
        field(QStringLiteral("cu25"))->setNumber(100);
    }
    return true;
}

bool TCUSTOMER_F::staffEntered()
{
    session().LookupKey = field(QStringLiteral("CU20"))->value();
    if (!RunCodeLookup(CodeLookup::Staff))
        return false;
    field(QStringLiteral("CU20"))->setValue(session().LookupKey);
    field(QStringLiteral("CU21"))->setValue(session().LookupName);
    field(QStringLiteral("CU22"))->setFocus();
    return true;
}

// --- buttons -------------------------------------------------------------------

void TCUSTOMER_F::startNew()
{
    emptyFields();
    setState(New);
    cust_grid->setEnabled(false);
    field(QStringLiteral("CU01"))->setFocus();
}

void TCUSTOMER_F::askChange()
{
    askPassword(StaffPassword::Correction, [this] {
        const Customer c = typedCustomer();
        start_ = {c.name, c.kawnSa, c.misu, c.misu == Integrated ? typedSite() : IntegratedSite{}};
        setState(Edit);
        field(QStringLiteral("CU03"))->setFocus();
    });
}

void TCUSTOMER_F::askDelete()
{
    askPassword(StaffPassword::Correction, [this] {
        setState(Delete);
        if (!Messages::confirm(this, QStringLiteral("판매 및 입금등 모든자료가 삭제됩니다. \n 삭제하겠습니까?"))) {
            setState(Browse);
            return;
        }
        const QString grcd = typedCustomer().grcd();
        if (!run([&grcd] { deleteCustomer(grcd); })) {
            setState(Browse);
            return;
        }
        emptyFields();
        setState(Browse);
    });
}

void TCUSTOMER_F::save()
{
    const Customer c = typedCustomer();
    const QString missing = QStringLiteral("코드가 등록되지 않았습니다. 확인하고 저장하시오.");
    if (c.custSet.isEmpty() || c.custSeq.isEmpty()) {
        Messages::info(this, missing);
        return;
    }
    if (state() == New) {
        switch (insert(c, typedSite())) {
        case SaveResult::CodeMissing:
            Messages::info(this, missing);
            return;
        case SaveResult::CodeTaken:
            Messages::info(this, QStringLiteral("코드가 이미 존재합니다.\n 다시 입력하시오."));
            field(QStringLiteral("CU01"))->clear();
            field(QStringLiteral("CU02"))->clear();
            field(QStringLiteral("CU01"))->setFocus();
            return;
        case SaveResult::Saved:
            break;
        }
    } else if (state() == Edit) {
        if (dropsIntegratedSite(start_, c)
            && !Messages::confirm(this, QStringLiteral("000 : 현장통합 코드로 입금된 자료가 모두 삭제됩니다. \n 삭제하겠습니까?")))
            return;
        Customers::update(c, typedSite(), start_);
    } else {
        return;
    }
    emptyFields();
    setState(Browse);
    cust_grid->setEnabled(true);
}

void TCUSTOMER_F::cancel()
{
    emptyFields();
    setState(Browse);
    cust_grid->setEnabled(true);
}

void TCUSTOMER_F::print()
{
    ReportOutput::run(this, QStringLiteral("qr_cust_f1"), {});
}

void TCUSTOMER_F::search()
{
    reloading_ = true;
    cust_grid->load(Customers::search(find_edit->text()));
    reloading_ = false;
    cust_grid->setFocus();
}
