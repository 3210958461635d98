#include "masters/ui/TSIZE_F.h"
#include "data/Routines.h"
#include "dialogs/CalendarDlg.h"
#include "masters/ui/Tsizefind_f.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/NumberMask.h"

#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

const QString kPriceMask = QStringLiteral("#,##0.##");

QString today() { return QDate::currentDate().toString(QStringLiteral("yyyy-MM-dd")); }

QString maskOf(const QString& column)
{
    return Specs::isIntegerColumn(column) ? QStringLiteral("#,##0") : QStringLiteral("#,##0.##");
}

// Text columns of a version shown in the detail fields, with their field.
const QList<QPair<QString, QString>> kTextFields = {
    {"remi_code", "edt_code"}, {"ilja", "edt_ilja"},     {"kind", "edt_kind"},       {"standard", "edt_standard"},
    {"rul_ks", "edt_ks"},      {"gover_num", "edt_num"}, {"cement1", "edt_cement1"}, {"cement2", "edt_cement2"},
    {"ad1", "edt_hon"},        {"ad2", "edt_ad"},        {"kong", "edt_kong"},       {"yeom", "edt_yeom"},
    {"gubun", "edt_gubun"},
};

QString numberFieldName(const QString& column)
{
    static const QMap<QString, QString> fixed = {
        {"wc", "edt_wc"},       {"sa", "edt_sa"},       {"slg", "edt_slg"},           {"water_1", "edt_w1"},
        {"water_2", "edt_w2"},  {"sa_danga", "edt_sdanga"}, {"kwan_danga", "edt_kdanga"},
    };
    if (fixed.contains(column))
        return fixed.value(column);
    static const QMap<QString, QString> prefix = {{"cement", "c"}, {"sand", "s"}, {"gravel", "g"}, {"ad", "ad"}};
    const int us = int(column.lastIndexOf(QLatin1Char('_')));
    return QStringLiteral("edt_") + prefix.value(column.left(us)) + column.mid(us + 1);
}

} // namespace

TSIZE_F::TSIZE_F(QWidget* parent)
    : EntryForm(QStringLiteral("TSIZE_F"), QStringLiteral("규격 관리"), parent)
{
    gridhord = new DataGrid(QStringLiteral("gridhord"), this);
    gridhord1 = new DataGrid(QStringLiteral("gridhord1"), this);
    gridhord->setColumns(gridColumns(gridhord));
    gridhord1->setColumns(gridColumns(gridhord1));

    declareButtons();
    declareFields();

    // Grids above, the detail fields under them.
    auto* lowerBar = new QHBoxLayout;
    lowerBar->addWidget(new QLabel(QStringLiteral("규격별 단가 이력"), this));
    lowerBar->addStretch();
    for (QPushButton* b : {verAdd_, verEdit_, verDelete_, verSave_, verCancel_})
        lowerBar->addWidget(b);
    auto* column = new QVBoxLayout;
    column->addWidget(gridhord, 3);
    column->addLayout(lowerBar);
    column->addWidget(gridhord1, 2);
    QWidget* fields = fieldPanel();
    body()->removeWidget(fields);
    column->addWidget(fields);
    body()->addLayout(column, 1);

    connect(gridhord, &DataGrid::currentRecordChanged, this, [this](int record) {
        if (mode_ == Mode::Browse && record >= 0)
            run([&] { loadLower(gridhord->rows()->text(record, "remi_code")); });
        else if (mode_ == Mode::NewSpec && boundGrid_ == gridhord && record != boundRecord_)
            gridhord->setCurrentRecord(boundRecord_);
    });
    connect(gridhord1, &DataGrid::currentRecordChanged, this, [this](int record) {
        if (mode_ == Mode::VersionChanged && boundGrid_ == gridhord1 && record != boundRecord_)
            gridhord1->setCurrentRecord(boundRecord_);
    });
    const auto show = [this](int record) {
        if (mode_ == Mode::Browse && record >= 0)
            run([&] { showRecord(record); });
    };
    connect(gridhord1, &DataGrid::recordClicked, this, show);
    connect(gridhord1, &DataGrid::recordActivated, this, show);
    for (DataGrid* g : {gridhord, gridhord1})
        connect(g->rows(), &QAbstractItemModel::dataChanged, this, [this, g] {
            if (g == boundGrid_)
                gridToFields();
        });

    setMode(Mode::Browse);
    resize(1240, 820);
}

