#include "shipping/ui/Tsuju_f.h"

#include "data/CodeLookup.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "masters/Customers.h"
#include "masters/Sites.h"
#include "masters/ui/TCUSTOMER_F.h"
#include "masters/ui/THYUNJANG_F.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QDate>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

bool isEnter(const QKeyEvent* e) { return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter; }

const QString kPublicContract = QStringLiteral("관수1");
const QStringList kComboNames = {QStringLiteral("hy20"), QStringLiteral("hy21"), QStringLiteral("hy22"),
                                 QStringLiteral("hy23")};
const QStringList kComboColumns = {QStringLiteral("cement"), QStringLiteral("gravel"), QStringLiteral("japum"),
                                   QStringLiteral("con")};

// The contract grids (summary and detail) share their columns.
QList<GridColumn> contractColumns(bool detail)
{
    QList<GridColumn> c = {
        {QStringLiteral("kind"), QStringLiteral("품명"), 70},
        {QStringLiteral("STANDARD"), QStringLiteral("규격"), 80},
        {QStringLiteral("order_num"), QStringLiteral("납품지시번호"), 90},
        {QStringLiteral("demand1"), QStringLiteral("납품요구일자1"), 90},
        {QStringLiteral("demand2"), QStringLiteral("납품요구일자2"), 90},
        {QStringLiteral("AMOUNT"), QStringLiteral("계약량"), 70, QStringLiteral("#,##0.000")},
        {QStringLiteral("COST"), QStringLiteral("단가"), 70, QStringLiteral("#,##0")},
        {QStringLiteral("hap"), QStringLiteral("금액"), 90, QStringLiteral("#,##0")},
        {QStringLiteral("delivery"), QStringLiteral("납기일자"), 80},
        {QStringLiteral("MEMO"), QStringLiteral("메모"), 80},
        {QStringLiteral("CHUL"), QStringLiteral("출하량"), 70, QStringLiteral("#,##0.000")},
        {QStringLiteral("chulkum"), QStringLiteral("출하금액"), 90, QStringLiteral("#,##0")},
        {QStringLiteral("MICHUL"), QStringLiteral("미출하량"), 70, QStringLiteral("#,##0.000")},
    };
    if (detail)
        for (GridColumn& col : c)
            col.sum = col.field == QLatin1String("AMOUNT") || col.field == QLatin1String("hap")
                   || col.field == QLatin1String("chulkum");
    return c;
}

void fillContractGrid(DataGrid* grid, const QList<ContractLine>& lines)
{
    GridModel* m = grid->rows();
    m->clear();
    for (const ContractLine& l : lines) {
        const int r = m->append();
        m->setValue(r, QStringLiteral("kind"), l.kind);
        m->setValue(r, QStringLiteral("STANDARD"), l.standard);
        m->setValue(r, QStringLiteral("order_num"), l.orderNum);
        m->setValue(r, QStringLiteral("demand1"), l.demand1);
        m->setValue(r, QStringLiteral("demand2"), l.demand2);
        m->setValue(r, QStringLiteral("AMOUNT"), l.amount);
        m->setValue(r, QStringLiteral("COST"), l.cost);
        m->setValue(r, QStringLiteral("hap"), l.hap);
        m->setValue(r, QStringLiteral("delivery"), l.delivery);
        m->setValue(r, QStringLiteral("MEMO"), l.memo);
        m->setValue(r, QStringLiteral("CHUL"), l.chul);
        m->setValue(r, QStringLiteral("chulkum"), l.chulkum);
        m->setValue(r, QStringLiteral("MICHUL"), l.michul);
    }
}

} // namespace

