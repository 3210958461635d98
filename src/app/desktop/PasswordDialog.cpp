#include "app/desktop/PasswordDialog.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "widgets/Messages.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QInputMethod>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <QVBoxLayout>

namespace {

const QString kTitle = QStringLiteral("사용자 이름 및 암호");

// Turns whatever is typed into upper case ("p" shows as "P").
class UpperCase final : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

bool isEnter(const QKeyEvent* k) { return k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter; }

} // namespace

TPASSWORD::TPASSWORD(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("PASSWORD"));
    setWindowTitle(QStringLiteral("사용자 암호 입력"));
    setModal(true);

    // No window border: the frame and the title line are drawn here.
    auto* frame = new QFrame(this);
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(frame);

    auto* caption = new QLabel(windowTitle(), frame);
    caption->setStyleSheet(QStringLiteral("background:#0a246a; color:white; font-weight:bold; padding:4px;"));

    namel = new QLabel(frame);
    namel->setObjectName(QStringLiteral("namel"));
    namel->setAlignment(Qt::AlignCenter);
    QFont big = namel->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    namel->setFont(big);

    useredt = new QLineEdit(frame);
    useredt->setObjectName(QStringLiteral("useredt"));
    useredt->setMaxLength(10); // youngup.man

    passedt = new QLineEdit(frame);
    passedt->setObjectName(QStringLiteral("passedt"));
    passedt->setMaxLength(5);
    passedt->setEchoMode(QLineEdit::Password); // shown as '*' by the style; copy is disabled

    chuli_l = new QLineEdit(frame);
    chuli_l->setObjectName(QStringLiteral("chuli_l"));
    chuli_l->setValidator(new UpperCase(chuli_l));
    chuli_l->setAttribute(Qt::WA_InputMethodEnabled, false); // Latin letters only
    chuli_l->setInputMethodHints(Qt::ImhPreferUppercase | Qt::ImhLatinOnly);
    chuli_l->setMaximumWidth(40);

    Button1 = new QPushButton(QStringLiteral("확  인"), frame);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("취  소"), frame);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("사용자 이름"), frame), 0, 0);
    grid->addWidget(useredt, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("암          호"), frame), 1, 0);
    grid->addWidget(passedt, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("처리 구분"), frame), 2, 0);
    grid->addWidget(chuli_l, 2, 1, Qt::AlignLeft);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);

    auto* inner = new QVBoxLayout(frame);
    inner->setContentsMargins(0, 0, 0, 12);
    inner->addWidget(caption);
    auto* body = new QVBoxLayout;
    body->setContentsMargins(16, 8, 16, 0);
    body->addWidget(namel);
    body->addSpacing(8);
    body->addLayout(grid);
    body->addSpacing(8);
    body->addLayout(buttons);
    inner->addLayout(body);

    setTabOrder(useredt, passedt);
    setTabOrder(passedt, chuli_l);
    setTabOrder(chuli_l, Button1);
    setTabOrder(Button1, Button2);
    for (QLineEdit* e : {useredt, passedt, chuli_l})
        e->installEventFilter(this);

    connect(Button1, &QPushButton::clicked, this, &TPASSWORD::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    setFixedWidth(340);
}

void TPASSWORD::showEvent(QShowEvent* e)
{
    useredt->clear();
    passedt->clear();
    chuli_l->clear();
    namel->setText(session().SessionCompanyName);
    QDialog::showEvent(e);
    centreOnScreen();
    useredt->setFocus();
}

void TPASSWORD::centreOnScreen()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    adjustSize();
    QRect r = frameGeometry();
    r.moveCenter(screen->availableGeometry().center());
    move(r.topLeft());
}

bool TPASSWORD::eventFilter(QObject* watched, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(watched, e);
    const auto* k = static_cast<QKeyEvent*>(e);
    if (k->key() == Qt::Key_PageUp || k->key() == Qt::Key_PageDown) {
        focusNextPrevChild(k->key() == Qt::Key_PageDown);
        return true;
    }
    if (isEnter(k)) {
        if (watched == chuli_l)
            chuli_lEnter();
        else
            focusNextPrevChild(true);
        return true;
    }
    return QDialog::eventFilter(watched, e);
}

void TPASSWORD::chuli_lEnter()
{
    if (Login::isLevel(chuli_l->text())) {
        Button1->setFocus();
    } else {
        chuli_l->clear();
        chuli_l->setFocus();
    }
}

void TPASSWORD::Button1Click()
{
    QGuiApplication::inputMethod()->commit(); // a name still being composed belongs to the text
    if (chuli_l->text().isEmpty()) {
        chuli_l->setText(LevelP); // the user presses again to log in with class P
        return;
    }
    if (!Login::isLevel(chuli_l->text())) {
        chuli_l->clear();
        chuli_l->setFocus();
        return;
    }
    Login::Result result;
    try {
        result = login_.attempt(useredt->text(), passedt->text(), chuli_l->text());
    } catch (const DbError& e) {
        Messages::error(this, e.message(), kTitle);
        return;
    }
    switch (result) {
    case Login::Result::Accepted:
        accept();
        return;
    case Login::Result::Retry:
        Messages::error(this, QStringLiteral("사용자 이름 및 암호가 올바르지 않습니다."), kTitle);
        useredt->clear();
        passedt->clear();
        chuli_l->clear();
        useredt->setFocus();
        return;
    case Login::Result::Refused:
        Messages::error(this, QStringLiteral("사용자 이름 및 암호가 3회 오류로 프로그램을 종료합니다."), kTitle);
        reject();
        return;
    }
}
