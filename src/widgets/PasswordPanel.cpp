#include "widgets/PasswordPanel.h"
#include "data/Sql.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

PasswordPanel::PasswordPanel(QWidget* parent, const QString& name, const QString& editName)
    : QFrame(parent)
{
    Kit::watchInput();
    setObjectName(name);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* label = new QLabel(QStringLiteral("암호 등록"), this);
    edit_ = new QLineEdit(this);
    edit_->setObjectName(editName);
    edit_->setEchoMode(QLineEdit::Password);
    edit_->setFixedWidth(100);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(10, 8, 10, 8);
    row->addWidget(label);
    row->addWidget(edit_);
    edit_->installEventFilter(this);
    hide();
}

void PasswordPanel::ask(const QString& staffCode, std::function<void()> onAccepted, std::function<void()> onRefused)
{
    staffCode_ = staffCode;
    onAccepted_ = std::move(onAccepted);
    onRefused_ = std::move(onRefused);
    edit_->clear();
    adjustSize();
    if (parentWidget())
        move((parentWidget()->width() - width()) / 2, (parentWidget()->height() - height()) / 2);
    show();
    raise();
    edit_->setFocus();
}

bool PasswordPanel::matches(const QString& staffCode, const QString& typed)
{
    const Rows rows = Sql::select(QStringLiteral("select pass from youngup where code = ?"), {staffCode});
    return !rows.isEmpty() && rows.text(0, "pass") == typed;
}

bool PasswordPanel::eventFilter(QObject* o, QEvent* e)
{
    if (o == edit_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            check();
            return true;
        }
        if (key == Qt::Key_Escape) {
            refuse(false);
            return true;
        }
    }
    return QFrame::eventFilter(o, e);
}

void PasswordPanel::check()
{
    Kit::commitInput(edit_);
    bool ok = false;
    if (!Kit::guarded(window(), [&] { ok = matches(staffCode_, edit_->text()); })) {
        refuse(false);
        return;
    }
    if (!ok) {
        refuse(true);
        return;
    }
    hide();
    edit_->clear();
    if (onAccepted_)
        Kit::guarded(window(), onAccepted_);
}

void PasswordPanel::refuse(bool withMessage)
{
    hide();
    edit_->clear();
    if (withMessage)
        Messages::info(window(), QStringLiteral("암호가 틀렸습니다."));
    if (onRefused_)
        onRefused_();
}
