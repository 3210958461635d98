#include "data/Session.h"
#include "data/Sql.h"
#include "masters/ui/TCUSTOMER_F.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTest>

namespace {

int count(const QString& sql) { return Sql::scalar(sql).toInt(); }

} // namespace

class TestCustomerWindow : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
    TCUSTOMER_F* w = nullptr;

    Field* f(const char* name) const { return w->field(QLatin1String(name)); }
    ListField* l(const char* name) const { return w->list(QLatin1String(name)); }
    void click(const char* button) { QTest::mouseClick(w->button(QLatin1String(button)), Qt::LeftButton); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    QStringList enabledButtons() const
    {
        QStringList out;
        for (const char* n : {"newbtn", "edtbtn", "delbtn", "prnbtn", "savbtn", "canbtn", "hyunbtn"})
            if (w->button(QLatin1String(n))->isEnabled())
                out << QLatin1String(n);
        return out;
    }
    // Shows the customer `grcd` as a grid click does.
    void select(const QString& grcd)
    {
        for (int r = 0; r < w->grid()->rows()->size(); ++r)
            if (w->grid()->rows()->text(r, "grcd") == grcd) {
                w->grid()->setCurrentRecord(r);
                emit w->grid()->recordClicked(r);
                return;
            }
        QFAIL(qPrintable("no row " + grcd));
    }
    void password(const QString& typed)
    {
        QWidget* edit = w->findChild<QWidget*>("pass_edit");
        QVERIFY(edit && edit->isVisible());
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }

private slots:
    void initTestCase() { Kit::useApplicationFont(); }

    void init()
    {
        db_ = new TestDb;
        session().SessionSaup = "01";
        session().SessionCompanyName = "대한레미콘";
        insertRow("youngup", {{"code", "589"}, {"man", "정정"}, {"pass", "5890"}});
        insertRow("youngup", {{"code", "100"}, {"man", "관급담당"}});
        insertRow("customer", {{"grcd", "B001"}, {"cust_set", "B"}, {"cust_seq", "001"}, {"name", "부산건설"},
                               {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "V"}});
        insertRow("customer", {{"grcd", "B007"}, {"cust_set", "B"}, {"cust_seq", "007"}, {"name", "백두산업"},
                               {"kawn_sa", "K"}, {"misu", "G"}, {"vat", "N"}});
        insertRow("r_hyunjang", {{"grcd", "B007"}, {"code", "000"}, {"name", "현장통합"}, {"misu", "T"},
                                 {"man_code", "100"}, {"man_name", "관급담당"}, {"order_nul", 100.0}});
        insertRow("r_ipkum", {{"ilja", "2024-03-02"}, {"jun", "01"}, {"grcd", "B007"}, {"code", "000"}});
        Messages::startScript();
        w = new TCUSTOMER_F;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void cleanup()
    {
        delete w;
        Messages::stopScript();
        delete db_;
    }

    void siteButtonOpensTheSiteWindow()
    {
        select("B007");
        QString opened;
        Kit::setModalHook([&](QDialog* d) {
            opened = d->objectName();
            d->reject();
        });
        click("hyunbtn");
        Kit::setModalHook({});
        QCOMPARE(opened, QString("THYUNJANG_F"));
    }

    void openingShowsFirstRow()
    {
        QCOMPARE(w->grid()->rows()->size(), 2);
        QCOMPARE(f("CU01")->value() + f("CU02")->value(), QString("B001"));
        QCOMPARE(enabledButtons(), QStringList({"newbtn", "edtbtn", "delbtn", "prnbtn", "canbtn", "hyunbtn"}));
        QVERIFY(!f("CU03")->isEnabled());
        QVERIFY(!w->findChild<QGroupBox*>("DamPAN")->isVisible());
        select("B007");
        QVERIFY(w->findChild<QGroupBox*>("DamPAN")->isVisible());
        QCOMPARE(l("CU12")->value(), QString("관수1"));
        QCOMPARE(f("CU21")->value(), QString("관급담당"));
        // Without the ledger statement the ledger entries cannot be chosen.
        for (QAction* a : w->gridMenu()->actions())
            QVERIFY(!a->isEnabled());
    }

    void codeEntryKeys()
    {
        click("newbtn");
        QCOMPARE(w->state(), EntryForm::New);
        QVERIFY(!w->grid()->isEnabled());
        QCOMPARE(focused(), f("CU01"));

        // Enter in the empty letter field, then a key that is no letter.
        QTest::keyClick(f("CU01"), Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList({"코드를 입력하시오", "영문으로 입력하시오"}));
        Messages::clearShown();
        QTest::keyClick(f("CU01"), '3');
        QCOMPARE(Messages::shownTexts(), QStringList({"영문으로 입력하시오"}));
        QCOMPARE(f("CU01")->value(), QString());
        Messages::clearShown();

        // A lower-case letter: upper case, next number of that letter, on to the number.
        QTest::keyClick(f("CU01"), 'b');
        QCOMPARE(f("CU01")->value(), QString("B"));
        QCOMPARE(f("CU02")->value(), QString("008"));
        QCOMPARE(focused(), f("CU02"));
        QTest::keyClick(f("CU01"), 'q');
        QCOMPARE(f("CU02")->value(), QString("001"));

        // Backspace and letters in the number are wrong keys and are discarded.
        f("CU02")->setFocus();
        QTest::keyClick(f("CU02"), Qt::Key_Backspace);
        QTest::keyClick(f("CU02"), 'x');
        QCOMPARE(Messages::shownTexts(),
                 QStringList({"코드 등록이 잘못되었습니다.", "코드 등록이 잘못되었습니다."}));
        QCOMPARE(f("CU02")->value(), QString("001"));
        Messages::clearShown();

        // An empty number, then a taken one, keep the focus; a free one is padded and moves on.
        f("CU01")->setValue("B");
        f("CU02")->clear();
        QTest::keyClick(f("CU02"), Qt::Key_Return);
        QTest::keyClicks(f("CU02"), "7");
        QTest::keyClick(f("CU02"), Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList({"코드 등록이 잘못되었습니다.", "이미 코드가 존재합니다."}));
        QCOMPARE(f("CU02")->value(), QString());
        QCOMPARE(focused(), f("CU02"));
        QTest::keyClicks(f("CU02"), "9");
        QTest::keyClick(f("CU02"), Qt::Key_Return);
        QCOMPARE(f("CU02")->value(), QString("009"));
        QCOMPARE(focused(), f("CU03"));

        // A name already registered is pointed out but not refused.
        Messages::clearShown();
        f("CU03")->setText("부산건설");
        QTest::keyClick(f("CU03"), Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList({"이미 등록된 거래처 입니다.\n거래처 코드는 'B001'입니다."}));
        QCOMPARE(focused(), f("CU04"));
    }

    void registerPublicCustomerWithSite()
    {
        click("newbtn");
        QTest::keyClick(f("CU01"), 'k');
        f("CU03")->setText("조달청 '서울'");
        // A typed class code becomes its label; a public class keeps its receivable as a whole.
        l("CU12")->setFocus();
        QTest::keyClick(l("CU12"), 'l');
        QCOMPARE(l("CU12")->value(), QString("관수2"));
        QCOMPARE(l("CU13")->value(), QString("현장통합"));
        QCOMPARE(l("CU14")->value(), QString("포함"));
        QVERIFY(w->findChild<QGroupBox*>("DamPAN")->isVisible());
        QCOMPARE(f("cu25")->number(), 100.0);
        // Arrows: a private class switches to per site, a public one back.
        QTest::keyClick(l("CU12"), Qt::Key_Down);
        QCOMPARE(l("CU12")->value(), QString("민수1"));
        QCOMPARE(l("CU13")->value(), QString("현장별"));
        QVERIFY(!w->findChild<QGroupBox*>("DamPAN")->isVisible());
        QTest::keyClick(l("CU12"), Qt::Key_Up);
        QTest::keyClick(l("CU12"), Qt::Key_Up);
        QCOMPARE(l("CU12")->value(), QString("관수1"));
        QCOMPARE(l("CU13")->value(), QString("현장통합"));
        // Enter on the basis of a 관수1 customer: the public desk 100 looks after it.
        l("CU13")->setFocus();
        QTest::keyClick(l("CU13"), Qt::Key_Return);
        QCOMPARE(f("CU20")->value(), QString("100"));
        QCOMPARE(f("CU21")->value(), QString("관급담당"));
        f("CU22")->setText("02-1234-5678");

        click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(w->state(), EntryForm::Browse);
        QCOMPARE(Sql::select("select name, kawn_sa, misu, vat from customer where grcd = 'K001'").text(0, "name"),
                 QString("조달청 '서울'"));
        const Rows site = Sql::select("select * from r_hyunjang where grcd = 'K001'");
        QCOMPARE(site.size(), 1);
        QCOMPARE(site.text(0, "man_code"), QString("100"));
        QCOMPARE(site.text(0, "office_tel"), QString("02-1234-5678"));
        QCOMPARE(w->grid()->rows()->size(), 3);

        // The name search finds it again.
        auto* find = w->findChild<QLineEdit*>("find_edit");
        find->setText("'서울'");
        QTest::keyClick(find, Qt::Key_Return);
        QCOMPARE(w->grid()->rows()->size(), 1);
        QCOMPARE(w->grid()->rows()->text(0, "grcd"), QString("K001"));
    }

    void codeTakenMeanwhileIsNeverOverwritten()
    {
        click("newbtn");
        QTest::keyClick(f("CU01"), 'b');
        QCOMPARE(f("CU02")->value(), QString("008"));
        f("CU03")->setText("늦게온곳");
        // Another station registers B008 before this one saves.
        insertRow("customer", {{"grcd", "B008"}, {"cust_set", "B"}, {"cust_seq", "008"}, {"name", "먼저온곳"}});
        click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList({"코드가 이미 존재합니다.\n 다시 입력하시오."}));
        QCOMPARE(w->state(), EntryForm::New);
        QCOMPARE(f("CU01")->value() + f("CU02")->value(), QString());
        QCOMPARE(f("CU03")->value(), QString("늦게온곳"));
        QCOMPARE(Sql::select("select name from customer where grcd = 'B008'").text(0, "name"), QString("먼저온곳"));
        QTest::keyClick(f("CU01"), 'b');
        QCOMPARE(f("CU02")->value(), QString("009"));
    }

    void passwordGuardsChange()
    {
        select("B007");
        click("edtbtn");
        password("wrong");
        QCOMPARE(Messages::shownTexts(), QStringList({"암호가 틀렸습니다."}));
        QCOMPARE(w->state(), EntryForm::Browse);
        QVERIFY(!f("CU03")->isEnabled());

        click("edtbtn");
        password("5890");
        QCOMPARE(w->state(), EntryForm::Edit);
        QVERIFY(!f("CU01")->isEnabled() && !f("CU02")->isEnabled());
        QVERIFY(f("CU03")->isEnabled() && f("CU20")->isEnabled());
        QCOMPARE(focused(), f("CU03"));
        QCOMPARE(enabledButtons(), QStringList({"savbtn", "canbtn"}));
        QVERIFY(w->grid()->isEnabled());

        // Per site: asked first; Cancel writes nothing and keeps the change going.
        f("CU03")->setText("백두개발");
        l("CU13")->setFocus();
        QTest::keyClick(l("CU13"), 'h');
        QVERIFY(!w->findChild<QGroupBox*>("DamPAN")->isVisible());
        Messages::clearShown();
        Messages::queueAnswer(false);
        click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList({"000 : 현장통합 코드로 입금된 자료가 모두 삭제됩니다. \n 삭제하겠습니까?"}));
        QCOMPARE(w->state(), EntryForm::Edit);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'B007'"), 1);
        QCOMPARE(count("select count(*) from customer where name = '백두개발'"), 0);

        // A database failure shows its message and keeps the typed values.
        Sql::exec("create exception test_refused 'refused for the test'");
        Sql::exec("create trigger test_refuse for r_ipkum before delete as begin exception test_refused; end");
        Messages::clearShown();
        click("savbtn");
        QCOMPARE(Messages::shown().size(), 2);
        QCOMPARE(Messages::shown().at(1).kind, Messages::Kind::Error);
        QVERIFY(Messages::shown().at(1).text.contains("refused for the test"));
        QCOMPARE(w->state(), EntryForm::Edit);
        QCOMPARE(f("CU03")->value(), QString("백두개발"));
        QCOMPARE(count("select count(*) from customer where name = '백두개발'"), 0);
        Sql::exec("drop trigger test_refuse");

        click("savbtn");
        QCOMPARE(w->state(), EntryForm::Browse);
        QCOMPARE(count("select count(*) from customer where name = '백두개발' and misu = 'H'"), 1);
        QCOMPARE(count("select count(*) from r_hyunjang where grcd = 'B007'"), 0);
        QCOMPARE(count("select count(*) from r_ipkum"), 0);
    }

    void passwordAndConfirmationGuardDeletion()
    {
        select("B007");
        click("delbtn");
        Messages::queueAnswer(false);
        password("5890");
        // Cancel: nothing deleted, back to browsing the row.
        QCOMPARE(Messages::shownTexts(), QStringList({"판매 및 입금등 모든자료가 삭제됩니다. \n 삭제하겠습니까?"}));
        QCOMPARE(count("select count(*) from customer where grcd = 'B007'"), 1);
        QCOMPARE(w->statePanel()->text(), QString("조회및 등록"));

        click("delbtn");
        password("5890");
        QCOMPARE(count("select count(*) from customer where grcd = 'B007'"), 0);
        QCOMPARE(count("select count(*) from r_hyunjang"), 0);
        QCOMPARE(w->grid()->rows()->size(), 1);
        QCOMPARE(enabledButtons(), QStringList({"newbtn", "hyunbtn"}));
    }
};

QTEST_MAIN(TestCustomerWindow)
#include "tst_customer_window.moc"