QList<GridColumn> TSIZE_F::gridColumns(DataGrid* grid)
{
    const bool lower = grid == gridhord1;
    QList<GridColumn> cols;
    const auto text = [&](const QString& field, const QString& title, int width, int maxLength, bool key = false) {
        cols << GridColumn{.field = field, .title = title, .width = width, .editable = !(lower && key),
                           .maxLength = maxLength};
    };
    text("REMI_CODE", QStringLiteral("코드"), 48, 4, true);
    cols.last().onEnter = [this, grid](int record) { return gridCodeEntered(grid, record); };
    text("ilja", QStringLiteral("일자"), 84, 10, true);
    cols.last().onEnter = [this, grid](int record) { return gridDateEntered(grid, record); };
    text("kind", QStringLiteral("품명"), 70, 10);
    text("STANDARD", QStringLiteral("규격"), 84, 10);
    text("rul_ks", QStringLiteral("KS"), 44, 10);
    text("GOVER_NUM", QStringLiteral("정부물품번호"), 90, 15);
    const auto mix = [&](const QString& field, const QString& title) {
        cols << GridColumn{.field = field, .title = title, .width = 44, .mask = maskOf(field.toLower()),
                           .editable = true};
    };
    mix("CEMENT_1", QStringLiteral("시멘트\n1"));
    mix("CEMENT_2", QStringLiteral("시멘트\n2"));
    mix("CEMENT_3", QStringLiteral("시멘트\n3"));
    mix("SAND_1", QStringLiteral("모래\n1"));
    mix("SAND_2", QStringLiteral("모래\n2"));
    mix("GRAVEL_1", QStringLiteral("자갈\n1"));
    mix("GRAVEL_2", QStringLiteral("자갈\n2"));
    mix("GRAVEL_3", QStringLiteral("자갈\n3"));
    mix("SAND_3", QStringLiteral("자갈\n4"));
    mix("WATER_1", QStringLiteral("물\n1"));
    mix("WATER_2", QStringLiteral("물\n2"));
    mix("AD_1", QStringLiteral("혼화제\n1"));
    mix("AD_2", QStringLiteral("혼화제\n2"));
    mix("AD_3", QStringLiteral("혼화제\n3"));
    cols << GridColumn{.field = "KWAN_DANGA", .title = QStringLiteral("관급단가"), .width = 76, .mask = kPriceMask,
                       .editable = true};
    cols << GridColumn{.field = "SA_DANGA", .title = QStringLiteral("사급단가"), .width = 76, .mask = kPriceMask,
                       .editable = true};
    // The end of the row leads to the save button of the state.
    cols.last().onEnter = [this, lower](int) {
        QPushButton* save = lower ? verSave_ : button(QStringLiteral("savbtn"));
        if (save->isEnabled())
            save->setFocus();
        return 0;
    };
    if (lower)
        cols << GridColumn{.field = "gubun", .title = QStringLiteral("구분"), .width = 40};
    return cols;
}

void TSIZE_F::declareButtons()
{
    addButton(QStringLiteral("newbtn"), QStringLiteral("&1.등록"), Browse, [this] { newSpec(); });
    addButton(QStringLiteral("delbtn"), QStringLiteral("&2.삭제"), Browse, [this] { deleteSpec(); });
    addButton(QStringLiteral("findbtn"), QStringLiteral("&3.조회"), Browse, [this] { findSpecs(); });
    addButton(QStringLiteral("prnbtn"), QStringLiteral("&4.출력"), Browse, [this] { printList(); });
    addButton(QStringLiteral("savbtn"), QStringLiteral("&5.저장"), New, [this] { saveSpec(); });
    addButton(QStringLiteral("canbtn"), QStringLiteral("&6.취소"), New, [this] { cancelSpec(); });
    addCloseButton(QStringLiteral("clsbtn"), QStringLiteral("&7.닫기"));

    const auto versionButton = [this](const QString& name, const QString& caption, void (TSIZE_F::*handler)()) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, [this, handler] { run([&] { (this->*handler)(); }); });
        return b;
    };
    verAdd_ = versionButton(QStringLiteral("ver_add"), QStringLiteral("추가"), &TSIZE_F::addVersion);
    verEdit_ = versionButton(QStringLiteral("ver_edit"), QStringLiteral("수정"), &TSIZE_F::changeVersion);
    verDelete_ = versionButton(QStringLiteral("ver_delete"), QStringLiteral("삭제"), &TSIZE_F::deleteVersion);
    verSave_ = versionButton(QStringLiteral("ver_save"), QStringLiteral("저장"), &TSIZE_F::saveVersion);
    verCancel_ = versionButton(QStringLiteral("ver_cancel"), QStringLiteral("취소"), &TSIZE_F::cancelVersion);
}

