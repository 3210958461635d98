#include "dialogs/CalendarDlg.h"
#include "widgets/Kit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

TCalendarDlg& TCalendarDlg::instance()
{
    static TCalendarDlg* dlg = new TCalendarDlg;
    return *dlg;
}

TCalendarDlg::TCalendarDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("TCalendarDlg"));
    setWindowTitle(QStringLiteral("달력"));
    setModal(true);

    seYear = new QSpinBox(this);
    seYear->setObjectName(QStringLiteral("seYear"));
    seYear->setRange(1, 3000);
    seMonth = new QSpinBox(this);
    seMonth->setObjectName(QStringLiteral("seMonth"));
    seMonth->setRange(1, 12);
    Calendar1 = new QCalendarWidget(this);
    Calendar1->setObjectName(QStringLiteral("Calendar1"));
    Calendar1->setNavigationBarVisible(false);
    Calendar1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar1->setGridVisible(true);
    Calendar1->setLocale(QLocale(QLocale::Korean, QLocale::SouthKorea));
    Calendar1->setFirstDayOfWeek(Qt::Sunday);

    auto* top = new QHBoxLayout;
    top->addWidget(seYear);
    top->addWidget(new QLabel(QStringLiteral("년"), this));
    top->addSpacing(12);
    top->addWidget(seMonth);
    top->addWidget(new QLabel(QStringLiteral("월"), this));
    top->addStretch();
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(Calendar1);

    connect(seYear, &QSpinBox::valueChanged, this, [this](int y) { showMonth(y, seMonth->value()); });
    connect(seMonth, &QSpinBox::valueChanged, this, [this](int m) { showMonth(seYear->value(), m); });
    connect(Calendar1, &QCalendarWidget::currentPageChanged, this, [this](int, int) { syncFields(); });
    connect(Calendar1, &QCalendarWidget::activated, this, [this](QDate d) {
        picked_ = d;
        accept();
    });
    seYear->installEventFilter(this);
    for (QWidget* view : Calendar1->findChildren<QTableView*>())
        view->installEventFilter(this);
}

bool TCalendarDlg::choose(QWidget* over)
{
    if (over)
        move(over->geometry().center() - rect().center());
    return Kit::execModal(this) == QDialog::Accepted;
}

QString TCalendarDlg::pickedText() const
{
    return picked_.isValid() ? picked_.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

void TCalendarDlg::showEvent(QShowEvent* e)
{
    const QDate today = QDate::currentDate();
    seYear->setValue(today.year());
    seMonth->setValue(today.month());
    Calendar1->setFocus();
    QDialog::showEvent(e);
}

// The calendar keeps its day of the month when the year or month changes
// (the last day where the month is shorter).
void TCalendarDlg::showMonth(int year, int month)
{
    const QDate current = Calendar1->selectedDate();
    const QDate first(year, month, 1);
    const QDate target(year, month, std::min(current.day(), first.daysInMonth()));
    Calendar1->setSelectedDate(target);
    Calendar1->setCurrentPage(year, month);
}

void TCalendarDlg::stepMonth(int months)
{
    const QDate target = Calendar1->selectedDate().addMonths(months);
    Calendar1->setSelectedDate(target);
    Calendar1->setCurrentPage(target.year(), target.month());
    syncFields();
}

void TCalendarDlg::syncFields()
{
    const QSignalBlocker y(seYear);
    const QSignalBlocker m(seMonth);
    seYear->setValue(Calendar1->yearShown());
    seMonth->setValue(Calendar1->monthShown());
}

bool TCalendarDlg::eventFilter(QObject* o, QEvent* e)
{
    if (e->type() != QEvent::KeyPress)
        return QDialog::eventFilter(o, e);
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (o == seYear && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        focusNextChild();
        return true;
    }
    if (o != seYear && (key == Qt::Key_PageUp || key == Qt::Key_PageDown)) {
        stepMonth(key == Qt::Key_PageUp ? -1 : 1);
        return true;
    }
    return QDialog::eventFilter(o, e);
}