Tsuju_f::Tsuju_f(QWidget* parent) : EntryForm(QStringLiteral("Tsuju_f"), QStringLiteral("수주관리"), parent)
{
    addButton(QStringLiteral("newbtn"), QStringLiteral("[&1]등록"), Browse, [this] { startNew(); });
    addButton(QStringLiteral("edtbtn"), QStringLiteral("[&2]수정"), Browse, [this] { startEdit(); }, true);
    // Looking an order up is done through the day's grid and the number.
    addButton(QStringLiteral("findbtn"), QStringLiteral("[&3]조회"), {}, [] {});
    addButton(QStringLiteral("delbtn"), QStringLiteral("[&4]삭제"), Browse | Edit, [this] { askDelete(); }, true);
    addButton(QStringLiteral("savbtn"), QStringLiteral("[&5]저장"), New | Edit, [this] { save(); });
    addButton(QStringLiteral("canbtn"), QStringLiteral("[&6]취소"), New | Edit, [this] { cancel(); });
    addCloseButton(QStringLiteral("clsbtn"), QStringLiteral("[&7]닫기"));
    addButton(QStringLiteral("prnbtn"), QStringLiteral("&[7].출력"), Browse, [this] { print(); });
    addButton(QStringLiteral("custbtn"), QStringLiteral("[&A]거래처"), Browse | New | Edit,
              [this] { openCustomers(); });
    addButton(QStringLiteral("hyunbtn"), QStringLiteral("[&B]현장"), Browse | New | Edit, [this] { openSites(); });

    auto* title = new QLabel(QStringLiteral("수 주 관 리"), this);
    title->setObjectName(QStringLiteral("title_panel"));
    title->setAlignment(Qt::AlignCenter);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    static_cast<QVBoxLayout*>(layout())->insertWidget(1, title);

    // Key fields. The date stays usable in every state.
    addField({.name = QStringLiteral("HY01"), .label = QStringLiteral("일       자"), .kind = FieldKind::Date,
              .onKey = [this](QKeyEvent* e) { return dateKey(e); }, .free = true});
    addField({.name = QStringLiteral("HY02"), .label = QStringLiteral("순       번"), .kind = FieldKind::Code,
              .width = 2, .onEnter = [this] { return numberEntered(); }, .key = true, .sameLine = true});
    connect(field(QStringLiteral("HY01")), &Field::datePicked, this, [this] { run([this] { dateChosen(); }); });

    // Customer and site: only the two codes are typed.
    const auto shown = [](const char* name, const QString& label, int width, bool sameLine = false) {
        return FieldSpec{.name = QLatin1String(name), .label = label, .width = width, .readOnly = true,
                         .free = true, .sameLine = sameLine};
    };
    beginSection(QStringLiteral("custpan"), QStringLiteral("거래처 / 현장"));
    addField({.name = QStringLiteral("HY03"), .label = QStringLiteral("거  래  처"), .kind = FieldKind::Upper,
              .width = 4, .onEnter = [this] { return customerEntered(); }});
    addField(shown("hy04", {}, 30, true));
    addField({.name = QStringLiteral("HY05"), .label = QStringLiteral("현       장"), .kind = FieldKind::Code,
              .width = 3, .onEnter = [this] { return siteEntered(); }});
    addField(shown("HY06", {}, 40, true));
    addField(shown("HY07", QStringLiteral("관.민수 구분"), 6));
    addField(shown("HY10", QStringLiteral("미 수 구 분"), 8, true));
    addField(shown("HY13", QStringLiteral("부가세 구분"), 4, true));
    addField(shown("HY08", QStringLiteral("담  당  자"), 10));
    addField(shown("HY11", QStringLiteral("연  락  처"), 20, true));
    addField(shown("HY12", QStringLiteral("계 약 일 자"), 10));
    addField({.name = QStringLiteral("hy14"), .label = QStringLiteral("계  약  율"), .kind = FieldKind::Number,
              .width = 6, .mask = QStringLiteral("#,##0.0"), .readOnly = true, .free = true, .sameLine = true});
    addField(shown("HY15", QStringLiteral("등       급"), 2, true));
    addField(shown("HY16", QStringLiteral("시  공  자"), 30));
    addField(shown("HY17", QStringLiteral("수 요 기 관"), 20));
    addField(shown("HY18", {}, 15, true));
    addField(shown("HY09", QStringLiteral("메       모"), 40));
    endSection();

    // The order.
    beginSection(QStringLiteral("sujupan"), QStringLiteral("수주 내역"));
    const QStringList comboLabels = {QStringLiteral("시멘트종류"), QStringLiteral("골 재 종 류"),
                                     QStringLiteral("제 품 구 분"), QStringLiteral("콘크리트종류")};
    for (int i = 0; i < 4; ++i)
        addList({.name = kComboNames.at(i), .label = comboLabels.at(i), .kind = FieldKind::List, .editable = true,
                 .sameLine = i % 2 == 1, .pixels = 150});
    addField({.name = QStringLiteral("E_hon"), .label = QStringLiteral("혼 화 재 률"), .width = 20});
    addField({.name = QStringLiteral("HY24"), .label = QStringLiteral("첫차시간"), .kind = FieldKind::Time,
              .sameLine = true});
    addField({.name = QStringLiteral("HY25"), .label = QStringLiteral("거       리"), .kind = FieldKind::Number,
              .width = 6, .mask = QStringLiteral("#,##0"), .onEnter = [this] {
                  list(QStringLiteral("hy37"))->setFocus();
                  return false;
              }});
    addList({.name = QStringLiteral("hy37"), .label = QStringLiteral("승  인"), .kind = FieldKind::List,
             .items = {QStringLiteral("OK"), QStringLiteral("NO")}, .sameLine = true});
    // Temperature is read with the order but kept by the plant.
    addField({.name = QStringLiteral("HY26"), .kind = FieldKind::Number, .readOnly = true})->hide();
    addField({.name = QStringLiteral("HY27"), .label = QStringLiteral("메       모"), .width = 30});
    addField({.name = QStringLiteral("HY28"), .label = QStringLiteral("위     치"), .width = 50});
    addField({.name = QStringLiteral("HY29"), .label = QStringLiteral("규격코드"), .kind = FieldKind::Upper,
              .width = 4, .onEnter = [this] { return specEntered(); }});
    addField(shown("HY30", {}, 10, true));
    addField(shown("hy38", {}, 10, true));
    addField({.name = QStringLiteral("HY31"), .label = QStringLiteral("수 주 량"), .kind = FieldKind::Number,
              .width = 10, .mask = QStringLiteral("#,##0.00#"), .onEnter = [this] { return quantityEntered(); }});
    addField({.name = QStringLiteral("HY32"), .label = QStringLiteral("단   가"), .kind = FieldKind::Number,
              .width = 10, .mask = QStringLiteral("#,##0"), .sameLine = true});
    addField({.name = QStringLiteral("hy36"), .label = QStringLiteral("구분"), .kind = FieldKind::Upper, .width = 1,
              .onEnter = [this] {
                  button(QStringLiteral("savbtn"))->setFocus();
                  return false;
              },
              .onKey = [this](QKeyEvent* e) { return vatKey(e); }, .sameLine = true});
    for (const auto& [name, label] : {std::pair{"HY33", "계약금액"}, {"HY34", "출하금액"}, {"HY35", "미출하금액"}})
        addField({.name = QLatin1String(name), .label = QString::fromUtf8(label), .kind = FieldKind::Number,
                  .width = 14, .mask = QStringLiteral("#,##0"), .readOnly = true, .free = true,
                  .sameLine = qstrcmp(name, "HY33") != 0});
    endSection();

    // The three pages: contract, shipped sales, the day's orders.
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    auto* contractPage = new QWidget(PageControl1);
    auto* contractLayout = new QVBoxLayout(contractPage);
    gridhord = new DataGrid(QStringLiteral("gridhord"), contractPage);
    gridhord->setColumns(contractColumns(false));
    gridhord1 = new DataGrid(QStringLiteral("gridhord1"), contractPage);
    gridhord1->setColumns(contractColumns(true));
    gridhord1->setTotalsLine(true);
    contractLayout->addWidget(gridhord, 1);
    contractLayout->addWidget(gridhord1, 1);
    PageControl1->addTab(contractPage, QStringLiteral("관수"));

    gridhord2 = new DataGrid(QStringLiteral("gridhord2"), PageControl1);
    gridhord2->setColumns({{QStringLiteral("REMI_CODE"), QStringLiteral("코드"), 50},
                           {QStringLiteral("STANDARD"), QStringLiteral("규격"), 90},
                           {QStringLiteral("kind"), QStringLiteral("종  류"), 70},
                           {QStringLiteral("m3"), QStringLiteral("수  량"), 80, QStringLiteral("#,##0.00"), false, 0,
                            false, true},
                           {QStringLiteral("kum"), QStringLiteral("금  액"), 100, QStringLiteral("#,##0"), false, 0,
                            false, true},
                           {QStringLiteral("vatkum"), QStringLiteral("세  액"), 90, QStringLiteral("#,##0"), false, 0,
                            false, true},
                           {QStringLiteral("hap"), QStringLiteral("합  계"), 100, QStringLiteral("#,##0"), false, 0,
                            false, true}});
    PageControl1->addTab(gridhord2, QStringLiteral("민수"));

    gridhord3 = new DataGrid(QStringLiteral("gridhord3"), PageControl1);
    gridhord3->setColumns({{QStringLiteral("SEQ"), QStringLiteral("순번"), 36},
                           {QStringLiteral("V_INOUT"), QStringLiteral("거래처명"), 110},
                           {QStringLiteral("V_STATION"), QStringLiteral("현장명"), 120},
                           {QStringLiteral("remi_code"), QStringLiteral("규격코드"), 60},
                           {QStringLiteral("V_rule"), QStringLiteral("규격명"), 80},
                           {QStringLiteral("v_okno"), QStringLiteral("승  인"), 40},
                           {QStringLiteral("ORDER_M3"), QStringLiteral("수주량"), 70, QStringLiteral("#,##0.00")},
                           {QStringLiteral("DANGA"), QStringLiteral("단가"), 70, QStringLiteral("#,##0")},
                           {QStringLiteral("TIME_"), QStringLiteral("도착예정"), 60},
                           {QStringLiteral("GROUND"), QStringLiteral("위치"), 100},
                           {QStringLiteral("DIST"), QStringLiteral("거리"), 40},
                           {QStringLiteral("MEMO"), QStringLiteral("메모"), 100}});
    PageControl1->addTab(gridhord3, QStringLiteral("금일 수주 현황"));
    PageControl1->setCurrentWidget(gridhord3);
    PageControl1->setMinimumWidth(560);
    body()->addWidget(PageControl1, 1);

    connect(gridhord3, &DataGrid::recordClicked, this, [this](int r) { run([this, r] { orderClicked(r); }); });
    connect(gridhord3, &DataGrid::recordActivated, this, [this](int r) { run([this, r] { orderClicked(r); }); });
    connect(gridhord, &DataGrid::recordClicked, this, [this](int r) { run([this, r] { showDetail(r); }); });

    addStatusPanel(QStringLiteral("문의: 전산실"));
    resize(1280, 760);
}