void TSIZE_F::declareFields()
{
    // Down moves on like Enter (without the field's check), Up moves back.
    const auto arrows = [this](const QString& name) {
        return [this, name](QKeyEvent* e) {
            if (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
                return false;
            if (e->key() != Qt::Key_Down && e->key() != Qt::Key_Up)
                return false;
            QWidget* w = findChild<QWidget*>(name);
            if (!w)
                return false;
            if (e->key() == Qt::Key_Down)
                focusNext(w);
            else
                focusPrevious(w);
            return true;
        };
    };
    const auto text = [&](const QString& column, FieldSpec spec) {
        spec.onKey = arrows(spec.name);
        Field* f = addField(spec);
        byColumn_.insert(column, f);
        connect(f, &QLineEdit::textEdited, this, [this, column] { fieldToGrid(column); });
        return f;
    };
    const auto number = [&](const QString& column, bool sameLine) {
        text(column, {.name = numberFieldName(column), .label = Specs::numberLabel(column),
                      .kind = FieldKind::Number, .width = 9, .mask = maskOf(column), .sameLine = sameLine});
    };
    const auto choice = [&](const QString& column, FieldSpec spec) {
        spec.kind = FieldKind::List;
        spec.onKey = arrows(spec.name);
        ListField* l = addList(spec);
        l->setMinimumWidth(130);
        if (l->lineEdit() && spec.width > 0)
            l->lineEdit()->setMaxLength(spec.width);
        byColumn_.insert(column, l);
        connect(l, &QComboBox::currentTextChanged, this, [this, column] { fieldToGrid(column); });
        return l;
    };

    text("remi_code", {.name = "edt_code", .label = QStringLiteral("코드"), .kind = FieldKind::Code, .width = 4,
                       .onEnter = [this] { return codeEntered(); }, .key = true});
    text("ilja", {.name = "edt_ilja", .label = QStringLiteral("일자"), .kind = FieldKind::Date, .key = true,
                  .sameLine = true});
    text("kind", {.name = "edt_kind", .label = QStringLiteral("품명"), .width = 10, .sameLine = true});
    text("standard", {.name = "edt_standard", .label = QStringLiteral("규격"), .width = 10, .sameLine = true});
    choice("rul_ks", {.name = "edt_ks", .label = QStringLiteral("KS"), .items = {"KS", QStringLiteral("비KS")},
                      .sameLine = true})
        ->setMinimumWidth(70);
    text("gover_num", {.name = "edt_num", .label = QStringLiteral("물품번호"), .width = 15, .sameLine = true});
    text("gubun", {.name = "edt_gubun", .label = QStringLiteral("구분"), .width = 1, .readOnly = true,
                   .sameLine = true, .pixels = 30});

    number("wc", false);
    number("sa", true);
    number("slg", true);
    for (const char* m : {"cement", "sand", "gravel", "ad"})
        for (int i = 1; i <= 6; ++i)
            number(QStringLiteral("%1_%2").arg(QLatin1String(m)).arg(i), i > 1);
    number("water_1", false);
    number("water_2", true);
    number("sa_danga", true);
    number("kwan_danga", true);

    choice("cement1", {.name = "edt_cement1", .label = QStringLiteral("시멘트1"), .width = 20, .editable = true});
    choice("cement2", {.name = "edt_cement2", .label = QStringLiteral("시멘트2"), .width = 20, .editable = true,
                       .sameLine = true});
    choice("ad1", {.name = "edt_hon", .label = QStringLiteral("혼합재료"), .width = 20, .editable = true,
                   .sameLine = true});
    choice("ad2", {.name = "edt_ad", .label = QStringLiteral("혼화제"), .width = 20, .editable = true,
                   .sameLine = true});
    choice("kong", {.name = "edt_kong", .label = QStringLiteral("공기량"), .width = 30, .editable = true});
    choice("yeom", {.name = "edt_yeom", .label = QStringLiteral("염화물함량"), .width = 30, .editable = true,
                    .onEnter = [this] { return yeomEntered(); }, .sameLine = true});

    // "보" (ordinary) and "고" (high strength) fill the air and chloride
    // lists; they sit right after the chloride list.
    QWidget* yeom = byColumn_.value("yeom");
    QHBoxLayout* line = nullptr;
    auto* grid = static_cast<QGridLayout*>(fieldPanel()->layout());
    for (int i = 0; i < grid->count() && !line; ++i)
        if (auto* l = qobject_cast<QHBoxLayout*>(grid->itemAt(i)->layout()); l && l->indexOf(yeom) >= 0)
            line = l;
    const auto preset = [&](const QString& name, const QString& caption, const QString& kong) {
        auto* b = new QPushButton(caption, fieldPanel());
        b->setObjectName(name);
        b->setAutoDefault(false);
        b->setFixedWidth(32);
        if (line)
            line->insertWidget(line->indexOf(yeom) + (name == QLatin1String("btn_bo") ? 1 : 2), b);
        connect(b, &QPushButton::clicked, this, [this, kong] {
            list(QStringLiteral("edt_kong"))->setValue(kong);
            list(QStringLiteral("edt_yeom"))->setValue(QStringLiteral("0.30kg/㎥이하"));
        });
    };
    preset(QStringLiteral("btn_bo"), QStringLiteral("보"), QStringLiteral("4.5 ± 1.5%"));
    preset(QStringLiteral("btn_go"), QStringLiteral("고"), QStringLiteral("3.5 ± 1.5%"));
}

// --- activation and loading -------------------------------------------------

void TSIZE_F::showEvent(QShowEvent* e)
{
    EntryForm::showEvent(e);
    if (activated_)
        return;
    activated_ = true;
    if (const QScreen* s = screen())
        QWidget::move(s->availableGeometry().center() - rect().center());
    run([this] { activate(); });
}

void TSIZE_F::activate()
{
    boundGrid_ = nullptr;
    boundRecord_ = -1;
    mode_ = Mode::Browse;
    gridhord->setEditable(false);
    gridhord1->setEditable(false);
    emptyFields();
    loadLists();
    loadUpper(gridhord->currentRecord() >= 0 ? gridhord->rows()->text(gridhord->currentRecord(), "remi_code")
                                             : QString());
    setMode(Mode::Browse);
}

void TSIZE_F::loadUpper(const QString& keepCode)
{
    gridhord->load(Specs::currentVersions());
    GridModel* m = gridhord->rows();
    for (int r = 0; r < m->size(); ++r)
        if (m->text(r, "remi_code") == keepCode)
            gridhord->setCurrentRecord(r);
    if (m->size() == 0)
        loadLower(QString());
}

void TSIZE_F::loadLower(const QString& code, const QString& keepDate)
{
    if (code != shownCode())
        emptyFields();
    gridhord1->load(code.isEmpty() ? Rows() : Specs::versions(code));
    GridModel* m = gridhord1->rows();
    for (int r = 0; r < m->size(); ++r)
        if (m->text(r, "ilja") == keepDate)
            gridhord1->setCurrentRecord(r);
    updateVersionButtons();
}

void TSIZE_F::loadLists()
{
    for (const auto& [column, name] : kTextFields) {
        auto* l = qobject_cast<ListField*>(byColumn_.value(column));
        if (!l || !l->isEditable())
            continue;
        const QSignalBlocker block(l);
        const QString typed = l->currentText();
        l->clear();
        l->addItems(Specs::storedValues(column));
        l->setEditText(typed);
    }
}

void TSIZE_F::setMode(Mode m)
{
    mode_ = m;
    setState(m == Mode::Browse ? Browse : m == Mode::VersionChanged ? Edit : New);
    if (m == Mode::VersionAdded) {
        // A version is added to the spec it was taken from.
        field(QStringLiteral("edt_code"))->setEnabled(false);
        button(QStringLiteral("savbtn"))->setEnabled(false);
        button(QStringLiteral("canbtn"))->setEnabled(false);
    }
    gridhord->setEditable(m == Mode::NewSpec);
    gridhord1->setEditable(m == Mode::VersionChanged);
    for (const char* preset : {"btn_bo", "btn_go"})
        findChild<QPushButton*>(QLatin1String(preset))->setEnabled(m != Mode::Browse);
    updateVersionButtons();
}

void TSIZE_F::updateVersionButtons()
{
    const bool browse = mode_ == Mode::Browse;
    verAdd_->setEnabled(browse && gridhord1->rows()->size() > 0);
    verEdit_->setEnabled(browse && !shownDate_.isEmpty());
    verDelete_->setEnabled(browse && !shownDate_.isEmpty());
    const bool editing = mode_ == Mode::VersionAdded || mode_ == Mode::VersionChanged;
    verSave_->setEnabled(editing);
    verCancel_->setEnabled(editing);
}

// --- detail fields ------------------------------------------------------------

void TSIZE_F::showVersion(const Specs::Version& v)
{
    const QMap<QString, QString> texts = {
        {"remi_code", v.code}, {"ilja", v.ilja},       {"kind", v.kind},       {"standard", v.standard},
        {"rul_ks", v.rulKs},   {"gover_num", v.goverNum}, {"cement1", v.cement1}, {"cement2", v.cement2},
        {"ad1", v.ad1},        {"ad2", v.ad2},         {"kong", v.kong},       {"yeom", v.yeom},
        {"gubun", v.gubun},
    };
    syncing_ = true;
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        QWidget* w = byColumn_.value(it.key());
        if (auto* f = qobject_cast<Field*>(w))
            f->setValue(it.value());
        else if (auto* l = qobject_cast<ListField*>(w))
            l->setValue(it.value());
    }
    for (const QString& c : Specs::numberColumns())
        static_cast<Field*>(byColumn_.value(c))->setNumber(v.number(c));
    syncing_ = false;
}

