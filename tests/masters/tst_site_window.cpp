#include "data/Session.h"
#include "data/Sql.h"
#include "dialogs/CalendarDlg.h"
#include "masters/ui/THYUNJANG_F.h"
#include "masters/OpeningBalances.h"
#include "masters/ui/TMISU_F.h"
#include "reports/engine/ReportRegistry.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

int count(const QString& sql) { return Sql::scalar(sql).toInt(); }
QString textAt(const QString& sql) { return Sql::scalar(sql).toString(); }

void addCustomer(const QString& grcd, const QString& name, const QString& kawnSa, const QString& misu)
{
    insertRow("customer", {{"grcd", grcd}, {"cust_set", grcd.left(1)}, {"cust_seq", grcd.mid(1)}, {"name", name},
                           {"kawn_sa", kawnSa}, {"misu", misu}, {"vat", "V"}, {"tel", "02-555-0000"}});
    if (misu == "G")
        insertRow("r_hyunjang", {{"grcd", grcd}, {"code", "000"}, {"name", "현장통합"}, {"misu", "T"},
                                 {"kawn_sa", kawnSa}, {"man_code", "012"}, {"man_name", "김담당"},
                                 {"office_tel", "02-111-2222"}, {"build", "통합건설"}, {"order_nul", 97.0}});
}

// Picks `day` in the calendar the next time it opens.
void pickInCalendar(const QDate& day)
{
    Kit::setModalHook([day](QDialog* d) {
        auto* cal = qobject_cast<TCalendarDlg*>(d);
        QVERIFY(cal);
        cal->calendar()->setSelectedDate(day);
        emit cal->calendar()->activated(day);
    });
}

} // namespace

class TestSiteWindow : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
    THYUNJANG_F* w = nullptr;

    Field* f(const char* name) const { return w->field(QLatin1String(name)); }
    QPushButton* b(const char* name) const { return w->button(QLatin1String(name)); }
    void click(const char* name) { QTest::mouseClick(b(name), Qt::LeftButton); }
    QStringList enabledFields() const
    {
        QStringList out;
        for (const char* n : {"hy03", "hy04", "HY05", "hy06", "hy07", "HY08", "hy09", "hy10", "hy11", "hy12", "hy13",
                              "hy14", "hy15", "hy20"}) {
            QWidget* x = w->field(QLatin1String(n)) ? static_cast<QWidget*>(w->field(QLatin1String(n)))
                                                    : static_cast<QWidget*>(w->list(QLatin1String(n)));
            if (x->isEnabled())
                out << QLatin1String(n);
        }
        return out;
    }
    QStringList enabledButtons() const
    {
        QStringList out;
        for (const char* n : {"newbtn", "edtbtn", "delbtn", "savbtn", "canbtn"})
            if (b(n)->isEnabled())
                out << QLatin1String(n);
        return out;
    }
    void password(const QString& typed)
    {
        QWidget* edit = w->findChild<QWidget*>("pass_edit");
        QVERIFY(edit && edit->isVisible());
        QTest::keyClicks(edit, typed);
        QTest::keyClick(edit, Qt::Key_Return);
    }
    void menu(QMenu* m, const char* action) { m->findChild<QAction*>(QLatin1String(action))->trigger(); }