void Tsuju_f::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (opened_)
        return;
    opened_ = true;
    run([this] {
        field(QStringLiteral("HY01"))->setDate(QDate::currentDate());
        field(QStringLiteral("HY02"))->clear();
        emptyFields();
        setState(Browse);
        fillCombos();
        reloadDay();
        button(QStringLiteral("newbtn"))->setFocus();
    });
}

// --- fields and tabs -------------------------------------------------------------

void Tsuju_f::emptyFields()
{
    const QString day = field(QStringLiteral("HY01"))->value();
    const QString seq = field(QStringLiteral("HY02"))->value();
    clearFields();
    field(QStringLiteral("HY01"))->setValue(day);
    field(QStringLiteral("HY02"))->setValue(seq);
    for (const QString& name : kComboNames)
        list(name)->setEditText(QString());
    for (const char* name : {"hy14", "HY25", "HY26", "HY31", "HY32", "HY33", "HY34", "HY35"})
        field(QLatin1String(name))->setNumber(0);
    field(QStringLiteral("HY24"))->setValue(QStringLiteral("00:00"));
    list(QStringLiteral("hy37"))->setValue(QStringLiteral("OK"));
    kawnSa_.clear();
    julsa_.clear();
    loadedIlja_.clear();
    loadedSeq_.clear();
    setRowShown(false);
    emptyTabs();
}

