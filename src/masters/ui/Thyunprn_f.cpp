#include "masters/ui/Thyunprn_f.h"
#include "data/CodeLookup.h"
#include "data/Session.h"
#include "reports/ui/ReportOutput.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Thyunprn_f::Thyunprn_f(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("Thyunprn_f"));
    setWindowTitle(QStringLiteral("출력"));
    auto* root = new QVBoxLayout(this);

    auto* range = new QGroupBox(QStringLiteral("범위"), this);
    range->setObjectName(QStringLiteral("prn_range"));
    auto* rangeLayout = new QVBoxLayout(range);
    auto* choices = new QHBoxLayout;
    prn_all = new QRadioButton(QStringLiteral("전체출력"), range);
    prn_all->setObjectName(QStringLiteral("prn_all"));
    prn_part = new QRadioButton(QStringLiteral("일부출력"), range);
    prn_part->setObjectName(QStringLiteral("prn_part"));
    prn_all->setChecked(true);
    choices->addWidget(prn_all);
    choices->addWidget(prn_part);
    rangeLayout->addLayout(choices);
    auto* customer = new QHBoxLayout;
    customerLabel_ = new QLabel(QStringLiteral("거래처명"), range);
    prn01 = new QLineEdit(range);
    prn01->setObjectName(QStringLiteral("prn01"));
    prn01->setFixedWidth(80);
    prn02 = new QLabel(range);
    prn02->setObjectName(QStringLiteral("prn02"));
    prn02->setMinimumWidth(180);
    customer->addWidget(customerLabel_);
    customer->addWidget(prn01);
    customer->addWidget(prn02, 1);
    rangeLayout->addLayout(customer);
    root->addWidget(range);

    output_ = new ReportOutputChoice(this);
    output_->setObjectName(QStringLiteral("prn_output"));
    root->addWidget(output_);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("확인"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("okbtn"));
    QPushButton* close = buttons->addButton(QStringLiteral("닫기"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("clsbtn"));
    root->addWidget(buttons);

    connect(prn_all, &QRadioButton::toggled, this, [this] { rangeChanged(); });
    connect(ok, &QPushButton::clicked, this, [this] { print(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    // A click on the output choice prints at once.
    for (QRadioButton* b : output_->findChildren<QRadioButton*>())
        connect(b, &QRadioButton::clicked, this, [this] { print(); });
    prn01->installEventFilter(this);
    rangeChanged();
}

void Thyunprn_f::rangeChanged()
{
    const bool some = prn_part->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(customerLabel_), static_cast<QWidget*>(prn01),
                       static_cast<QWidget*>(prn02)})
        w->setVisible(some);
    if (some)
        prn01->setFocus();
}

bool Thyunprn_f::eventFilter(QObject* o, QEvent* e)
{
    if (o == prn01) {
        const bool enter = e->type() == QEvent::KeyPress
                           && (static_cast<QKeyEvent*>(e)->key() == Qt::Key_Return
                               || static_cast<QKeyEvent*>(e)->key() == Qt::Key_Enter);
        if (enter || e->type() == QEvent::MouseButtonRelease) {
            Kit::commitInput(prn01);
            lookupCustomer();
            return enter;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Thyunprn_f::lookupCustomer()
{
    session().LookupKey = prn01->text().trimmed();
    if (!RunCodeLookup(CodeLookup::Customer))
        return;
    prn01->setText(session().LookupKey);
    prn02->setText(session().LookupName);
}

bool Thyunprn_f::print()
{
    ReportParams params;
    if (prn_part->isChecked()) {
        if (prn01->text().trimmed().isEmpty() || prn02->text().isEmpty()) {
            Messages::info(this, QStringLiteral("거래처를 입력하시오."));
            prn01->setFocus();
            return false;
        }
        params.set(QStringLiteral("customer"), prn01->text().trimmed());
    }
    return ReportOutput::run(this, QStringLiteral("qr_hyun_f1"), params, output_->destination());
}
