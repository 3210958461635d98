#include "books/ui/Tmast_f.h"
#include "data/Routines.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "reports/ui/ReportPreview.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QString Day = "2024-03-05";

void office()
{
    session().SessionSaup = "01";
    session().SessionUser = "김과장";
    session().SessionCompanyName = "한빛레미콘";
    session().SessionLevel = LevelQ;
    insertRow("youngup", {{"code", "589"}, {"man", "정정"}, {"pass", "c589"}});
    insertRow("youngup", {{"code", "111"}, {"man", "결재"}, {"pass", "a111"}});
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "V"}, {"julsa", "10"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"grcode", "A001001"},
                             {"kawn_sa", "S"}, {"misu", "H"}, {"man_code", "003"}, {"man_name", "박대리"},
                             {"order_nul", 93.5}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2020-01-01"}, {"gubun", "0"}, {"kind", "레미콘"},
                         {"standard", "25-21-15"}, {"kwan_danga", 60000}, {"sa_danga", 70000}});
}

void storeRow(const QString& table, const QString& seq, double m3, double danga, double kum, double vatkum,
              double hap, const QString& taxSeq = QString())
{
    insertRow(table, {{"ilja", Day}, {"ul", Day.left(7)}, {"yun", Day.left(4)}, {"seq", seq}, {"grcd", "A001"},
                      {"grcd_name", "대한건설"}, {"code", "001"}, {"code_name", "역삼현장"}, {"remi_code", "1001"},
                      {"kind", "레미콘"}, {"standard", "25-21-15"}, {"m3", m3}, {"danga", danga}, {"vat", "V"},
                      {"kum", kum}, {"vatkum", vatkum}, {"hap", hap}, {"kawn_sa", "S"}, {"misu", "H"},
                      {"man_code", "003"}, {"man_name", "박대리"}, {"tax_ilja", taxSeq.isEmpty() ? "" : Day},
                      {"tax_seq", taxSeq}});
}

// The window on Day, shown, for the book given.
struct Window {
    explicit Window(int book)
    {
        session().BookMode = book;
        w = std::make_unique<Tmast_f>();
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

    // Types into a cell of the current record and presses Enter.
    void typeCell(const QString& field, const QString& text) const
    {
        DataGrid* g = w->grid();
        g->setCurrentRecord(g->currentRecord(), field);
        g->edit(g->currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor && editor->parent() == g->viewport());
        editor->selectAll();
        // Typed key by key (so the cell's validator sees each); Hangul as committed input.
        for (const QChar c : text) {
            if (c.unicode() < 128)
                QTest::keyClick(editor, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, editor, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QTest::keyClick(editor, Qt::Key_Return);
    }
    // The reason, then a password, typed into their panels.
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
    std::unique_ptr<Tmast_f> w;
};

QStringList enabledButtons(const Window& win)
{
    QStringList names;
    for (const char* n : {"newbtn", "edtbtn", "delbtn", "fndbtn", "savbtn", "canbtn", "hlpbtn", "custbtn", "sitebtn"})
        if (win.button(n)->isEnabled())
            names << n;
    return names;
}

int count(const QString& sql) { return Sql::scalar(sql).toInt(); }

} // namespace

class TestMastWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kit::useApplicationFont(); }
    void init()
    {
        Messages::startScript();
        Messages::clearShown();
    }
    void cleanup() { Messages::stopScript(); }

