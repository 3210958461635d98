#include "data/Session.h"
#include "data/Sql.h"
#include "reports/ui/ReportPreview.h"
#include "shipping/ui/Tsuju_f.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

const QString kDay = QDate::currentDate().toString("yyyy-MM-dd");

// A private customer (class S, VAT on top, prices cut to hundreds, grade F)
// and a public-works one under contract (class K, VAT included).
void office()
{
    session().SessionSaup = "01";
    session().SessionCompanyName = "대한레미콘";
    session().SessionLevel = LevelQ;
    insertRow("customer", {{"grcd", "A001"}, {"cust_set", "A"}, {"cust_seq", "001"}, {"name", "대한건설"},
                           {"kawn_sa", "S"}, {"misu", "H"}, {"vat", "V"}, {"julsa", "10"}, {"rank", "F"}});
    insertRow("customer", {{"grcd", "K001"}, {"cust_set", "K"}, {"cust_seq", "001"}, {"name", "조달청"},
                           {"kawn_sa", "K"}, {"misu", "H"}, {"vat", "N"}, {"julsa", "0"}, {"rank", "A"}});
    insertRow("youngup", {{"code", "010"}, {"man", "김담당"}});
    insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "역삼현장"}, {"misu", "H"},
                             {"man_code", "010"}, {"man_name", "김담당"}, {"ground_tel", "010-1234"},
                             {"order_nul", 100.0}, {"build", "대한시공"}});
    insertRow("r_hyunjang", {{"grcd", "K001"}, {"code", "001"}, {"name", "청사현장"}, {"misu", "H"},
                             {"order_nul", 100.0}, {"gover", "서울시"}});
    insertRow("r_size", {{"remi_code", "1001"}, {"ilja", "2024-01-01"}, {"gubun", "0"}, {"kind", "레미콘"},
                         {"standard", "25-21-15"}, {"kwan_danga", 70000}, {"sa_danga", 75555}});
    // The public site: opening balance 100,000, contract 100 m3 at 70,000,
    // 30 m3 already sold for 2,100,000.
    insertRow("r_misu", {{"grcd", "K001"}, {"code", "001"}, {"ilja", "2024-00"}, {"kum", 100000.0}});
    insertRow("r_hyun_order", {{"grcd", "K001"}, {"code", "001"}, {"standard", "25-21-15"}, {"kind", "레미콘"},
                               {"demand1", "2024-01-01"}, {"demand2", "9999-12-31"}, {"amount", 100.0},
                               {"cost", 70000.0}, {"order_num", "N-1"}});
    insertRow("r_mast", {{"ilja", "2024-02-01"}, {"seq", "01"}, {"grcd", "K001"}, {"code", "001"},
                         {"standard", "25-21-15"}, {"kind", "레미콘"}, {"remi_code", "1001"}, {"m3", 30.0},
                         {"kum", 1909091.0}, {"vatkum", 190909.0}, {"hap", 2100000.0}});
}

} // namespace