void TSIZE_F::showRecord(int record)
{
    const GridModel* m = gridhord1->rows();
    Specs::Version v;
    if (!Specs::read(m->text(record, "remi_code"), m->text(record, "ilja"), &v))
        return;
    showVersion(v);
    shownDate_ = v.ilja;
    updateVersionButtons();
}

void TSIZE_F::emptyFields()
{
    syncing_ = true;
    clearFields();
    for (QWidget* w : std::as_const(byColumn_))
        if (auto* l = qobject_cast<ListField*>(w); l && l->isEditable()) {
            l->setCurrentIndex(-1);
            l->clearEditText();
        }
    syncing_ = false;
    shownDate_.clear();
    updateVersionButtons();
}

QString TSIZE_F::shownCode() const
{
    return shownDate_.isEmpty() ? QString() : field(QStringLiteral("edt_code"))->value();
}

bool TSIZE_F::typedVersion(Specs::Version* v)
{
    const auto textOf = [this](const QString& column) {
        QWidget* w = byColumn_.value(column);
        if (auto* f = qobject_cast<Field*>(w))
            return f->value();
        return static_cast<ListField*>(w)->currentText();
    };
    Field* code = field(QStringLiteral("edt_code"));
    code->setValue(Specs::normalizeCode(code->value()));
    v->code = code->value();
    v->ilja = textOf("ilja");
    v->kind = textOf("kind");
    v->standard = textOf("standard");
    v->rulKs = textOf("rul_ks");
    v->goverNum = textOf("gover_num");
    v->cement1 = textOf("cement1");
    v->cement2 = textOf("cement2");
    v->ad1 = textOf("ad1");
    v->ad2 = textOf("ad2");
    v->kong = textOf("kong");
    v->yeom = textOf("yeom");
    v->numbers.clear();
    for (const QString& c : Specs::numberColumns()) {
        double value = 0;
        const QString msg = Specs::parseNumber(c, textOf(c), &value);
        if (!msg.isEmpty()) {
            Messages::info(this, msg);
            byColumn_.value(c)->setFocus();
            return false;
        }
        v->numbers.insert(c, value);
    }
    return true;
}