void Tsuju_f::emptyTabs()
{
    gridhord->rows()->clear();
    gridhord1->rows()->clear();
    gridhord2->rows()->clear();
    gridhord2->setTotalsLine(false);
}

void Tsuju_f::fillCombos()
{
    for (int i = 0; i < 4; ++i) {
        ListField* l = list(kComboNames.at(i));
        const QString typed = l->currentText();
        l->clear();
        l->addItems(Orders::usedValues(kComboColumns.at(i)));
        l->setEditText(typed);
    }
}

void Tsuju_f::reloadDay()
{
    gridhord3->load(Orders::dayOrders(field(QStringLiteral("HY01"))->value()));
}

bool Tsuju_f::publicContract() const { return field(QStringLiteral("HY07"))->value() == kPublicContract; }

void Tsuju_f::showOrder(const LoadedOrder& l, bool fromGrid)
{
    const OrderRow& o = l.order;
    field(QStringLiteral("HY01"))->setValue(o.ilja);
    field(QStringLiteral("HY02"))->setValue(o.seq);
    field(QStringLiteral("HY03"))->setValue(o.grcd);
    field(QStringLiteral("hy04"))->setValue(o.v_inout);
    field(QStringLiteral("HY05"))->setValue(o.code);
    field(QStringLiteral("HY06"))->setValue(o.v_station);
    field(QStringLiteral("HY24"))->setValue(o.time_);
    field(QStringLiteral("HY25"))->setNumber(o.dist);
    list(QStringLiteral("hy37"))->setValue(o.v_okno);
    field(QStringLiteral("HY27"))->setValue(o.memo);
    field(QStringLiteral("HY28"))->setValue(o.ground);
    field(QStringLiteral("HY29"))->setValue(o.remi_code);
    field(QStringLiteral("HY30"))->setValue(o.v_rule);
    field(QStringLiteral("hy38"))->setValue(o.kind);
    field(QStringLiteral("HY31"))->setNumber(o.order_m3);
    field(QStringLiteral("HY32"))->setNumber(o.danga);
    field(QStringLiteral("HY26"))->setNumber(o.ondo);
    const QStringList values = {o.cement, o.gravel, o.japum, o.con};
    for (int i = 0; i < 4; ++i)
        list(kComboNames.at(i))->setValue(values.at(i));
    field(QStringLiteral("E_hon"))->setValue(o.v_hon);

    field(QStringLiteral("HY08"))->setValue(l.siteMan);
    field(QStringLiteral("HY09"))->setValue(l.siteMemo);
    field(QStringLiteral("HY11"))->setValue(l.groundTel);
    field(QStringLiteral("HY12"))->setValue(l.contractDate);
    field(QStringLiteral("hy14"))->setNumber(l.orderNul);
    field(QStringLiteral("HY15"))->setValue(l.rank);
    field(QStringLiteral("HY16"))->setValue(l.build);
    field(QStringLiteral("HY17"))->setValue(l.gover);
    field(QStringLiteral("HY18"))->setValue(l.goverNum);
    kawnSa_ = l.kawnSa;
    julsa_ = l.julsa;

    // By number the VAT comes from the customer as it is now; from the grid
    // it is the order's own, and unknown codes leave the labels alone.
    const QString vat = fromGrid ? o.vat : l.customerVat;
    const QStringList classes = {QStringLiteral("K"), QStringLiteral("L"), QStringLiteral("S"), QStringLiteral("T")};
    if (!fromGrid || classes.contains(l.kawnSa))
        field(QStringLiteral("HY07"))->setValue(Orders::classLabel(l.kawnSa));
    if (!fromGrid || vat == QLatin1String("V") || vat == QLatin1String("N") || vat == QLatin1String("X")) {
        field(QStringLiteral("HY13"))->setValue(Orders::vatLabel(vat));
        field(QStringLiteral("hy36"))->setValue(vat);
    }
    if (!fromGrid || l.siteMisu == QLatin1String("H") || l.siteMisu == QLatin1String("G"))
        field(QStringLiteral("HY10"))->setValue(Orders::misuLabel(l.siteMisu));

    loadedIlja_ = o.ilja;
    loadedSeq_ = o.seq;
    setRowShown(true);
}

