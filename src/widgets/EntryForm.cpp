#include "widgets/EntryForm.h"
#include "data/Config.h"
#include "data/Session.h"
#include "widgets/Kit.h"
#include "widgets/PasswordPanel.h"

#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

namespace {
bool isEnter(int key) { return key == Qt::Key_Return || key == Qt::Key_Enter; }
} // namespace

EntryForm::EntryForm(const QString& name, const QString& caption, QWidget* parent)
    : QDialog(parent)
{
    Kit::watchInput();
    setObjectName(name);
    setWindowTitle(caption);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(6, 6, 6, 0);
    buttonBar_ = new QHBoxLayout;
    buttonBar_->addStretch();
    root->addLayout(buttonBar_);
    body_ = new QHBoxLayout;
    root->addLayout(body_, 1);

    statusBar_ = new QStatusBar(this);
    statusBar_->setObjectName(QStringLiteral("StatusBar1"));
    statusBar_->setSizeGripEnabled(false);
    companyPanel_ = new QLabel(statusBar_);
    companyPanel_->setObjectName(QStringLiteral("status_company"));
    userPanel_ = new QLabel(statusBar_);
    userPanel_->setObjectName(QStringLiteral("status_user"));
    statePanel_ = new QLabel(statusBar_);
    statePanel_->setObjectName(QStringLiteral("status_state"));
    statePanel_->setMinimumWidth(90);
    statePanel_->setAlignment(Qt::AlignCenter);
    for (QLabel* l : {companyPanel_, userPanel_, statePanel_})
        statusBar_->addWidget(l);
    root->addWidget(statusBar_);
    showState();
}

// --- fields ------------------------------------------------------------------

QWidget* EntryForm::fieldPanel()
{
    if (!fieldPanel_) {
        fieldPanel_ = new QWidget(this);
        fieldPanel_->setObjectName(QStringLiteral("fields"));
        auto* grid = new QGridLayout(fieldPanel_);
        grid->setColumnStretch(1, 1);
        grid->setRowStretch(200, 1);
        containers_ << Container{grid};
        body_->addWidget(fieldPanel_, 1);
    }
    return fieldPanel_;
}

void EntryForm::place(QWidget* w, const FieldSpec& spec)
{
    fieldPanel();
    Container& c = containers_.last();
    QWidget* owner = c.grid->parentWidget();
    QLabel* label = spec.label.isEmpty() ? nullptr : new QLabel(spec.label, owner);
    if (label)
        label->setBuddy(w);
    if (!spec.sameLine || !c.line) {
        ++c.row;
        c.line = new QHBoxLayout;
        c.line->addStretch();
        if (label)
            c.grid->addWidget(label, c.row, 0);
        c.grid->addLayout(c.line, c.row, 1);
    } else if (label) {
        c.line->insertSpacing(c.line->count() - 1, 8);
        c.line->insertWidget(c.line->count() - 1, label);
    }
    c.line->insertWidget(c.line->count() - 1, w);
}

Field* EntryForm::addField(const FieldSpec& spec)
{
    fieldPanel();
    auto* f = new Field(spec, containers_.last().grid->parentWidget());
    place(f, spec);
    f->installEventFilter(this);
    connect(f, &Field::datePicked, this, [this, f] {
        if (const Entry* e = entryOf(f); e && e->spec.onEnter)
            run([e] { e->spec.onEnter(); });
    });
    fields_ << Entry{f, spec};
    f->setEnabled(unlocked(spec));
    return f;
}

ListField* EntryForm::addList(const FieldSpec& spec)
{
    fieldPanel();
    auto* l = new ListField(spec, containers_.last().grid->parentWidget());
    place(l, spec);
    l->installEventFilter(this);
    fields_ << Entry{l, spec};
    l->setEnabled(unlocked(spec));
    return l;
}

QGroupBox* EntryForm::beginSection(const QString& name, const QString& title)
{
    fieldPanel();
    Container& outer = containers_.last();
    auto* box = new QGroupBox(title, outer.grid->parentWidget());
    box->setObjectName(name);
    outer.grid->addWidget(box, ++outer.row, 0, 1, 2);
    outer.line = nullptr;
    auto* grid = new QGridLayout(box);
    grid->setColumnStretch(1, 1);
    containers_ << Container{grid};
    return box;
}

void EntryForm::endSection()
{
    if (containers_.size() > 1)
        containers_.removeLast();
}

const EntryForm::Entry* EntryForm::entryOf(const QObject* w) const
{
    for (const Entry& e : fields_)
        if (e.widget == w)
            return &e;
    return nullptr;
}

Field* EntryForm::field(const QString& name) const
{
    for (const Entry& e : fields_)
        if (e.widget->objectName() == name)
            return qobject_cast<Field*>(e.widget);
    return nullptr;
}

ListField* EntryForm::list(const QString& name) const
{
    for (const Entry& e : fields_)
        if (e.widget->objectName() == name)
            return qobject_cast<ListField*>(e.widget);
    return nullptr;
}

void EntryForm::clearFields()
{
    for (const Entry& e : std::as_const(fields_)) {
        if (auto* f = qobject_cast<Field*>(e.widget))
            f->clear();
        else if (auto* l = qobject_cast<ListField*>(e.widget)) {
            l->setCurrentIndex(l->count() > 0 ? 0 : -1);
            if (l->isEditable() && l->count() == 0)
                l->clearEditText();
        }
    }
}

bool EntryForm::unlocked(const FieldSpec& spec) const
{
    return spec.free || state_ == New || (state_ == Edit && !spec.key);
}

// --- keys ----------------------------------------------------------------------

bool EntryForm::canFocus(const Entry& e) const
{
    return !e.spec.readOnly && e.widget->isEnabled() && e.widget->isVisibleTo(this);
}

