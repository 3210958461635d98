#include "books/ui/Tipkum_f.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "dialogs/CalendarDlg.h"
#include "reports/ui/ReportPreview.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTabWidget>
#include <QTest>

namespace {

const QString Day = "2024-03-05";

// A per-site customer and an integrated customer with its site 000.
void office()
{
    session().SessionSaup = "01";
    session().SessionUser = "김과장";
    session().SessionCompanyName = "한빛레미콘";
    session().SessionLevel = LevelQ;
    insertRow("youngup", {{"code", "589"}, {"man", "정정"}, {"pass", "c589"}});
    insertRow("youngup", {{"code", "111"}, {"man", "결재"}, {"pass", "a111"}});
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}});
    insertRow("customer", {{"grcd", "B001"}, {"cust_set", "B"}, {"cust_seq", "001"}, {"name", "시청"},
                           {"kawn_sa", "K"}, {"misu", "G"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"grcode", "A001001"},
                             {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"}});
    insertRow("r_hyunjang", {{"grcd", "B001"}, {"code", "000"}, {"name", "현장통합"}, {"grcode", "B001000"},
                             {"kawn_sa", "K"}, {"misu", "T"}, {"man_code", "004"}, {"man_name", "최과장"}});
}

void store(const QString& table, const QString& jun, double hyun, double hal = 0)
{
    insertRow(table, {{"saup", "01"}, {"ilja", Day}, {"ul", Day.left(7)}, {"yun", Day.left(4)}, {"jun", jun},
                      {"grcd", "A001"}, {"grcd_name", "대한건설"}, {"code", "001"}, {"code_name", "역삼현장"},
                      {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"},
                      {"hyun", hyun}, {"hal", hal}, {"hap_kum", hyun + hal}});
}

// The window on Day, shown, for the book given.
struct Window {
    explicit Window(int book)
    {
        session().BookMode = book;
        w = std::make_unique<Tipkum_f>();
        w->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.get()));
        Field* date = w->findChild<Field*>("hy01");
        date->setValue(Day);
        date->setFocus();
        QTest::keyClick(date, Qt::Key_Return);
    }
    QPushButton* button(const char* name) const { return w->findChild<QPushButton*>(name); }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    GridModel* rows() const { return w->grid()->rows(); }

    // Types into a cell of the current record, key by key, and presses Enter.
    void typeCell(const QString& field, const QString& text) const
    {
        DataGrid* g = w->grid();
        g->setCurrentRecord(g->currentRecord(), field);
        g->edit(g->currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && editor->parent() == g->viewport());
        editor->selectAll();
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(editor, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }
    void reasonAndPassword(const QString& why, const QString& password) const
    {
        auto* reason = w->findChild<QLineEdit*>("edt_job");
        QVERIFY(reason->isVisible());
        reason->setText(why);
        QTest::keyClick(reason, Qt::Key_Return);
        auto* pass = w->findChild<QLineEdit*>("pass_edit");
        QVERIFY(pass->isVisible());
        QTest::keyClicks(pass, password);
        QTest::keyClick(pass, Qt::Key_Return);
    }
    std::unique_ptr<Tipkum_f> w;
};

QStringList enabledButtons(const Window& win)
{
    QStringList names;
    for (const char* n : {"newbtn", "edtbtn", "delbtn", "fndbtn", "savbtn", "canbtn", "hlpbtn"})
        if (win.button(n)->isEnabled())
            names << n;
    return names;
}

int count(const QString& sql) { return Sql::scalar(sql).toInt(); }

} // namespace

class TestIpkumWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kit::useApplicationFont(); }
    void init()
    {
        Messages::startScript();
        Messages::clearShown();
    }
    void cleanup()
    {
        Messages::stopScript();
        Kit::setModalHook({});
    }

    void showsTheDayOfItsBook()
    {
        TestDb db;
        office();
        store("tax_ipkum", "02", 300000, 5000);
        store("tax_ipkum", "01", 1000000);
        store("r_ipkum", "01", 9);
        insertRow("rd_ipkum", {{"ilja", Day}, {"jun", "07"}, {"grcd_name", "지운곳"}, {"status", "D"}, {"why", "중복"}});
        Window win(1);
        QCOMPARE(win.w->book().table(), QString("tax_ipkum"));
        QCOMPARE(win.rows()->size(), 2);
        QCOMPARE(win.rows()->text(0, "jun"), QString("01"));
        QCOMPARE(win.rows()->text(1, "man"), QString("박대리"));
        QCOMPARE(win.w->grid()->totalText("cost1"), QString("1,300,000"));
        QCOMPARE(win.w->grid()->totalText("cost4"), QString("5,000"));
        QCOMPARE(win.w->historyGrid()->rows()->size(), 1);
        QCOMPARE(win.w->historyGrid()->rows()->text(0, "why"), QString("중복"));
        QCOMPARE(win.button("ok_btn")->text(), QString("미결"));
        // The deposit search is not there yet.
        QCOMPARE(enabledButtons(win), (QStringList{"newbtn", "edtbtn", "delbtn", "hlpbtn"}));
    }

    // "거래처" and "현 장" open the customer and site windows over the day.
    void masterButtonsOpenTheirWindows()
    {
        TestDb db;
        office();
        Window win(0);
        QStringList opened;
        Kit::setModalHook([&](QDialog* d) {
            opened << d->objectName();
            d->reject();
        });
        win.click("custbtn");
        win.click("sitebtn");
        Kit::setModalHook({});
        QCOMPARE(opened, QStringList({"TCUSTOMER_F", "THYUNJANG_F"}));
    }

    // Cash with a discount for a per-site customer, then a note with its due
    // date for an integrated customer on its site 000.
    void entersDepositsByKeyboard()
    {
        TestDb db;
        office();
        store("r_ipkum", "01", 1);
        Window win(0);
        int calendarOpened = 0;
        Kit::setModalHook([&](QDialog* d) {
            auto* cal = qobject_cast<TCalendarDlg*>(d);
            if (!cal) {
                d->reject();
                return;
            }
            ++calendarOpened;
            cal->calendar()->setSelectedDate(QDate(2024, 6, 30));
            QTest::keyClick(cal->calendar()->findChild<QTableView*>(), Qt::Key_Return);
        });

        win.click("newbtn");
        QCOMPARE(enabledButtons(win), (QStringList{"savbtn", "canbtn"}));
        win.typeCell("grcd", "A001");
        QCOMPARE(win.rows()->text(1, "grcd_name"), QString("대한건설"));
        win.typeCell("code", "001");
        QCOMPARE(win.rows()->text(1, "jun"), QString("02"));
        QCOMPARE(win.rows()->text(1, "man"), QString("박대리"));
        win.typeCell("cost1", "12x");    // letters never reach the cell
        QCOMPARE(win.rows()->number(1, "cost1"), 12.0);
        win.typeCell("cost1", "1000000");
        win.typeCell("cost4", "500000");
        win.typeCell("last_date", "");   // no note amount: no calendar
        QCOMPARE(calendarOpened, 0);
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList());
        Rows r = Sql::select("select * from r_ipkum where jun = '02'");
        QCOMPARE(r.number(0, "hyun"), 1000000.0);
        QCOMPARE(r.number(0, "hap_kum"), 1500000.0);
        QCOMPARE(win.w->grid()->totalText("cost1"), QString("1,000,001"));

        win.click("newbtn");
        win.typeCell("grcd", "B001");
        win.typeCell("code", "000");
        QCOMPARE(win.rows()->text(2, "jun"), QString("03"));
        win.typeCell("cost2", "2000000");
        win.typeCell("card_num", "자12345");
        win.typeCell("last_date", "");
        QCOMPARE(calendarOpened, 1);
        QVERIFY(QTest::qWaitForWindowActive(win.w.get()));
        QCOMPARE(win.rows()->text(2, "last_date"), QString("2024-06-30"));
        win.typeCell("bank", "국민은행");
        win.typeCell("memo", "3월분");
        QCOMPARE(QApplication::focusWidget(), win.button("savbtn"));
        win.click("savbtn");
        r = Sql::select("select * from r_ipkum where jun = '03'");
        QCOMPARE(r.text(0, "code"), QString("000"));
        QCOMPARE(r.text(0, "misu"), QString("T"));
        QCOMPARE(r.text(0, "kawn_sa"), QString("K"));
        QCOMPARE(r.text(0, "last_date"), QString("2024-06-30"));
        QCOMPARE(r.text(0, "bank"), QString("국민은행"));
        QCOMPARE(r.text(0, "man_name"), QString("최과장"));
        QCOMPARE(enabledButtons(win), (QStringList{"newbtn", "edtbtn", "delbtn", "hlpbtn"}));
    }

    void changeAndDeleteNeedReasonAndPassword()
    {
        TestDb db;
        office();
        store("tax_ipkum", "01", 300000);
        store("tax_ipkum", "02", 7000);
        Window win(1);
        QTest::mouseClick(win.w->grid()->viewport(), Qt::LeftButton, {},
                          win.w->grid()->visualRect(win.rows()->indexOf(0, "grcd")).center());

        win.click("edtbtn");
        win.reasonAndPassword("정정", "wrong");
        QCOMPARE(Messages::shownTexts(), QStringList{"암호가 틀렸습니다."});
        QVERIFY(!win.w->grid()->editable());

        win.click("edtbtn");
        win.reasonAndPassword("어음으로 정정", "c589");
        QCOMPARE(win.w->entryMode(), 2);
        QVERIFY(win.w->grid()->editable());
        win.typeCell("cost1", "0");
        win.typeCell("cost2", "300000");
        win.click("savbtn");
        QCOMPARE(Sql::scalar("select au from tax_ipkum where jun = '01'").toDouble(), 300000.0);
        Rows h = Sql::select("select * from rd_ipkum");
        QCOMPARE(h.size(), 1);
        QCOMPARE(h.text(0, "status"), QString("E"));
        QCOMPARE(h.number(0, "hyun"), 300000.0); // as it was when picked
        QCOMPARE(h.text(0, "why"), QString("어음으로 정정"));
        QCOMPARE(win.w->historyGrid()->rows()->size(), 1);

        win.w->grid()->setCurrentRecord(1);
        win.click("delbtn");
        Messages::queueAnswer(false);
        win.reasonAndPassword("중복", "c589");
        QCOMPARE(count("select count(*) from tax_ipkum"), 2);
        win.click("delbtn");
        win.reasonAndPassword("중복", "c589");
        QCOMPARE(count("select count(*) from tax_ipkum"), 1);
        QCOMPARE(win.rows()->size(), 1);
        h = Sql::select("select * from rd_ipkum where status = 'D'");
        QCOMPARE(h.text(0, "jun"), QString("02"));
        QCOMPARE(h.number(0, "hyun"), 7000.0);
        QCOMPARE(win.w->historyGrid()->rows()->size(), 2);
        QCOMPARE(win.w->grid()->totalText("cost2"), QString("300,000"));
    }

    // The approval of r_ipkum locks the tax deposits of the day as well.
    void approvalLocksTheDay()
    {
        TestDb db;
        office();
        store("r_ipkum", "01", 10);
        store("tax_ipkum", "01", 10);
        Window win(1);
        win.click("ok_btn");
        auto* pass = win.w->findChild<QLineEdit*>("pass1_edit");
        QTest::keyClicks(pass, "c589"); // the correction password does not approve
        QTest::keyClick(pass, Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList{"암호가 틀렸습니다."});
        QVERIFY(!win.w->findChild<QWidget*>("ok_pan")->isVisible());

        win.click("ok_btn");
        QTest::keyClicks(pass, "a111");
        QTest::keyClick(pass, Qt::Key_Return);
        QVERIFY(win.w->findChild<QWidget*>("ok_pan")->isVisible());
        win.w->findChild<QComboBox*>("com_okno")->setCurrentText("결재");
        win.click("btn_ok");
        QCOMPARE(win.button("ok_btn")->text(), QString("결재"));
        QCOMPARE(Sql::scalar("select okno from r_ipkum").toString(), QString("결재"));

        Messages::clearShown();
        win.click("delbtn");
        win.reasonAndPassword("중복", "c589");
        QCOMPARE(Messages::shownTexts(), (QStringList{"삭제하겠습니까?", "결재가 완료된 자료입니다. 사장님 결재요망"}));
        QCOMPARE(count("select count(*) from tax_ipkum"), 1);
    }

    void printsTheJournalOfItsBook()
    {
        TestDb db;
        office();
        store("tax_ipkum", "01", 120000, 30000);
        store("r_ipkum", "01", 999);
        Window win(1);
        ReportDocument shown;
        Kit::setModalHook([&](QDialog* d) {
            if (auto* p = qobject_cast<ReportPreview*>(d))
                shown = p->document();
            d->reject();
        });
        win.click("hlpbtn");
        QCOMPARE(shown.name, QString("qr_ipkumilbo_f3"));
        QCOMPARE(shown.printedRows.size(), 1);
        QVERIFY(shown.printedRows[0].contains("120,000"));
    }
};

QTEST_MAIN(TestIpkumWindow)
#include "tst_ipkum_window.moc"