void Tsuju_f::showContract(const QString& grcd, const QString& code)
{
    fillContractGrid(gridhord, Orders::contractSummary(grcd, code));
    gridhord1->rows()->clear();
}

void Tsuju_f::showDetail(int record)
{
    if (record < 0 || record >= gridhord->rows()->size())
        return;
    fillContractGrid(gridhord1, Orders::contractDetail(field(QStringLiteral("HY03"))->value(),
                                                       field(QStringLiteral("HY05"))->value(),
                                                       gridhord->rows()->text(record, QStringLiteral("STANDARD"))));
}

void Tsuju_f::showShippedSales(const QString& grcd, const QString& code, bool withSums)
{
    gridhord2->load(Orders::shippedSales(grcd, code));
    gridhord2->setTotalsLine(withSums);
}

void Tsuju_f::showMoney(const ContractMoney& m)
{
    field(QStringLiteral("HY33"))->setNumber(m.contract);
    field(QStringLiteral("HY34"))->setNumber(m.shipped);
    field(QStringLiteral("HY35"))->setNumber(m.unshipped);
}

OrderRow Tsuju_f::typedOrder() const
{
    OrderRow o;
    o.ilja = field(QStringLiteral("HY01"))->value();
    o.seq = field(QStringLiteral("HY02"))->value();
    o.grcd = field(QStringLiteral("HY03"))->value();
    o.v_inout = field(QStringLiteral("hy04"))->value();
    o.code = field(QStringLiteral("HY05"))->value();
    o.v_station = field(QStringLiteral("HY06"))->value();
    o.time_ = field(QStringLiteral("HY24"))->value();
    o.saup = session().SessionSaup;
    o.dist = field(QStringLiteral("HY25"))->number();
    o.v_okno = list(QStringLiteral("hy37"))->value();
    o.memo = field(QStringLiteral("HY27"))->value();
    o.ground = field(QStringLiteral("HY28"))->value();
    o.remi_code = field(QStringLiteral("HY29"))->value();
    o.v_rule = field(QStringLiteral("HY30"))->value();
    o.kind = field(QStringLiteral("hy38"))->value();
    o.order_m3 = field(QStringLiteral("HY31"))->number();
    o.danga = field(QStringLiteral("HY32"))->number();
    o.vat = field(QStringLiteral("hy36"))->value();
    o.cement = list(QStringLiteral("hy20"))->value();
    o.gravel = list(QStringLiteral("hy21"))->value();
    o.japum = list(QStringLiteral("hy22"))->value();
    o.con = list(QStringLiteral("hy23"))->value();
    o.v_hon = field(QStringLiteral("E_hon"))->value();
    return o;
}