// --- the grid row being edited ------------------------------------------------

void TSIZE_F::bindGrid(DataGrid* grid, int record)
{
    boundGrid_ = grid;
    boundRecord_ = grid ? record : -1;
}

void TSIZE_F::gridToFields()
{
    if (syncing_ || !boundGrid_ || boundRecord_ < 0)
        return;
    syncing_ = true;
    const GridModel* m = boundGrid_->rows();
    for (int c = 0; c < m->columnCount(); ++c) {
        const GridColumn* col = m->cell(0, c);
        if (!col)
            continue;
        QWidget* w = byColumn_.value(col->field);
        const QVariant value = m->value(boundRecord_, col->field);
        if (auto* f = qobject_cast<Field*>(w)) {
            if (f->kind() == FieldKind::Number)
                value.isNull() ? f->clear() : f->setNumber(m->number(boundRecord_, col->field));
            else if (f->value() != Sql::textOf(value))
                f->setValue(Sql::textOf(value));
        } else if (auto* l = qobject_cast<ListField*>(w)) {
            l->setValue(Sql::textOf(value));
        }
    }
    syncing_ = false;
}

void TSIZE_F::fieldToGrid(const QString& column)
{
    if (syncing_ || !boundGrid_ || boundRecord_ < 0)
        return;
    QWidget* w = byColumn_.value(column);
    QVariant value;
    if (auto* f = qobject_cast<Field*>(w)) {
        if (f->kind() == FieldKind::Number) {
            bool ok = false;
            const double d = ParseNumber(f->text(), &ok);
            if (!ok)
                return;
            value = f->text().trimmed().isEmpty() ? QVariant() : QVariant(d);
        } else {
            value = f->value();
        }
    } else if (auto* l = qobject_cast<ListField*>(w)) {
        value = l->currentText();
    }
    syncing_ = true;
    boundGrid_->rows()->setValue(boundRecord_, column, value);
    syncing_ = false;
}

