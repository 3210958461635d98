#include "shipping/ui/Tiljaprint_f.h"

#include "data/Session.h"
#include "data/Sql.h"
#include "shipping/DailyClosing.h"
#include "widgets/Field.h"
#include "widgets/Messages.h"

#include <QDate>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int ClosingKind = 2;
}

Tiljaprint_f::Tiljaprint_f(QWidget* parent) : QDialog(parent), kind_(session().ReportKind)
{
    setObjectName(QStringLiteral("Tiljaprint_f"));
    setWindowTitle(kind_ == ClosingKind ? QStringLiteral("출하 마감") : QStringLiteral("일보 출력"));

    auto* layout = new QVBoxLayout(this);
    auto* dayRow = new QHBoxLayout;
    dayRow->addWidget(new QLabel(QStringLiteral("일       자"), this));
    hy01_ = new Field(FieldSpec{.name = QStringLiteral("hy01"), .kind = FieldKind::Date, .width = 10}, this);
    hy01_->installEventFilter(this);
    dayRow->addWidget(hy01_);
    dayRow->addStretch();
    layout->addLayout(dayRow);

    passPan_ = new QFrame(this);
    passPan_->setObjectName(QStringLiteral("pass_pan"));
    passPan_->setFrameShape(QFrame::StyledPanel);
    auto* passRow = new QHBoxLayout(passPan_);
    passRow->addWidget(new QLabel(QStringLiteral("암호 등록"), passPan_));
    passEdit_ = new QLineEdit(passPan_);
    passEdit_->setObjectName(QStringLiteral("pass_edit"));
    passEdit_->setEchoMode(QLineEdit::Password);
    passEdit_->setStyleSheet(QStringLiteral("lineedit-password-character: 42"));
    passEdit_->installEventFilter(this);
    passRow->addWidget(passEdit_);
    layout->addWidget(passPan_);
    passPan_->hide();

    result_ = new QLabel(this);
    result_->setObjectName(QStringLiteral("result_label"));
    if (kind_ != ClosingKind)
        result_->setText(QStringLiteral("이 출력은 아직 준비되지 않았습니다."));
    layout->addWidget(result_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    ok_ = new QPushButton(QStringLiteral("&OK"), this);
    ok_->setObjectName(QStringLiteral("okbtn"));
    ok_->setEnabled(kind_ == ClosingKind);
    cancel_ = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel_->setObjectName(QStringLiteral("cancelbtn"));
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    layout->addLayout(buttons);

    connect(ok_, &QPushButton::clicked, this, &Tiljaprint_f::okbtnClick);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
}

void Tiljaprint_f::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    hy01_->setDate(QDate::currentDate());
    hy01_->setFocus();
}

bool Tiljaprint_f::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            if (o == hy01_) {
                ok_->setFocus();
                return true;
            }
            if (o == passEdit_) {
                close_day();
                return true;
            }
        }
    }
    return QDialog::eventFilter(o, e);
}

void Tiljaprint_f::okbtnClick()
{
    if (kind_ != ClosingKind)
        return;
    passPan_->show();
    passEdit_->clear();
    passEdit_->setFocus();
}

void Tiljaprint_f::close_day()
{
    const QString day = hy01_->value();
    if (!QDate::fromString(day, QStringLiteral("yyyy-MM-dd")).isValid()) {
        Messages::info(this, QStringLiteral("일자를 확인하시오."));
        hy01_->setFocus();
        return;
    }
    DailyClosing::Result r;
    try {
        r = DailyClosing::run(day, passEdit_->text(), [this] {
            return Messages::confirm(this, QStringLiteral("자료가 이미 존재합니다.\n 갱신하시겠습니까?"));
        });
    } catch (const DbError& e) {
        passPan_->hide();
        Messages::info(this, e.message());
        return;
    }
    switch (r.outcome) {
    case DailyClosing::Outcome::Approved:
        Messages::info(this, DailyClosing::message(r.outcome));
        return;
    case DailyClosing::Outcome::WrongPassword:
        passPan_->hide();
        Messages::info(this, DailyClosing::message(r.outcome));
        return;
    case DailyClosing::Outcome::Declined:
        passPan_->hide();
        return;
    case DailyClosing::Outcome::Closed:
        break;
    }
    passPan_->hide();
    result_->setText(QStringLiteral("%1 출하 마감: 매출 %2건").arg(day).arg(r.written));
    if (!r.kept.isEmpty())
        Messages::info(this, QStringLiteral("순번 %1 의 매출 자료가 이미 있어 그대로 두었습니다.")
                                 .arg(r.kept.join(QStringLiteral(", "))));
}