// --- keys ------------------------------------------------------------------------

bool Tsuju_f::dateKey(QKeyEvent* e)
{
    if (!isEnter(e))
        return false;
    Field* day = field(QStringLiteral("HY01"));
    Kit::commitInput(day);
    if (!day->date().isValid())
        return true;
    reloadDay();
    Field* number = field(QStringLiteral("HY02"));
    number->setValue(Orders::nextNumber(day->value()));
    if (number->isEnabled())
        number->setFocus();
    return true;
}

void Tsuju_f::dateChosen()
{
    emptyFields();
    reloadDay();
}

bool Tsuju_f::numberEntered()
{
    Field* number = field(QStringLiteral("HY02"));
    if (number->value().isEmpty())
        return true;
    number->setValue(PadDigits(number->value(), 2));
    if (const std::optional<LoadedOrder> l = Orders::load(field(QStringLiteral("HY01"))->value(), number->value()))
        showOrder(*l, false);
    return true;
}

bool Tsuju_f::customerEntered()
{
    Session& s = session();
    s.LookupKey = field(QStringLiteral("HY03"))->value();
    if (!RunCodeLookup(CodeLookup::Customer))
        return false;
    field(QStringLiteral("HY03"))->setValue(s.LookupKey);
    field(QStringLiteral("hy04"))->setValue(s.LookupName);
    Customers::Customer c;
    Customers::load(s.LookupKey, c);
    const QString grade = Orders::gradeMessage(c.rank);
    if (!grade.isEmpty())
        Messages::info(this, grade);
    kawnSa_ = s.LookupAux2;
    julsa_ = s.LookupAux3;
    field(QStringLiteral("HY07"))->setValue(Orders::classLabel(s.LookupAux2));
    field(QStringLiteral("HY13"))->setValue(Orders::vatLabel(s.LookupAux1));
    field(QStringLiteral("hy36"))->setValue(Orders::vatOfLabel(Orders::vatLabel(s.LookupAux1)));
    field(QStringLiteral("HY15"))->setValue(c.rank);
    field(QStringLiteral("HY05"))->setFocus();
    return false;
}

