#include "dialogs/CalendarDlg.h"
#include "widgets/Kit.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QSpinBox>
#include <QTableView>
#include <QTest>

// Drives the calendar while it is open: `act` gets the dialog and the
// calendar's day view.
static bool chooseWith(const std::function<void(TCalendarDlg*, QTableView*)>& act)
{
    Kit::setModalHook([act](QDialog* d) {
        auto* dlg = qobject_cast<TCalendarDlg*>(d);
        act(dlg, dlg->calendar()->findChild<QTableView*>());
        if (d->isVisible())
            d->reject();
    });
    const bool picked = TCalendarDlg::instance().choose();
    Kit::setModalHook({});
    return picked;
}

// The cell showing day `day` of the month on show (days of the neighbouring
// months fill the first and last weeks and are skipped).
static QPoint dayCell(QTableView* view, int day)
{
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        for (int c = 0; c < m->columnCount(); ++c) {
            const int shown = m->data(m->index(r, c)).toInt();
            const bool otherMonth = (r <= 1 && shown > 20) || (r >= 4 && shown < 15);
            if (shown == day && !otherMonth)
                return view->visualRect(m->index(r, c)).center();
        }
    return {};
}

class TestCalendar : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kit::useApplicationFont(); }

    void opensOnTheCurrentMonth()
    {
        TCalendarDlg& dlg = TCalendarDlg::instance();
        QCOMPARE(dlg.windowTitle(), QString("달력"));
        QCOMPARE(dlg.yearField()->minimum(), 1);
        QCOMPARE(dlg.yearField()->maximum(), 3000);
        QCOMPARE(dlg.monthField()->maximum(), 12);
        QCOMPARE(dlg.pickedText(), QString()); // nothing picked yet
        int year = 0, month = 0;
        chooseWith([&](TCalendarDlg* d, QTableView*) {
            year = d->yearField()->value();
            month = d->monthField()->value();
        });
        QCOMPARE(year, QDate::currentDate().year());
        QCOMPARE(month, QDate::currentDate().month());
    }

    void fieldsMoveTheCalendar()
    {
        chooseWith([](TCalendarDlg* d, QTableView*) {
            d->calendar()->setSelectedDate(QDate(2004, 1, 31));
            d->yearField()->setValue(2003);
            QCOMPARE(d->calendar()->selectedDate(), QDate(2003, 1, 31));
            d->monthField()->setValue(2);
            QCOMPARE(d->calendar()->selectedDate(), QDate(2003, 2, 28)); // the month is shorter
            QCOMPARE(d->calendar()->monthShown(), 2);
            QCOMPARE(d->calendar()->yearShown(), 2003);
        });
    }

    void pageKeysCrossMonthsAndYears_data()
    {
        QTest::addColumn<QDate>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QDate>("to");
        QTest::newRow("PageDown in December") << QDate(2003, 12, 10) << int(Qt::Key_PageDown) << QDate(2004, 1, 10);
        QTest::newRow("PageUp in January") << QDate(2004, 1, 31) << int(Qt::Key_PageUp) << QDate(2003, 12, 31);
        QTest::newRow("PageDown to a shorter month") << QDate(2004, 1, 31) << int(Qt::Key_PageDown)
                                                     << QDate(2004, 2, 29);
        QTest::newRow("PageUp in the year") << QDate(2004, 6, 15) << int(Qt::Key_PageUp) << QDate(2004, 5, 15);
    }
    void pageKeysCrossMonthsAndYears()
    {
        QFETCH(QDate, from);
        QFETCH(int, key);
        QFETCH(QDate, to);
        int year = 0, month = 0;
        QDate shown;
        chooseWith([&](TCalendarDlg* d, QTableView* view) {
            d->calendar()->setSelectedDate(from);
            d->calendar()->setCurrentPage(from.year(), from.month());
            QTest::keyClick(view, Qt::Key(key));
            year = d->yearField()->value();
            month = d->monthField()->value();
            shown = d->calendar()->selectedDate();
        });
        QCOMPARE(shown, to);
        QCOMPARE(year, to.year());
        QCOMPARE(month, to.month());
    }

    void enterPicksAndEscKeepsThePick()
    {
        QVERIFY(chooseWith([](TCalendarDlg* d, QTableView* view) {
            d->calendar()->setSelectedDate(QDate(2003, 5, 17));
            QTest::keyClick(view, Qt::Key_Return);
        }));
        QCOMPARE(TCalendarDlg::instance().picked(), QDate(2003, 5, 17));
        QCOMPARE(TCalendarDlg::instance().pickedText(), QString("2003-05-17"));

        QVERIFY(!chooseWith([](TCalendarDlg* d, QTableView* view) {
            d->calendar()->setSelectedDate(QDate(2010, 1, 1));
            QTest::keyClick(view, Qt::Key_Escape);
        }));
        QCOMPARE(TCalendarDlg::instance().pickedText(), QString("2003-05-17"));
    }

    void doubleClickPicks()
    {
        QVERIFY(chooseWith([](TCalendarDlg* d, QTableView* view) {
            d->yearField()->setValue(2004);
            d->monthField()->setValue(3);
            const QPoint p = dayCell(view, 9);
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, p);
            QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, p);
        }));
        QCOMPARE(TCalendarDlg::instance().picked(), QDate(2004, 3, 9));
    }

    void enterInYearMovesOn()
    {
        QWidget* after = nullptr;
        chooseWith([&](TCalendarDlg* d, QTableView*) {
            QApplication::setActiveWindow(d);
            d->yearField()->setFocus();
            QTest::keyClick(d->yearField(), Qt::Key_Return);
            after = QApplication::focusWidget();
        });
        QVERIFY(after == TCalendarDlg::instance().monthField()
                || after == TCalendarDlg::instance().monthField()->findChild<QWidget*>());
    }
};

QTEST_MAIN(TestCalendar)
#include "tst_calendar.moc"