class TestSujuWindow : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
    Tsuju_f* w = nullptr;

    Field* f(const char* name) const { return w->field(QLatin1String(name)); }
    void click(const char* button) { QTest::mouseClick(w->button(QLatin1String(button)), Qt::LeftButton); }
    static QWidget* focused() { return QApplication::focusWidget(); }
    void type(const char* name, const QString& text)
    {
        Field* field = f(name);
        field->setFocus();
        field->clear();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    QStringList enabledButtons() const
    {
        QStringList out;
        for (const char* n : {"newbtn", "edtbtn", "findbtn", "delbtn", "savbtn", "canbtn", "clsbtn", "prnbtn"})
            if (w->button(QLatin1String(n))->isEnabled())
                out << QLatin1String(n);
        return out;
    }
    void clickOrder(const QString& seq)
    {
        GridModel* rows = w->dayGrid()->rows();
        for (int r = 0; r < rows->size(); ++r)
            if (rows->text(r, "SEQ") == seq) {
                emit w->dayGrid()->recordClicked(r);
                return;
            }
        QFAIL(qPrintable("no order " + seq));
    }
    void storedOrder(const QString& seq, const QString& grcd = "A001")
    {
        insertRow("r_suju", {{"ilja", kDay}, {"seq", seq}, {"grcd", grcd}, {"v_inout", "대한건설"}, {"code", "001"},
                             {"v_station", "역삼현장"}, {"remi_code", "1001"}, {"v_rule", "25-21-15"},
                             {"order_m3", 10.0}, {"danga", 60000.0}, {"vat", "V"}, {"v_outorder", 0.0},
                             {"v_hon", "0.8"}, {"cement", "포틀랜드1종"}});
    }
    void reopen()
    {
        delete w;
        w = new Tsuju_f;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

private slots:
    void initTestCase() { Kit::useApplicationFont(); }

    void init()
    {
        db_ = new TestDb;
        office();
        Messages::startScript();
        reopen();
    }

    void cleanup()
    {
        delete w;
        w = nullptr;
        Messages::stopScript();
        delete db_;
    }

    void keyFieldsAndStates()
    {
        QCOMPARE(f("HY01")->value(), kDay);
        QCOMPARE(enabledButtons(), QStringList({"newbtn", "clsbtn", "prnbtn"}));
        QVERIFY(!f("HY03")->isEnabled());
        QVERIFY(f("HY01")->isEnabled());
        QCOMPARE(w->pages()->currentWidget(), static_cast<QWidget*>(w->dayGrid()));

        click("newbtn");
        QCOMPARE(enabledButtons(), QStringList({"savbtn", "canbtn", "clsbtn"}));
        QCOMPARE(w->list("hy20")->value(), QString("포틀랜드1종"));
        QCOMPARE(w->list("hy22")->value(), QString("AE감수제표준형"));
        QCOMPARE(f("HY24")->value(), QString("00:00"));
        QCOMPARE(focused(), f("HY01"));

        // A day without orders proposes 01; the number moves on from the highest.
        QTest::keyClick(f("HY01"), Qt::Key_Return);
        QCOMPARE(f("HY02")->value(), QString("01"));
        QCOMPARE(focused(), f("HY02"));
        storedOrder("07");
        f("HY01")->setFocus();
        QTest::keyClick(f("HY01"), Qt::Key_Return);
        QCOMPARE(f("HY02")->value(), QString("08"));
        QCOMPARE(w->dayGrid()->rows()->size(), 1);

        // "7" is padded and loads order 07 with its customer and site.
        type("HY02", "7");
        QCOMPARE(f("HY02")->value(), QString("07"));
        QCOMPARE(f("HY06")->value(), QString("역삼현장"));
        QCOMPARE(f("HY08")->value(), QString("김담당"));
        QCOMPARE(f("HY07")->value(), QString("민수1"));
        QCOMPARE(f("E_hon")->value(), QString("0.8"));
        // An unknown number in new mode just moves on.
        type("HY02", "42");
        QCOMPARE(f("HY02")->value(), QString("42"));
        QCOMPARE(focused(), f("HY03"));

        click("canbtn");
        QCOMPARE(w->state(), EntryForm::Browse);
        QCOMPARE(f("HY02")->value(), QString());
        QVERIFY(!f("HY03")->isEnabled());
    }

    // A private order typed field by field: grade F message, site details,
    // the proposed price (75,555 at rate 100 cut to hundreds), then saved.
    void privateOrderThroughTheKeys()
    {
        insertRow("r_suju", {{"ilja", "2023-01-01"}, {"seq", "01"}, {"cement", "조강"}});
        reopen();
        QVERIFY(w->list("hy20")->findText("조강") >= 0);
        click("newbtn");
        QTest::keyClick(f("HY01"), Qt::Key_Return);
        type("HY03", "a001");
        QCOMPARE(Messages::shownTexts(), QStringList({"이 거래처의 등급은 F입니다."}));
        QCOMPARE(f("hy04")->value(), QString("대한건설"));
        QCOMPARE(f("HY13")->value(), QString("별도"));
        QCOMPARE(f("hy36")->value(), QString("V"));
        QCOMPARE(f("HY15")->value(), QString("F"));
        QCOMPARE(focused(), f("HY05"));
        type("HY05", "001");
        QCOMPARE(f("HY06")->value(), QString("역삼현장"));
        QCOMPARE(f("HY11")->value(), QString("010-1234"));
        QCOMPARE(f("HY16")->value(), QString("대한시공"));
        QCOMPARE(f("HY10")->value(), QString("현장별"));
        QCOMPARE(focused(), f("HY24"));
        QCOMPARE(w->pages()->currentIndex(), 1);
        type("HY29", "1001");
        QCOMPARE(f("HY30")->value(), QString("25-21-15"));
        QCOMPARE(f("HY32")->number(), 75500.0);
        QCOMPARE(focused(), f("HY31"));
        type("HY31", "12.5");
        f("HY24")->setValue("08:30");
        type("HY25", "7.8");
        QCOMPARE(focused(), static_cast<QWidget*>(w->list("hy37")));
        f("hy36")->setFocus();
        QTest::keyClick(f("hy36"), Qt::Key_Return);
        QCOMPARE(focused(), static_cast<QWidget*>(w->button("savbtn")));
        click("savbtn");

        Rows r = Sql::select("select * from r_suju where ilja = ?", {kDay});
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.text(0, "seq"), QString("01"));
        QCOMPARE(r.text(0, "grcd"), QString("A001"));
        QCOMPARE(r.text(0, "v_station"), QString("역삼현장"));
        QCOMPARE(r.number(0, "order_m3"), 12.5);
        QCOMPARE(r.number(0, "v_reorder"), 12.5);
        QCOMPARE(r.number(0, "danga"), 75500.0);
        QCOMPARE(r.number(0, "dist"), 7.0);
        QCOMPARE(r.text(0, "time_"), QString("08:30"));
        QCOMPARE(r.text(0, "cement"), QString("포틀랜드1종"));
        QCOMPARE(r.text(0, "v_okno"), QString("OK"));
        QCOMPARE(r.text(0, "saup"), QString("01"));
        QCOMPARE(w->state(), EntryForm::Browse);
        QCOMPARE(w->dayGrid()->rows()->size(), 1);
        QCOMPARE(f("HY03")->value(), QString());
    }

    // A public-works order: the contract tab and money boxes, the site's
    // only contracted spec without typing, the quantity check.
    void publicOrderAgainstTheContract()
    {
        click("newbtn");
        QTest::keyClick(f("HY01"), Qt::Key_Return);
        type("HY03", "K001");
        QCOMPARE(f("HY07")->value(), QString("관수1"));
        QCOMPARE(f("hy36")->value(), QString("N"));
        type("HY05", "001");
        QCOMPARE(w->pages()->currentIndex(), 0);
        QCOMPARE(w->summaryGrid()->rows()->size(), 1);
        QCOMPARE(w->summaryGrid()->rows()->number(0, "MICHUL"), 70.0);
        // Rule A: opening balance + contract hap; shipped; hap − shipped.
        QCOMPARE(f("HY33")->number(), 100000.0 + 7000000.0);
        QCOMPARE(f("HY34")->number(), 2100000.0);
        QCOMPARE(f("HY35")->number(), 4900000.0);
        emit w->summaryGrid()->recordClicked(0);
        QCOMPARE(w->detailGrid()->rows()->size(), 1);
        QCOMPARE(w->detailGrid()->totalText("hap"), QString("7,000,000"));

        type("HY29", "");
        QCOMPARE(f("HY29")->value(), QString("1001"));
        QCOMPARE(f("HY32")->number(), 70000.0);
        // Rule C: the contract alone.
        QCOMPARE(f("HY33")->number(), 7000000.0);
        QCOMPARE(f("HY35")->number(), 4900000.0);

        type("HY31", "80");
        QCOMPARE(Messages::shown().last().title, QString("정보메세지"));
        QCOMPARE(Messages::shown().last().text, QString("미출하금액을 초과하여 수량이 변경됩니다.\n다시 확인 하시오"));
        QCOMPARE(f("HY31")->number(), 70.0);
        QCOMPARE(focused(), f("HY31"));
        click("savbtn");
        QCOMPARE(Sql::scalar("select vat from r_suju where grcd = 'K001'").toString(), QString("N"));

        // Clicked in the day's grid: rule B, contract tab rebuilt.
        clickOrder("01");
        QCOMPARE(f("HY03")->value(), QString("K001"));
        QCOMPARE(f("HY33")->number(), 7100000.0);
        QCOMPARE(f("HY35")->number(), 5000000.0);
        QCOMPARE(w->summaryGrid()->rows()->size(), 1);
        QCOMPARE(w->detailGrid()->rows()->size(), 0);
    }

    void missingKeysAndUpdateAfterTheQuestion()
    {
        click("newbtn");
        QTest::keyClick(f("HY01"), Qt::Key_Return);
        click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList({"일자,순번,거래처코드,현장코드,규격코드,부가세구분을 등록하시오."}));
        QCOMPARE(w->state(), EntryForm::New);
        click("canbtn");

        storedOrder("03");
        Sql::exec("update r_suju set v_outorder = 8, v_state = 'RUN'");
        reopen();
        clickOrder("03");
        QCOMPARE(enabledButtons(), QStringList({"newbtn", "edtbtn", "delbtn", "clsbtn", "prnbtn"}));
        click("edtbtn");
        QVERIFY(!f("HY02")->isEnabled());
        QVERIFY(f("HY31")->isEnabled());
        f("HY31")->setNumber(5);

        Messages::clearShown();
        Messages::queueAnswer(false);
        click("savbtn");
        QCOMPARE(Messages::shownTexts(), QStringList({"자료가 이미 존재합니다.\n 갱신하시겠습니까?"}));
        QCOMPARE(w->state(), EntryForm::Edit);
        QCOMPARE(f("HY31")->number(), 5.0);
        QCOMPARE(Sql::scalar("select order_m3 from r_suju").toDouble(), 10.0);

        Messages::queueAnswer(true);
        click("savbtn");
        Rows r = Sql::select("select * from r_suju");
        QCOMPARE(r.number(0, "order_m3"), 5.0);
        QCOMPARE(r.number(0, "v_reorder"), 0.0); // 8 already shipped
        QCOMPARE(r.number(0, "v_outorder"), 8.0);
        QCOMPARE(r.text(0, "v_state"), QString("RUN"));
        QCOMPARE(r.text(0, "v_hon"), QString("0.8"));
        QCOMPARE(w->state(), EntryForm::Browse);
    }

    void deleteWithHaulagePrices()
    {
        storedOrder("04");
        storedOrder("05");
        insertRow("cont_carry", {{"ilja", kDay}, {"seq", "04"}, {"gubun", "A"}, {"danga", 5000.0}});
        insertRow("cont_carry", {{"ilja", kDay}, {"seq", "05"}, {"gubun", "A"}, {"danga", 5000.0}});
        reopen();
        clickOrder("04");
        Messages::queueAnswer(false);
        click("delbtn");
        QCOMPARE(Messages::shownTexts(), QStringList({"삭제하겠습니까?"}));
        QCOMPARE(w->statePanel()->text(), QString("조회및 등록"));
        QCOMPARE(Sql::scalar("select count(*) from r_suju").toInt(), 2);

        Messages::queueAnswer(true);
        click("delbtn");
        QCOMPARE(Sql::scalar("select list(seq) from r_suju").toString(), QString("05"));
        QCOMPARE(Sql::scalar("select list(seq) from cont_carry").toString(), QString("05"));
        QCOMPARE(w->dayGrid()->rows()->size(), 1);
        QCOMPARE(f("HY03")->value(), QString());
    }

    void printsTheDaysScheduleAndOpensTheMasters()
    {
        storedOrder("01");
        storedOrder("02", "K001");
        session().IsoCode = 0;
        ReportDocument shown;
        Kit::setModalHook([&](QDialog* d) {
            if (auto* p = qobject_cast<ReportPreview*>(d))
                shown = p->document();
            d->reject();
        });
        click("prnbtn");
        Kit::setModalHook({});
        QCOMPARE(session().IsoCode, 1);
        QCOMPARE(shown.name, QString("qr_suju_f1"));
        QCOMPARE(shown.printedRows.size(), 2);

        // The customer and site windows open over it.
        QStringList opened;
        Kit::setModalHook([&](QDialog* d) {
            opened << d->objectName();
            d->reject();
        });
        click("custbtn");
        click("hyunbtn");
        Kit::setModalHook({});
        QCOMPARE(opened, QStringList({"TCUSTOMER_F", "THYUNJANG_F"}));
    }
};

QTEST_MAIN(TestSujuWindow)
#include "tst_suju_window.moc"