bool Tsuju_f::siteEntered()
{
    Session& s = session();
    gridhord2->rows()->clear();
    const QString grcd = field(QStringLiteral("HY03"))->value();
    s.LookupAux1 = grcd;
    s.LookupKey = field(QStringLiteral("HY05"))->value();
    if (!RunCodeLookup(CodeLookup::Site))
        return false;
    const QString code = s.LookupKey;
    field(QStringLiteral("HY05"))->setValue(code);
    field(QStringLiteral("HY06"))->setValue(s.LookupName);
    Sites::Site site;
    Sites::load(grcd, code, site);
    field(QStringLiteral("HY10"))->setValue(Orders::misuLabel(site.misu));
    field(QStringLiteral("HY09"))->setValue(site.memo);
    field(QStringLiteral("HY11"))->setValue(site.groundTel);
    field(QStringLiteral("HY12"))->setValue(site.ilja);
    field(QStringLiteral("hy14"))->setNumber(site.orderNul);
    field(QStringLiteral("HY16"))->setValue(site.build);
    field(QStringLiteral("HY17"))->setValue(site.gover);
    field(QStringLiteral("HY18"))->setValue(site.goverNum);
    field(QStringLiteral("HY08"))->setValue(site.manName);
    if (publicContract()) {
        const QList<ContractLine> summary = Orders::contractSummary(grcd, code);
        fillContractGrid(gridhord, summary);
        gridhord1->rows()->clear();
        showMoney(Orders::moneyOnSitePick(grcd, code, summary));
        PageControl1->setCurrentIndex(0);
    } else {
        showShippedSales(grcd, code, false);
        showMoney({});
        PageControl1->setCurrentIndex(1);
    }
    field(QStringLiteral("HY24"))->setFocus();
    return false;
}

bool Tsuju_f::specEntered()
{
    Session& s = session();
    const QString grcd = field(QStringLiteral("HY03"))->value();
    const QString code = field(QStringLiteral("HY05"))->value();
    Field* spec = field(QStringLiteral("HY29"));
    s.LookupKey = spec->value();
    int kind = CodeLookup::Spec;
    if (publicContract() && spec->value().isEmpty()) {
        s.LookupCustomer = grcd;
        s.LookupSite = code;
        kind = CodeLookup::SiteSpec;
    }
    if (!RunCodeLookup(kind))
        return false;
    spec->setValue(s.LookupKey);
    field(QStringLiteral("HY30"))->setValue(s.LookupName);
    field(QStringLiteral("hy38"))->setValue(s.LookupAux2);

    AmountRule::PriceBasis basis;
    basis.kawnSa = kawnSa_;
    basis.julsa = julsa_;
    basis.orderNul = field(QStringLiteral("hy14"))->number();
    basis.kwanDanga = s.LookupPublicPrice;
    basis.saDanga = s.LookupPrivatePrice;
    const QString vat = Orders::vatOfLabel(field(QStringLiteral("HY13"))->value());
    if (const std::optional<double> price = Orders::proposePrice(grcd, code, s.LookupKey, basis, vat))
        field(QStringLiteral("HY32"))->setNumber(*price);
    if (publicContract())
        showMoney(Orders::moneyOnSpecPick(grcd, code));
    field(QStringLiteral("HY31"))->setFocus();
    return false;
}

bool Tsuju_f::quantityEntered()
{
    if (!publicContract())
        return true;
    Field* quantity = field(QStringLiteral("HY31"));
    const std::optional<double> fitted = Orders::fittedQuantity(
        quantity->number(), field(QStringLiteral("HY32"))->number(), field(QStringLiteral("HY35"))->number());
    if (!fitted)
        return true;
    Messages::info(this, QStringLiteral("미출하금액을 초과하여 수량이 변경됩니다.\n다시 확인 하시오"),
                   QStringLiteral("정보메세지"));
    quantity->setNumber(*fitted);
    return false;
}