// --- keys ---------------------------------------------------------------------

bool TSIZE_F::codeEntered()
{
    Field* code = field(QStringLiteral("edt_code"));
    code->setValue(Specs::normalizeCode(code->value()));
    fieldToGrid(QStringLiteral("remi_code"));
    Field* kind = field(QStringLiteral("edt_kind"));
    kind->setValue(Specs::ProductName);
    fieldToGrid(QStringLiteral("kind"));
    field(QStringLiteral("edt_ilja"))->setFocus();
    return true;
}

bool TSIZE_F::yeomEntered()
{
    QPushButton* save = mode_ == Mode::VersionAdded || mode_ == Mode::VersionChanged ? verSave_
                                                                                      : button(QStringLiteral("savbtn"));
    if (save->isEnabled())
        save->setFocus();
    return true;
}

int TSIZE_F::gridCodeEntered(DataGrid* grid, int record)
{
    GridModel* m = grid->rows();
    m->setValue(record, "remi_code", Specs::normalizeCode(m->text(record, "remi_code")));
    return 1;
}

int TSIZE_F::gridDateEntered(DataGrid* grid, int record)
{
    TCalendarDlg& calendar = TCalendarDlg::instance();
    if (calendar.choose(this) && calendar.picked().isValid())
        grid->rows()->setValue(record, "ilja", calendar.pickedText());
    GridModel* m = grid->rows();
    if (m->text(record, "remi_code").isEmpty() || m->text(record, "ilja").isEmpty()) {
        Messages::info(this, Specs::MsgCodeOrDate);
        return 0;
    }
    return 1;
}

// --- spec buttons ---------------------------------------------------------------

void TSIZE_F::newSpec()
{
    emptyFields();
    setMode(Mode::NewSpec);
    GridModel* m = gridhord->rows();
    const int record = m->append();
    bindGrid(gridhord, record);
    gridhord->setCurrentRecord(record, QStringLiteral("remi_code"));
    Field* ilja = field(QStringLiteral("edt_ilja"));
    ilja->setValue(today());
    fieldToGrid(QStringLiteral("ilja"));
    fieldToGrid(QStringLiteral("rul_ks"));
    field(QStringLiteral("edt_code"))->setFocus();
}

void TSIZE_F::saveSpec()
{
    setStatusText(QStringLiteral("조회및 등록"));
    Specs::Version v;
    if (!typedVersion(&v))
        return;
    const QString msg = Specs::addSpec(v);
    if (!msg.isEmpty()) {
        Messages::info(this, msg);
        return;
    }
    bindGrid(nullptr, -1);
    setMode(Mode::Browse);
    loadLists();
    loadUpper(v.code);
    loadLower(v.code, v.ilja);
    showRecord(gridhord1->currentRecord());
    button(QStringLiteral("newbtn"))->setFocus();
}