void EntryForm::stepFocus(QWidget* from, int step)
{
    const int n = int(fields_.size());
    int at = -1;
    for (int i = 0; i < n; ++i)
        if (fields_.at(i).widget == from)
            at = i;
    if (at < 0)
        at = step > 0 ? -1 : n;
    for (int k = 1; k <= n; ++k) {
        const Entry& e = fields_.at(((at + step * k) % n + n) % n);
        if (canFocus(e)) {
            e.widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void EntryForm::focusNext(QWidget* from) { stepFocus(from, 1); }
void EntryForm::focusPrevious(QWidget* from) { stepFocus(from, -1); }

void EntryForm::enter(QWidget* w, const Entry& entry)
{
    Kit::commitInput(w);
    bool moveOn = true;
    if (entry.spec.onEnter) {
        const auto check = entry.spec.onEnter;
        if (!Kit::guarded(this, [&] { moveOn = check(); }))
            moveOn = false;
    }
    // The handler may have moved the focus itself (or hidden this field).
    if (moveOn && (w->hasFocus() || !w->isVisibleTo(this) || !w->isEnabled()))
        focusNext(w);
}

bool EntryForm::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(o, e);
    const Entry* entry = entryOf(o);
    if (!entry)
        return QDialog::eventFilter(o, e);
    auto* key = static_cast<QKeyEvent*>(e);
    if (entry->spec.onKey) {
        bool consumed = false;
        const auto onKey = entry->spec.onKey;
        if (!Kit::guarded(this, [&] { consumed = onKey(key); }))
            return true;
        if (consumed)
            return true;
    }
    auto* w = static_cast<QWidget*>(o);
    if (isEnter(key->key())) {
        const Entry copy = *entry; // the handler may declare fields and move the list
        enter(w, copy);
        return true;
    }
    if (key->key() == Qt::Key_PageDown || key->key() == Qt::Key_PageUp) {
        stepFocus(w, key->key() == Qt::Key_PageDown ? 1 : -1);
        return true;
    }
    return QDialog::eventFilter(o, e);
}

void EntryForm::keyPressEvent(QKeyEvent* e)
{
    // Esc does not close an entry window; Enter is taken by the fields.
    if (e->key() == Qt::Key_Escape) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

// --- state and buttons --------------------------------------------------------

QPushButton* EntryForm::addButton(const QString& name, const QString& caption, States enabledIn,
                                  std::function<void()> onClick, bool needsRow)
{
    auto* b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAutoDefault(true); // Enter on a focused button presses it
    buttonBar_->insertWidget(buttonBar_->count() - 1, b);
    connect(b, &QPushButton::clicked, this, [this, onClick = std::move(onClick)] { run(onClick); });
    buttons_ << Button{b, enabledIn, needsRow};
    updateButtons();
    return b;
}

QPushButton* EntryForm::addCloseButton(const QString& name, const QString& caption)
{
    return addButton(name, caption, Browse | New | Edit | Delete, [this] { reject(); });
}

QPushButton* EntryForm::button(const QString& name) const
{
    for (const Button& b : buttons_)
        if (b.button->objectName() == name)
            return b.button;
    return nullptr;
}

void EntryForm::setState(State s)
{
    state_ = s;
    for (const Entry& e : std::as_const(fields_))
        e.widget->setEnabled(unlocked(e.spec));
    updateButtons();
    showState();
}

void EntryForm::setRowShown(bool shown)
{
    rowShown_ = shown;
    updateButtons();
}

void EntryForm::updateButtons()
{
    for (const Button& b : std::as_const(buttons_))
        b.button->setEnabled(b.enabledIn.testFlag(state_) && !(state_ == Browse && b.needsRow && !rowShown_));
}

// --- status bar ----------------------------------------------------------------

QPixmap EntryForm::statePicture(State s)
{
    const QString dir = Config::value(QStringLiteral("picture_dir"));
    if (!dir.isEmpty()) {
        const QPixmap site(QDir(dir).filePath(s == New ? QStringLiteral("등록.bmp") : QStringLiteral("수정.bmp")));
        if (!site.isNull())
            return site;
    }
    return QPixmap(s == New ? QStringLiteral(":/kit/pictures/new.png") : QStringLiteral(":/kit/pictures/change.png"));
}

void EntryForm::showState()
{
    if (state_ == New || state_ == Edit) {
        statePanel_->setText(QString());
        statePanel_->setPixmap(statePicture(state_));
    } else {
        setStatusText(state_ == Delete ? QStringLiteral("삭제") : QStringLiteral("조회및 등록"));
    }
}

void EntryForm::setStatusText(const QString& text)
{
    statePanel_->setPixmap(QPixmap());
    statePanel_->setText(text);
}

QLabel* EntryForm::addStatusPanel(const QString& text)
{
    auto* l = new QLabel(text, statusBar_);
    statusBar_->addWidget(l);
    return l;
}

void EntryForm::showEvent(QShowEvent* e)
{
    companyPanel_->setText(session().SessionCompanyName);
    userPanel_->setText(session().SessionUser);
    QDialog::showEvent(e);
}

// --- password and handlers -------------------------------------------------------

PasswordPanel* EntryForm::passwordPanel()
{
    if (!password_)
        password_ = new PasswordPanel(this);
    return password_;
}

void EntryForm::askPassword(const QString& staffCode, std::function<void()> onAccepted,
                            std::function<void()> onRefused)
{
    passwordPanel()->ask(staffCode, std::move(onAccepted), std::move(onRefused));
}

bool EntryForm::run(const std::function<void()>& handler)
{
    Kit::commitInput();
    return Kit::guarded(this, handler);
}