// The order's VAT code: V, N or X (lower case turns upper).
bool Tsuju_f::vatKey(QKeyEvent* e)
{
    const QString t = e->text().toUpper();
    if (t.size() != 1 || !t.at(0).isLetterOrNumber())
        return false;
    if (t == QLatin1String("V") || t == QLatin1String("N") || t == QLatin1String("X")) {
        Field* vat = field(QStringLiteral("hy36"));
        vat->setValue(t);
        field(QStringLiteral("HY13"))->setValue(Orders::vatLabel(t));
    }
    return true;
}

// --- buttons and clicks -----------------------------------------------------------

void Tsuju_f::startNew()
{
    field(QStringLiteral("HY02"))->clear();
    emptyFields();
    list(QStringLiteral("hy20"))->setValue(QStringLiteral("포틀랜드1종"));
    list(QStringLiteral("hy21"))->setValue(QStringLiteral("보통콘크리트"));
    list(QStringLiteral("hy22"))->setValue(QStringLiteral("AE감수제표준형"));
    list(QStringLiteral("hy23"))->setEditText(QString());
    setState(New);
    field(QStringLiteral("HY01"))->setFocus();
}

void Tsuju_f::startEdit()
{
    setState(Edit);
    field(QStringLiteral("HY03"))->setFocus();
}

void Tsuju_f::askDelete()
{
    const State was = state();
    setState(Delete);
    if (!Messages::confirm(this, QStringLiteral("삭제하겠습니까?"))) {
        setState(was);
        return;
    }
    if (!run([this] { Orders::remove(field(QStringLiteral("HY01"))->value(), field(QStringLiteral("HY02"))->value()); })) {
        setState(was);
        return;
    }
    field(QStringLiteral("HY02"))->clear();
    emptyFields();
    setState(Browse);
    reloadDay();
}

void Tsuju_f::save()
{
    const OrderRow o = typedOrder();
    const bool loaded = !loadedSeq_.isEmpty() && loadedIlja_ == o.ilja && loadedSeq_ == o.seq;
    const Orders::SaveResult r = Orders::save(o, loaded, [this] {
        return Messages::confirm(this, QStringLiteral("자료가 이미 존재합니다.\n 갱신하시겠습니까?"));
    });
    switch (r) {
    case Orders::SaveResult::MissingKeys:
    case Orders::SaveResult::NumberTaken:
        Messages::info(this, Orders::message(r));
        return;
    case Orders::SaveResult::Declined:
        return;
    case Orders::SaveResult::Inserted:
    case Orders::SaveResult::Updated:
        break;
    }
    field(QStringLiteral("HY02"))->clear();
    emptyFields();
    setState(Browse);
    fillCombos();
    reloadDay();
    button(QStringLiteral("newbtn"))->setFocus();
}

void Tsuju_f::cancel()
{
    field(QStringLiteral("HY02"))->clear();
    emptyFields();
    setState(Browse);
}

void Tsuju_f::print()
{
    session().IsoCode = 1;
    ReportOutput::run(this, QStringLiteral("qr_suju_f1"), {{QStringLiteral("date"), field(QStringLiteral("HY01"))->value()}});
}

void Tsuju_f::openCustomers()
{
    TCUSTOMER_F customers(this);
    Kit::execModal(&customers);
}

void Tsuju_f::openSites()
{
    THYUNJANG_F sites(this);
    Kit::execModal(&sites);
}

void Tsuju_f::orderClicked(int record)
{
    if (record < 0 || record >= gridhord3->rows()->size()) {
        field(QStringLiteral("HY02"))->clear();
        emptyFields();
        return;
    }
    const std::optional<LoadedOrder> l =
        Orders::load(field(QStringLiteral("HY01"))->value(), gridhord3->rows()->text(record, QStringLiteral("SEQ")));
    if (!l)
        return;
    emptyTabs();
    showOrder(*l, true);
    const QString grcd = l->order.grcd, code = l->order.code;
    if (publicContract()) {
        showContract(grcd, code);
        showMoney(Orders::moneyOnOrderClick(grcd, code));
    } else {
        showShippedSales(grcd, code, true);
        showMoney({});
    }
}