private slots:
    void initTestCase() { Kit::useApplicationFont(); }

    void init()
    {
        db_ = new TestDb;
        session().SessionSaup = "01";
        session().SessionCompanyName = "대한레미콘";
        insertRow("youngup", {{"code", "589"}, {"man", "정정"}, {"pass", "5890"}});
        insertRow("youngup", {{"code", "100"}, {"man", "관급담당"}});
        insertRow("youngup", {{"code", "012"}, {"man", "김담당"}});
        addCustomer("A001", "부산건설", "S", "H");
        addCustomer("A002", "통합상사", "T", "G");
        addCustomer("K001", "조달청", "K", "H");
        addCustomer("K002", "조달통합", "K", "G");
        addCustomer("L001", "시청", "L", "H");
        insertRow("r_hyunjang", {{"grcd", "A001"}, {"code", "001"}, {"name", "해운대"}, {"misu", "H"},
                                 {"kawn_sa", "S"}, {"man_code", "012"}, {"man_name", "김담당"}});
        insertRow("r_mast", {{"ilja", "2024-03-02"}, {"seq", "01"}, {"grcd", "A001"}, {"code", "001"},
                             {"code_name", "해운대"}, {"misu", "H"}, {"standard", "25-21-150"}, {"m3", 6.0}});
        Messages::startScript();
        w = new THYUNJANG_F;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }

    void cleanup()
    {
        Kit::setModalHook({});
        delete w;
        Messages::stopScript();
        delete db_;
    }

    void openingAndChoosing()
    {
        QCOMPARE(w->customerGrid()->rows()->size(), 5);
        QCOMPARE(w->pages()->currentIndex(), 0);
        QCOMPARE(enabledButtons(), QStringList());
        QCOMPARE(enabledFields(), QStringList());
        QVERIFY(!w->contractPanel()->isVisible());
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("sel_name"));

        QVERIFY(w->openCustomer("A002"));
        QCOMPARE(w->pages()->currentIndex(), 1);
        QCOMPARE(f("hy19")->value(), QString("민수2"));
        QCOMPARE(w->list("hy20")->value(), QString("현장통합"));
        // The integrated customer's telephones, staff, rate and builder come from site 000.
        QCOMPARE(f("hy07")->value(), QString("김담당"));
        QCOMPARE(f("hy10")->value(), QString("97"));
        QCOMPARE(f("hy11")->value(), QString("통합건설"));
        QCOMPARE(w->siteGrid()->rows()->size(), 1);
        QCOMPARE(enabledButtons(), QStringList({"newbtn"}));

        // Site 000 can be viewed but neither saved nor deleted.
        QVERIFY(w->openSite("000"));
        QCOMPARE(w->list("hy20")->value(), QString("현장통합"));
        QCOMPARE(enabledButtons(), QStringList({"newbtn", "edtbtn", "delbtn", "canbtn"}));
        click("delbtn");
        password("5890");
        QCOMPARE(Messages::shownTexts(), QStringList({Sites::MsgIntegratedDelete}));
        click("edtbtn");
        password("5890");
        click("savbtn");
        QCOMPARE(Messages::shownTexts().last(), Sites::MsgIntegratedSave);
        QVERIFY(Sites::exists("A002", "000"));
        click("canbtn");
        QCOMPARE(w->state(), EntryForm::Browse);
        // The ledger entries wait for the ledger statement.
        for (QAction* a : w->siteMenu()->actions())
            QVERIFY(!a->isEnabled());

        QVERIFY(w->openCustomer("K001"));
        QVERIFY(w->contractPanel()->isVisible());
        QVERIFY(w->openCustomer("L001"));
        QVERIFY(w->contractPanel()->isVisible());
        QVERIFY(w->openCustomer("A001"));
        QVERIFY(!w->contractPanel()->isVisible());

        // Opened from the customer window on its current customer.
        THYUNJANG_F other;
        QVERIFY(!other.openCustomer("Z999"));
        QVERIFY(other.openCustomer("A002"));
        other.show();
        QCOMPARE(other.field("hy02")->value(), QString("통합상사"));
        QCOMPARE(other.pages()->currentIndex(), 1);
    }

    void fieldSetsByBasisAndClass_data()
    {
        QTest::addColumn<QString>("customer");
        QTest::addColumn<QString>("fields");
        const QString perSite = "hy03 hy04 HY05 hy06 hy07 HY08 hy09 hy10 hy11";
        QTest::newRow("per site, 관수1") << "K001" << perSite + " hy12 hy13 hy14 hy15 hy20";
        QTest::newRow("per site, 관수2") << "L001" << perSite + " hy20";
        QTest::newRow("per site, 민수1") << "A001" << perSite + " hy20";
        QTest::newRow("integrated, 관수1") << "K002" << "hy03 hy04 hy12 hy13 hy14 hy15 hy20";
        QTest::newRow("integrated, 민수2") << "A002" << "hy03 hy04 hy14 hy20";
    }
    void fieldSetsByBasisAndClass()
    {
        QFETCH(QString, customer);
        QFETCH(QString, fields);
        QVERIFY(w->openCustomer(customer));
        click("newbtn");
        QCOMPARE(w->state(), EntryForm::New);
        QCOMPARE(enabledFields().join(' '), fields);
        QCOMPARE(enabledButtons(), QStringList({"savbtn", "canbtn"}));
        QVERIFY(!w->siteGrid()->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f("hy03"));
        if (customer == "K001") {
            // Contract supply: rate 100 and the public desk.
            QCOMPARE(f("hy10")->value(), QString("100"));
            QCOMPARE(f("hy06")->value() + f("hy07")->value(), QString("100관급담당"));
        }
        if (customer == "A002") {
            QCOMPARE(f("hy14")->value(), QDate::currentDate().toString("yyyy-MM-dd"));
            QCOMPARE(f("hy11")->value(), QString("통합건설")); // site 000's values stay
            // Switching the basis switches the set.
            w->list("hy20")->setFocus();
            w->list("hy20")->setCode("H");
            QTest::keyClick(w->list("hy20"), Qt::Key_Return);
            QCOMPARE(enabledFields().join(' '), QString("hy03 hy04 HY05 hy06 hy07 HY08 hy09 hy10 hy11 hy20"));
            QCOMPARE(QApplication::focusWidget(), b("savbtn"));
        }
    }

    void registerChangeAndDeleteThroughTheWindow()
    {
        QVERIFY(w->openCustomer("A001"));
        click("newbtn");
        QCOMPARE(f("hy03")->value(), QString("002"));
        // Letters are discarded; a taken code is refused at Enter.
        f("hy03")->clear();
        QTest::keyClicks(f("hy03"), "1x");
        QCOMPARE(f("hy03")->value(), QString("1"));
        QTest::keyClick(f("hy03"), Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList({Sites::MsgCodeExists}));
        QCOMPARE(f("hy03")->value(), QString());
        QTest::keyClicks(f("hy03"), "7");
        QTest::keyClick(f("hy03"), Qt::Key_Return);
        QCOMPARE(f("hy03")->value(), QString("007"));
        QCOMPARE(QApplication::focusWidget(), f("hy04"));
        f("hy04")->setValue("광안리");
        // No staff: refused, nothing written.
        click("savbtn");
        QCOMPARE(Messages::shownTexts().last(), Sites::MsgIncomplete);
        f("hy06")->setFocus();
        QTest::keyClicks(f("hy06"), "012");
        QTest::keyClick(f("hy06"), Qt::Key_Return);
        QCOMPARE(f("hy07")->value(), QString("김담당"));
        QCOMPARE(QApplication::focusWidget(), f("HY08"));
        click("savbtn");
        QCOMPARE(w->state(), EntryForm::Browse);
        QCOMPARE(textAt("select name || '|' || man_name || '|' || misu || '|' || kawn_sa || '|' || grcode"
                        " from r_hyunjang where grcd = 'A001' and code = '007'"),
                 QString("광안리|김담당|H|S|A001007"));
        QCOMPARE(w->siteGrid()->rows()->size(), 2);
        QCOMPARE(w->siteGrid()->rows()->text(0, "code"), QString("001"));
        QCOMPARE(enabledButtons(), QStringList({"newbtn"}));

        // Renaming a site: wrong password first, then the books follow.
        QVERIFY(w->openSite("001"));
        click("edtbtn");
        password("1234");
        QCOMPARE(Messages::shownTexts().last(), QString("암호가 틀렸습니다."));
        QCOMPARE(w->state(), EntryForm::Browse);
        click("edtbtn");
        password("5890");
        QCOMPARE(w->state(), EntryForm::Edit);
        QVERIFY(!f("hy03")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f("hy04"));
        f("hy04")->setValue("해운대 2공구");
        click("savbtn");
        QCOMPARE(textAt("select code_name from r_mast where code = '001'"), QString("해운대 2공구"));

        // Deleting: a site with sales asks the stronger question; Cancel keeps it.
        QVERIFY(w->openSite("001"));
        Messages::clearShown();
        Messages::queueAnswer(false);
        click("delbtn");
        password("5890");
        QCOMPARE(Messages::shownTexts(), QStringList({Sites::MsgAskDeleteBooks}));
        QVERIFY(Sites::exists("A001", "001"));
        Messages::clearShown();
        click("delbtn");
        password("5890");
        QCOMPARE(Messages::shownTexts(), QStringList({Sites::MsgAskDeleteBooks}));
        QVERIFY(!Sites::exists("A001", "001"));
        QCOMPARE(count("select count(*) from r_mast"), 0);
        // A site without books asks the plain question.
        QVERIFY(w->openSite("007"));
        Messages::clearShown();
        click("delbtn");
        password("5890");
        QCOMPARE(Messages::shownTexts(), QStringList({Sites::MsgAskDelete}));
        QVERIFY(!Sites::exists("A001", "007"));
        QCOMPARE(w->siteGrid()->rows()->size(), 0);
        QCOMPARE(enabledButtons(), QStringList({"newbtn"}));
    }

    void contractPriceChangeThroughThePanel()
    {
        insertRow("r_hyunjang", {{"grcd", "K001"}, {"code", "001"}, {"name", "청사"}, {"misu", "H"},
                                 {"kawn_sa", "K"}, {"man_code", "100"}});
        insertRow("r_size", {{"remi_code", "0001"}, {"ilja", "2003-07-01"}, {"standard", "25-24-150"},
                             {"rul_ks", "KS"}, {"kwan_danga", 52000}, {"gubun", "0"}});
        insertRow("r_hyun_order", {{"grcd", "K001"}, {"code", "001"}, {"standard", "25-24-150"}, {"kind", "레미콘"},
                                   {"demand1", "2003-03-01"}, {"demand2", "9999-12-31"}, {"amount", 1000.0},
                                   {"cost", 50000.0}});
        insertRow("r_mast", {{"ilja", "2003-05-02"}, {"seq", "01"}, {"grcd", "K001"}, {"code", "001"},
                             {"standard", "25-24-150"}, {"m3", 300.0}});
        QVERIFY(w->openCustomer("K001"));
        QVERIFY(w->openSite("001"));
        GridModel* summary = w->summaryGrid()->rows();
        QCOMPARE(summary->size(), 1);
        QCOMPARE(summary->number(0, "michul"), 700.0);
        QCOMPARE(f("hy17")->value(), QString("50,000,000"));
        QCOMPARE(f("hy18")->value(), QString("15,000,000"));

        emit w->summaryGrid()->recordClicked(0);
        GridModel* detail = w->detailGrid()->rows();
        QCOMPARE(detail->size(), 1);
        menu(w->detailMenu(), "hord1_add");
        QCOMPARE(w->contractEdit(), THYUNJANG_F::ContractEdit::DetailAdded);
        QCOMPARE(detail->size(), 2);
        QCOMPARE(w->detailGrid()->currentField(), QString("demand1"));
        pickInCalendar(QDate(2003, 7, 1));
        QTest::keyClick(w->detailGrid(), Qt::Key_Return);
        QApplication::setActiveWindow(w);
        // The previous row shows closed the day before; the public price in force is proposed.
        QCOMPARE(detail->text(0, "demand2"), QString("2003-06-30"));
        QCOMPARE(detail->number(1, "cost"), 52000.0);
        QCOMPARE(detail->number(1, "hap"), 2000.0 * 700);
        QCOMPARE(textAt("select demand2 from r_hyun_order"), QString("9999-12-31")); // stored with the new row
        menu(w->detailMenu(), "hord1_save");
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(count("select count(*) from r_hyun_order"), 2);
        QCOMPARE(textAt("select demand2 from r_hyun_order where demand1 = '2003-03-01'"), QString("2003-06-30"));
        QCOMPARE(w->contractEdit(), THYUNJANG_F::ContractEdit::None);
        QCOMPARE(detail->size(), 2);
        QCOMPARE(f("hy17")->value(), QString("51,400,000"));
    }

    void openingBalanceWindow()
    {
        TMISU_F m;
        m.show();
        QApplication::setActiveWindow(&m);
        QVERIFY(QTest::qWaitForWindowActive(&m));
        auto fill = [&](const QString& grcd, const QString& code, const QString& month, const QString& amount) {
            m.field("hy01")->setValue(grcd);
            m.field("hy03")->setValue(code);
            m.field("hy05")->setFocus();
            m.field("hy05")->setCursorPosition(0);
            m.field("hy05")->clear();
            QTest::keyClicks(m.field("hy05"), month);
            m.field("hy06")->setValue(amount);
        };
        // The mask takes two month digits: 2003-5 is not a month.
        fill("A001", "001", "2003-5", "1000");
        QTest::mouseClick(m.button("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().last(), OpeningBalances::MsgBadMonth);
        fill("A001", "001", "2003-05", "천원");
        QTest::mouseClick(m.button("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().last(), OpeningBalances::MsgBadAmount);
        QCOMPARE(count("select count(*) from r_misu"), 0);

        fill("A001", "001", "2003-05", "1,000");
        QTest::mouseClick(m.button("savbtn"), Qt::LeftButton);
        QCOMPARE(m.grid()->rows()->size(), 1);
        QVERIFY(m.field("hy01")->value().isEmpty());
        // The site lookup of an integrated customer offers site 000.
        m.field("hy01")->setValue("A002");
        m.field("hy03")->clear();
        m.field("hy03")->setFocus();
        QStringList offered;
        Kit::setModalHook([&offered](QDialog* d) {
            auto* pick = qobject_cast<TP_Formf*>(d);
            QVERIFY(pick);
            for (int r = 0; r < pick->grid()->rows()->size(); ++r)
                offered << pick->grid()->rows()->text(r, "code");
            QTest::keyClick(pick->grid(), Qt::Key_Return);
        });
        QTest::keyClick(m.field("hy03"), Qt::Key_Return);
        Kit::setModalHook({});
        QApplication::setActiveWindow(&m);
        QCOMPARE(offered, QStringList({"000"}));
        QCOMPARE(m.field("hy03")->value() + m.field("hy04")->value(), QString("000현장통합"));
        // Overwrite asks; OK replaces the amount.
        fill("A001", "001", "2003-05", "2500");
        Messages::clearShown();
        QTest::mouseClick(m.button("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList({OpeningBalances::MsgAskOverwrite}));
        QCOMPARE(Sql::scalar("select kum from r_misu").toDouble(), 2500.0);
        // Delete takes the grid's current row whatever the fields show.
        fill("A002", "000", "2003-01", "1");
        m.grid()->setCurrentRecord(0);
        QTest::mouseClick(m.button("delbtn"), Qt::LeftButton);
        QCOMPARE(count("select count(*) from r_misu"), 0);
    }

    void siteListReport()
    {
        insertRow("r_hyunjang", {{"grcd", "K001"}, {"code", "003"}, {"name", "청사"}, {"misu", "H"},
                                 {"kawn_sa", "K"}, {"grcd_name", "조달청"}});
        const RegisteredReport* r = findReport("qr_hyun_f1");
        QVERIFY(r);
        ReportJob all = r->build({});
        QStringList codes;
        for (int i = 0; i < all.rows.size(); ++i)
            codes << all.rows.text(i, "grcd") + all.rows.text(i, "code");
        QCOMPARE(codes, QStringList({"K001003", "A001001"})); // by class; the sites 000 are left out
        QCOMPARE(all.rows.text(0, "tel"), QString("02-555-0000"));
        ReportJob one = r->build({{"customer", "A001"}});
        QCOMPARE(one.rows.size(), 1);
        QCOMPARE(one.labels.value("namel"), QString("대한레미콘"));
    }
};

QTEST_MAIN(TestSiteWindow)
#include "tst_site_window.moc"
