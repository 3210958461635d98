#include "books/ui/DayBookPanels.h"

#include <QColor>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>

ApprovalArea buildApprovalArea(QWidget* area, const QString& open, const QString& approved)
{
    ApprovalArea a;
    auto* h = new QHBoxLayout(area);
    h->setContentsMargins(20, 0, 0, 0);
    a.ok_btn = new QPushButton(open, area);
    a.ok_btn->setObjectName(QStringLiteral("ok_btn"));
    a.ok_btn->setAutoDefault(false);
    a.ok_btn->setMinimumWidth(80);
    h->addWidget(a.ok_btn);
    a.ok_pan = new QFrame(area);
    a.ok_pan->setObjectName(QStringLiteral("ok_pan"));
    a.ok_pan->setFrameShape(QFrame::Panel);
    a.ok_pan->setFrameShadow(QFrame::Raised);
    auto* p = new QHBoxLayout(a.ok_pan);
    p->setContentsMargins(6, 2, 6, 2);
    a.com_okno = new QComboBox(a.ok_pan);
    a.com_okno->setObjectName(QStringLiteral("com_okno"));
    a.com_okno->addItems({open, approved});
    a.btn_ok = new QPushButton(QStringLiteral("OK"), a.ok_pan);
    a.btn_ok->setObjectName(QStringLiteral("btn_ok"));
    a.btn_ok->setAutoDefault(false);
    p->addWidget(a.com_okno);
    p->addWidget(a.btn_ok);
    h->addWidget(a.ok_pan);
    a.ok_pan->hide();
    return a;
}

ReasonPanel buildReasonPanel(QWidget* parent, QObject* filter)
{
    ReasonPanel r;
    r.job_pan = new QFrame(parent);
    r.job_pan->setObjectName(QStringLiteral("job_pan"));
    r.job_pan->setFrameShape(QFrame::Panel);
    r.job_pan->setFrameShadow(QFrame::Raised);
    r.job_pan->setAutoFillBackground(true);
    QPalette red = r.job_pan->palette();
    red.setColor(QPalette::Window, QColor(Qt::red));
    red.setColor(QPalette::WindowText, QColor(Qt::white));
    r.job_pan->setPalette(red);
    auto* h = new QHBoxLayout(r.job_pan);
    h->setContentsMargins(10, 8, 10, 8);
    h->addWidget(new QLabel(QStringLiteral("이유"), r.job_pan));
    r.edt_job = new QLineEdit(r.job_pan);
    r.edt_job->setObjectName(QStringLiteral("edt_job"));
    r.edt_job->setMaxLength(40);
    r.edt_job->setFixedWidth(280);
    QPalette white = r.edt_job->palette();
    white.setColor(QPalette::Base, QColor(Qt::white));
    white.setColor(QPalette::Text, QColor(Qt::black));
    r.edt_job->setPalette(white);
    h->addWidget(r.edt_job);
    r.edt_job->installEventFilter(filter);
    r.job_pan->hide();
    return r;
}