    // The day of the chosen book, its history, totals and approval state.
    void showsTheDayOfItsBook()
    {
        TestDb db;
        office();
        storeRow("tax_mast", "02", 3, 50000, 150000, 15000, 1);       // a stored hap that disagrees
        storeRow("tax_mast", "01", 2, 60000, 120000, 12000, 132000);
        storeRow("r_mast", "01", 9, 9, 9, 9, 9);
        insertRow("rd_mast", {{"ilja", Day}, {"seq", "07"}, {"grcd_name", "지운곳"}, {"status", "D"}, {"why", "중복"}});
        Window win(1);
        QCOMPARE(win.w->book().table(), QString("tax_mast"));
        QCOMPARE(win.rows()->size(), 2);
        QCOMPARE(win.rows()->text(0, "seq"), QString("01"));
        QVERIFY(win.rows()->value(0, "yul").isNull()); // no rate outside the sales book
        DataGrid* g = win.w->grid();
        QCOMPARE(g->totalText("m3"), QString("5.00"));
        QCOMPARE(g->totalText("kum"), QString("270,000"));
        QCOMPARE(g->totalText("hap"), QString("297,000")); // Σkum + Σvatkum, not Σhap
        QCOMPARE(win.w->historyGrid()->rows()->text(0, "why"), QString("중복"));
        QCOMPARE(win.w->historyGrid()->rows()->data(win.w->historyGrid()->rows()->index(0, 0), Qt::BackgroundRole)
                     .value<QColor>(),
                 QColor(Qt::yellow));
        QCOMPARE(win.button("ok_btn")->text(), QString("미결"));
        QCOMPARE(enabledButtons(win), (QStringList{"newbtn", "edtbtn", "delbtn", "hlpbtn", "custbtn", "sitebtn"}));

        auto* pages = win.w->findChild<QTabWidget*>("PageControl1");
        pages->setCurrentIndex(1);
        QCOMPARE(enabledButtons(win), (QStringList{"hlpbtn", "custbtn", "sitebtn"}));
        pages->setCurrentIndex(0);
        QCOMPARE(enabledButtons(win), (QStringList{"newbtn", "edtbtn", "delbtn", "hlpbtn", "custbtn", "sitebtn"}));

        // The customer window opens over it.
        QString opened;
        Kit::setModalHook([&](QDialog* d) {
            opened = d->objectName();
            d->reject();
        });
        win.click("custbtn");
        Kit::setModalHook({});
        QCOMPARE(opened, QString("TCUSTOMER_F"));
    }

    // A new row typed cell by cell: lookups, numbering, the price proposal
    // and the amounts, then saved.
    void newRowThroughTheCells()
    {
        TestDb db;
        office();
        storeRow("r_mast", "51", 1, 1, 1, 0, 1);
        Window win(0);
        win.click("newbtn");
        QCOMPARE(win.w->state(), EntryForm::New);
        QCOMPARE(enabledButtons(win), (QStringList{"savbtn", "canbtn", "custbtn", "sitebtn"}));
        const int r = win.w->grid()->currentRecord();
        QCOMPARE(win.rows()->text(r, "ilja"), Day);

        win.typeCell("grcd", "A001");
        QCOMPARE(win.rows()->text(r, "grcd_name"), QString("대한건설"));
        QCOMPARE(win.rows()->text(r, "vat"), QString("V"));
        QCOMPARE(win.w->grid()->currentField(), QString("code"));
        win.typeCell("code", "001");
        QCOMPARE(win.rows()->text(r, "man"), QString("박대리"));
        QCOMPARE(win.rows()->number(r, "yul"), 93.5);
        win.typeCell("remi_code", "1001");
        QCOMPARE(win.rows()->text(r, "seq"), QString("52"));
        QCOMPARE(win.rows()->text(r, "standard"), QString("25-21-15"));
        QCOMPARE(win.rows()->number(r, "danga"), 65400.0); // 65,450 cut to hundreds
        QCOMPARE(win.rows()->number(r, "yul"), 93.0);

        // Letters never reach a quantity: the cell keeps a number.
        win.typeCell("m3", "6x.5");
        QCOMPARE(win.rows()->number(r, "m3"), 6.5);
        QCOMPARE(win.rows()->number(r, "kum"), 425100.0);
        QCOMPARE(win.rows()->number(r, "vatkum"), 42510.0);
        win.typeCell("danga", "55555");
        QCOMPARE(win.rows()->number(r, "yul"), 79.0);
        QCOMPARE(win.rows()->number(r, "kum"), 361108.0); // 361,107.5 to even
        QCOMPARE(win.rows()->number(r, "hap"), 397218.0);
        win.typeCell("vat", "n");
        QCOMPARE(win.rows()->text(r, "vat"), QString("N"));
        win.typeCell("hap", "100001");
        QCOMPARE(win.rows()->number(r, "kum"), 90910.0);
        QCOMPARE(win.rows()->number(r, "vatkum"), 9091.0);
        win.typeCell("memo", "손입력");
        QCOMPARE(QApplication::focusWidget(), win.button("savbtn"));

        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(win.w->state(), EntryForm::Browse);
        const Rows stored = Sql::select("select * from r_mast where seq = '52'");
        QCOMPARE(stored.size(), 1);
        QCOMPARE(stored.number(0, "hap"), 100001.0);
        QCOMPARE(stored.number(0, "danga"), double(Round(100001.0L / 6.5L)));
        QCOMPARE(stored.text(0, "memo"), QString("손입력"));
        QCOMPARE(stored.text(0, "man_name"), QString("박대리"));
        QCOMPARE(count("select count(*) from rd_mast"), 0);
    }