void TSIZE_F::deleteSpec()
{
    const QString code = shownCode();
    if (code.isEmpty()) {
        Messages::info(this, QStringLiteral("삭제할 규격을 아래 목록에서 선택하시오."));
        return;
    }
    setStatusText(QStringLiteral("삭제"));
    if (!Messages::confirm(this, QStringLiteral("모든 판매, 수주, 출하 자료가 삭제됩니다. \n삭제하겠습니까?"))) {
        setStatusText(QStringLiteral("조회및 등록"));
        return;
    }
    const QString msg = Specs::deleteSpec(code, field(QStringLiteral("edt_standard"))->value());
    if (!msg.isEmpty())
        Messages::info(this, msg);
    emptyFields();
    loadLists();
    loadUpper();
    setMode(Mode::Browse);
}

void TSIZE_F::findSpecs()
{
    Tsizefind_f find(this);
    Kit::execModal(&find);
}

void TSIZE_F::printList() { ReportOutput::run(this, QStringLiteral("qr_size_f1"), ReportParams()); }

void TSIZE_F::cancelSpec()
{
    activate();
    setStatusText(QStringLiteral("조회및 등록"));
}

// --- version buttons ------------------------------------------------------------

void TSIZE_F::addVersion()
{
    const GridModel* m = gridhord1->rows();
    if (m->size() == 0)
        return;
    Specs::Version last;
    if (!Specs::read(m->text(m->size() - 1, "remi_code"), m->text(m->size() - 1, "ilja"), &last))
        return;
    // The latest version is the starting point; usually only the prices change.
    last.ilja = today();
    last.gubun.clear();
    showVersion(last);
    shownDate_.clear();
    setMode(Mode::VersionAdded);
    field(QStringLiteral("edt_wc"))->setFocus();
}

void TSIZE_F::changeVersion()
{
    if (shownDate_.isEmpty())
        return;
    const GridModel* m = gridhord1->rows();
    int record = -1;
    for (int r = 0; r < m->size(); ++r)
        if (m->text(r, "ilja") == shownDate_)
            record = r;
    setMode(Mode::VersionChanged);
    bindGrid(record >= 0 ? gridhord1 : nullptr, record);
    if (record >= 0)
        gridhord1->setCurrentRecord(record, QStringLiteral("kind"));
    field(QStringLiteral("edt_kind"))->setFocus();
}

void TSIZE_F::deleteVersion()
{
    if (shownDate_.isEmpty())
        return;
    if (gridhord1->rows()->size() == 1) {
        Messages::info(this, Specs::MsgDeleteAbove);
        return;
    }
    setStatusText(QStringLiteral("삭제"));
    if (!Messages::confirm(this, QStringLiteral("삭제하겠습니까?"))) {
        setStatusText(QStringLiteral("조회및 등록"));
        return;
    }
    const QString code = shownCode();
    const QString msg = Specs::deleteVersion(code, shownDate_);
    if (!msg.isEmpty())
        Messages::info(this, msg);
    setStatusText(QStringLiteral("조회및 등록"));
    emptyFields();
    loadUpper(code);
    loadLower(code);
}

void TSIZE_F::saveVersion()
{
    Specs::Version v;
    if (!typedVersion(&v))
        return;
    const QString msg = mode_ == Mode::VersionAdded ? Specs::addVersion(v) : Specs::changeVersion(v);
    if (!msg.isEmpty()) {
        Messages::info(this, msg);
        return;
    }
    bindGrid(nullptr, -1);
    setMode(Mode::Browse);
    loadLists();
    loadUpper(v.code);
    loadLower(v.code, v.ilja);
    showRecord(gridhord1->currentRecord());
    verAdd_->setFocus();
}

void TSIZE_F::cancelVersion()
{
    bindGrid(nullptr, -1);
    const QString code = field(QStringLiteral("edt_code"))->value();
    emptyFields();
    setMode(Mode::Browse);
    loadLower(code);
    setStatusText(QStringLiteral("조회및 등록"));
}
