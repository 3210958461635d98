#include "masters/ui/Tsizefind_f.h"
#include "data/CodeLookup.h"
#include "data/Session.h"
#include "masters/Specs.h"
#include "masters/ui/Tsizelist_f.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

Tsizefind_f::Tsizefind_f(QWidget* parent)
    : QDialog(parent)
{
    Kit::watchInput();
    setObjectName(QStringLiteral("Tsizefind_f"));
    setWindowTitle(QStringLiteral("규격조회"));

    auto* group = new QGroupBox(QStringLiteral("조회 구분"), this);
    group->setObjectName(QStringLiteral("RadioGroup1"));
    auto* groupLayout = new QVBoxLayout(group);
    const QStringList labels = {QStringLiteral("최 근  자 료"), QStringLiteral("코드별 자료"),
                                QStringLiteral("모 든  자 료")};
    for (int i = 0; i < 3; ++i) {
        choices_[i] = new QRadioButton(labels.at(i), group);
        choices_[i]->setObjectName(QStringLiteral("choice%1").arg(i));
        groupLayout->addWidget(choices_[i]);
        connect(choices_[i], &QRadioButton::toggled, this, [this] { choiceChanged(); });
    }

    code_ = new QLineEdit(this);
    code_->setObjectName(QStringLiteral("edt_code"));
    code_->setMaxLength(10);
    code_->setFixedWidth(90);
    code_->installEventFilter(this);
    spec_ = new QLabel(this);
    spec_->setObjectName(QStringLiteral("lbl_spec"));
    spec_->setMinimumWidth(120);
    auto* codeRow = new QHBoxLayout;
    codeRow->addWidget(new QLabel(QStringLiteral("레미콘 코드 :"), this));
    codeRow->addWidget(code_);
    codeRow->addWidget(spec_, 1);

    auto* ok = new QPushButton(QStringLiteral("확인"), this);
    ok->setObjectName(QStringLiteral("okbtn"));
    ok->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, [this] { Kit::guarded(this, [this] { open(); }); });
    auto* close = new QPushButton(QStringLiteral("닫기"), this);
    close->setObjectName(QStringLiteral("clsbtn"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);

    auto* root = new QVBoxLayout(this);
    root->addWidget(group);
    root->addLayout(codeRow);
    root->addLayout(buttons);

    choices_[Latest]->setChecked(true);
    choiceChanged();
}

Tsizefind_f::Choice Tsizefind_f::choice() const
{
    for (int i = 0; i < 3; ++i)
        if (choices_[i]->isChecked())
            return Choice(i);
    return Latest;
}

void Tsizefind_f::choiceChanged()
{
    const bool byCode = choice() == ByCode;
    code_->setEnabled(byCode);
    if (byCode)
        code_->setFocus();
}

bool Tsizefind_f::eventFilter(QObject* o, QEvent* e)
{
    if (o == code_ && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            lookUp();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

void Tsizefind_f::lookUp()
{
    Kit::commitInput(code_);
    session().LookupKey = code_->text().trimmed();
    if (!RunCodeLookup(CodeLookup::Spec))
        return;
    chosenCode_ = session().LookupKey;
    code_->setText(chosenCode_);
    spec_->setText(session().LookupName);
}

void Tsizefind_f::open()
{
    QString title;
    Rows rows;
    switch (choice()) {
    case Latest:
        title = QStringLiteral("최근 규격 자료");
        rows = Specs::currentVersions();
        break;
    case ByCode:
        if (chosenCode_.isEmpty() || code_->text().trimmed() != chosenCode_) {
            Messages::info(this, QStringLiteral("레미콘 코드를 입력하고 Enter를 누르시오."));
            code_->setFocus();
            return;
        }
        title = QStringLiteral("코드별 규격 자료 [%1 %2]").arg(chosenCode_, spec_->text());
        rows = Specs::versions(chosenCode_);
        break;
    case All:
        title = QStringLiteral("모든 규격 자료");
        rows = Specs::allVersions();
        break;
    }
    Tsizelist_f list(title, rows, this);
    Kit::execModal(&list);
}