    void incompleteRowIsRefusedAndStaysOpen()
    {
        TestDb db;
        office();
        Window win(0);
        win.click("newbtn");
        win.typeCell("grcd", "A001");
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList{"자료가 모두 입력되지 않았읍니다."});
        QCOMPARE(win.w->state(), EntryForm::New);
        QVERIFY(win.w->grid()->editable());
        win.click("canbtn");
        QCOMPARE(win.rows()->size(), 0);
        QCOMPARE(count("select count(*) from r_mast"), 0);
    }

    // Another station stored the row's number first: the confirmation comes,
    // and Cancel writes nothing.
    void newRowMeetingAStoredRowAsks()
    {
        TestDb db;
        office();
        Window win(0);
        win.click("newbtn");
        win.typeCell("grcd", "A001");
        win.typeCell("code", "001");
        win.typeCell("remi_code", "1001");
        win.typeCell("m3", "2");
        storeRow("r_mast", "01", 7, 7, 7, 0, 7);
        Messages::queueAnswer(false);
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList{"자료가 이미 존재합니다.\n 갱신하시겠습니까?"});
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '01'").toDouble(), 7.0);
        QCOMPARE(win.w->state(), EntryForm::New);
    }

    void changeWithReasonAndPassword()
    {
        TestDb db;
        office();
        storeRow("r_mast", "01", 2, 60000, 120000, 12000, 132000);
        Window win(0);
        win.w->grid()->setCurrentRecord(0);

        // A wrong password changes nothing.
        win.click("edtbtn");
        win.reasonAndPassword("수량 정정", "xxxx");
        QCOMPARE(Messages::shownTexts(), QStringList{"암호가 틀렸습니다."});
        QCOMPARE(win.w->state(), EntryForm::Browse);

        Messages::clearShown();
        win.click("edtbtn");
        QCOMPARE(win.w->findChild<QLineEdit*>("edt_job")->text(), QString("수량 정정")); // kept
        win.reasonAndPassword("수량 정정", "c589");
        QCOMPARE(win.w->state(), EntryForm::Edit);
        QCOMPARE(win.w->entryMode(), 2);
        win.typeCell("m3", "3");
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(Sql::scalar("select kum from r_mast where seq = '01'").toDouble(), 180000.0);
        GridModel* h = win.w->historyGrid()->rows();
        QCOMPARE(h->size(), 1);
        QCOMPARE(h->text(0, "status"), QString("E"));
        QCOMPARE(h->text(0, "why"), QString("수량 정정"));
        QCOMPARE(h->number(0, "m3"), 2.0); // as it was when the row was picked
        QCOMPARE(Sql::scalar("select dam_name from rd_mast").toString(), QString("김과장"));
    }

    void deleteAsksThenLeavesHistory()
    {
        TestDb db;
        office();
        storeRow("r_mast", "01", 2, 60000, 120000, 12000, 132000);
        storeRow("r_mast", "02", 4, 60000, 240000, 24000, 264000);
        Window win(0);
        win.w->grid()->setCurrentRecord(1);

        Messages::queueAnswer(false);
        win.click("delbtn");
        win.reasonAndPassword("중복", "c589");
        QCOMPARE(Messages::shownTexts(), QStringList{"삭제하겠습니까?"});
        QCOMPARE(win.w->statePanel()->text(), QString("조회및 등록"));
        QCOMPARE(count("select count(*) from r_mast"), 2);

        Messages::clearShown();
        win.click("delbtn");
        QVERIFY(win.w->findChild<QLineEdit*>("edt_job")->text().isEmpty()); // emptied for a deletion
        win.reasonAndPassword("중복", "c589");
        QCOMPARE(Messages::shownTexts(), QStringList{"삭제하겠습니까?"});
        QCOMPARE(win.rows()->size(), 1);
        QCOMPARE(win.w->grid()->totalText("m3"), QString("2.00"));
        QCOMPARE(Sql::scalar("select seq from r_mast").toString(), QString("01"));
        QCOMPARE(win.w->historyGrid()->rows()->text(0, "status"), QString("D"));
        QCOMPARE(win.w->historyGrid()->rows()->number(0, "m3"), 4.0);
    }

    void rowsUnderATaxInvoiceAreNotTouched()
    {
        TestDb db;
        office();
        storeRow("tax_mast", "01", 2, 60000, 120000, 12000, 132000, "01-05");
        Window win(1);
        win.w->grid()->setCurrentRecord(0);
        win.click("edtbtn");
        win.reasonAndPassword("정정", "c589");
        QCOMPARE(win.w->state(), EntryForm::Browse);
        win.click("delbtn");
        win.reasonAndPassword("정정", "c589");
        QCOMPARE(Messages::shownTexts(), (QStringList{"세금계산서가 발행된 자료이므로 수정할 수 없습니다.",
                                                      "세금계산서가 발행된 자료이므로 삭제할 수 없습니다."}));
        QCOMPARE(count("select count(*) from tax_mast"), 1);
    }

    // Approval acts on the sales book: a day approved there refuses a save
    // in the tax book until it is reopened.
    void approvalLocksTheDay()
    {
        TestDb db;
        office();
        storeRow("r_mast", "01", 2, 60000, 120000, 12000, 132000);
        storeRow("tax_mast", "01", 2, 60000, 120000, 12000, 132000);
        Window win(1);
        auto approve = [&](const QString& mark, const QString& password) {
            win.click("ok_btn");
            auto* pass = win.w->findChild<QLineEdit*>("pass1_edit");
            QVERIFY(pass->isVisible());
            QTest::keyClicks(pass, password);
            QTest::keyClick(pass, Qt::Key_Return);
            if (!win.w->findChild<QWidget*>("ok_pan")->isVisible())
                return;
            win.w->findChild<QComboBox*>("com_okno")->setCurrentText(mark);
            win.click("btn_ok");
        };
        approve("결재", "c589"); // the correction password does not approve
        QCOMPARE(Messages::shownTexts(), QStringList{"암호가 틀렸습니다."});
        QCOMPARE(win.button("ok_btn")->text(), QString("미결"));

        Messages::clearShown();
        approve("결재", "a111");
        QCOMPARE(win.button("ok_btn")->text(), QString("결재"));
        QVERIFY(SalesBook::dayApproved(Day));

        win.w->grid()->setCurrentRecord(0);
        win.click("edtbtn");
        win.reasonAndPassword("정정", "c589");
        win.typeCell("m3", "3");
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList{"결재가 완료된 자료입니다. 사장님 결재요망"});
        QCOMPARE(Sql::scalar("select m3 from tax_mast").toDouble(), 2.0);
        win.click("canbtn");

        Messages::clearShown();
        approve("미결", "a111");
        QCOMPARE(win.button("ok_btn")->text(), QString("미결"));
        win.w->grid()->setCurrentRecord(0);
        win.click("edtbtn");
        win.reasonAndPassword("정정", "c589");
        win.typeCell("m3", "3");
        win.click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(Sql::scalar("select m3 from tax_mast").toDouble(), 3.0);
        QCOMPARE(count("select count(*) from rd_mast"), 0); // no history outside the sales book
    }

    void printsTheJournalOfTheBook()
    {
        TestDb db;
        office();
        storeRow("jo_mast", "01", 2, 60000, 120000, 12000, 132000);
        storeRow("r_mast", "01", 9, 9, 9, 9, 9);
        Window win(2);
        ReportDocument shown;
        Kit::setModalHook([&](QDialog* d) {
            if (auto* p = qobject_cast<ReportPreview*>(d))
                shown = p->document();
            d->reject();
        });
        win.click("hlpbtn");
        Kit::setModalHook({});
        QCOMPARE(shown.name, QString("qr_mastilbo_f1"));
        QCOMPARE(shown.printedRows.size(), 1);
        QVERIFY(shown.printedRows[0].contains("120,000"));
    }
};

QTEST_MAIN(TestMastWindow)
#include "tst_mast_window.moc"
