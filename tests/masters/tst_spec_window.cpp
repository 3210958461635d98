#include "data/Session.h"
#include "data/Sql.h"
#include "dialogs/CalendarDlg.h"
#include "masters/Specs.h"
#include "masters/ui/TSIZE_F.h"
#include "masters/ui/Tsizefind_f.h"
#include "masters/ui/Tsizelist_f.h"
#include "reports/ui/ReportPreview.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"
#include "data/CodeLookup.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

void storeVersion(const QString& code, const QString& ilja, const QString& gubun, const QString& standard,
                  int saDanga)
{
    insertRow("r_size", {{"remi_code", code}, {"ilja", ilja}, {"gubun", gubun}, {"kind", "레미콘"},
                         {"standard", standard}, {"rul_ks", "KS"}, {"sa_danga", saDanga}, {"kwan_danga", saDanga - 5000},
                         {"cement_1", 320}, {"ad_1", 2.25}, {"kong", "4.5 ± 1.5%"}, {"yeom", "0.30kg/㎥이하"},
                         {"cement1", "포틀랜드1종"}});
}

QString currentDate(const QString& code)
{
    const Rows r = Sql::select("select ilja from r_size where remi_code = ? and gubun = '0'", {code});
    return r.size() == 1 ? r.text(0, "ilja") : QStringLiteral("<%1 current>").arg(r.size());
}

QString today() { return QDate::currentDate().toString("yyyy-MM-dd"); }

} // namespace

class TestSpecWindow : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
    TSIZE_F* w = nullptr;

    Field* f(const char* name) { return w->findChild<Field*>(name); }
    ListField* l(const char* name) { return w->findChild<ListField*>(name); }
    QPushButton* b(const char* name) { return w->findChild<QPushButton*>(name); }
    GridModel* upper() { return w->upperGrid()->rows(); }
    GridModel* lower() { return w->lowerGrid()->rows(); }

    void clickLower(const QString& ilja)
    {
        for (int r = 0; r < lower()->size(); ++r)
            if (lower()->text(r, "ilja") == ilja) {
                const QModelIndex i = lower()->indexOf(r, "kind");
                QTest::mouseClick(w->lowerGrid()->viewport(), Qt::LeftButton, {},
                                  w->lowerGrid()->visualRect(i).center());
                return;
            }
        QFAIL(qPrintable("no version " + ilja));
    }
    void clickUpper(const QString& code)
    {
        for (int r = 0; r < upper()->size(); ++r)
            if (upper()->text(r, "remi_code") == code) {
                const QModelIndex i = upper()->indexOf(r, "kind");
                QTest::mouseClick(w->upperGrid()->viewport(), Qt::LeftButton, {},
                                  w->upperGrid()->visualRect(i).center());
                return;
            }
        QFAIL(qPrintable("no spec " + code));
    }
    static void type(QWidget* to, const QString& text)
    {
        to->setFocus();
        if (auto* e = qobject_cast<QLineEdit*>(to))
            e->selectAll();
        for (const QChar c : text)
            QTest::sendKeyEvent(QTest::Click, to, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
    static void enter(QWidget* to) { QTest::keyClick(to, Qt::Key_Return); }

private slots:
    void initTestCase() { Kit::useApplicationFont(); }

    void init()
    {
        db_ = new TestDb;
        session().SessionSaup = "01";
        session().SessionCompanyName = "대한레미콘";
        session().SessionUser = "홍길동";
        storeVersion("0001", "2024-01-02", "1", "25-210-15", 60000);
        storeVersion("0001", "2024-06-01", "0", "25-210-15", 62000);
        storeVersion("0002", "2024-01-02", "0", "25-240-15", 65000);
        Messages::startScript();
        w = new TSIZE_F;
        w->show();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
    }
    void cleanup()
    {
        delete w;
        w = nullptr;
        Messages::stopScript();
        Kit::setModalHook({});
        delete db_;
        db_ = nullptr;
    }

    void opensWithCurrentVersionsAndLockedFields()
    {
        w->grab().save("/tmp/h7_open.png");
        QCOMPARE(w->windowTitle(), QString("규격 관리"));
        QCOMPARE(upper()->size(), 2);
        QCOMPARE(upper()->text(0, "ilja"), QString("2024-06-01"));
        // The lower grid holds the versions of the first spec, oldest first.
        QCOMPARE(lower()->size(), 2);
        QCOMPARE(lower()->text(0, "ilja"), QString("2024-01-02"));
        QVERIFY(!f("edt_code")->isEnabled() && !f("edt_sdanga")->isEnabled());
        QVERIFY(f("edt_code")->value().isEmpty());
        for (const char* on : {"newbtn", "delbtn", "findbtn", "ver_add", "clsbtn"})
            QVERIFY2(b(on)->isEnabled(), on);
        for (const char* off : {"savbtn", "canbtn", "ver_edit", "ver_delete", "ver_save", "ver_cancel", "btn_bo"})
            QVERIFY2(!b(off)->isEnabled(), off);
        QCOMPARE(w->statePanel()->text(), QString("조회및 등록"));
        QCOMPARE(l("edt_cement1")->count(), 1);
        QCOMPARE(l("edt_cement1")->itemText(0), QString("포틀랜드1종"));

        clickUpper("0002");
        QCOMPARE(lower()->size(), 1);
        clickLower("2024-01-02");
        QCOMPARE(f("edt_code")->value(), QString("0002"));
        QCOMPARE(f("edt_standard")->value(), QString("25-240-15"));
        QCOMPARE(f("edt_sdanga")->text(), QString("65,000"));
        QCOMPARE(f("edt_ad1")->text(), QString("2.25"));
        QCOMPARE(f("edt_gubun")->value(), QString("0"));
        QVERIFY(b("ver_edit")->isEnabled() && b("ver_delete")->isEnabled());
    }

    void newSpecByKeys()
    {
        QTest::mouseClick(b("newbtn"), Qt::LeftButton);
        QCOMPARE(w->mode(), TSIZE_F::Mode::NewSpec);
        QVERIFY(!w->statePanel()->pixmap().isNull());
        QVERIFY(w->upperGrid()->editable());
        QCOMPARE(f("edt_ilja")->value(), today());
        QCOMPARE(QApplication::focusWidget(), f("edt_code"));
        type(f("edt_code"), "7");
        enter(f("edt_code"));
        QCOMPARE(f("edt_code")->value(), QString("0007"));
        QCOMPARE(f("edt_kind")->value(), QString("레미콘"));
        QCOMPARE(QApplication::focusWidget(), f("edt_ilja"));
        // The new row of the upper grid shows what is typed.
        const int row = w->upperGrid()->currentRecord();
        QCOMPARE(upper()->text(row, "remi_code"), QString("0007"));
        type(f("edt_standard"), "25-180-12");
        QCOMPARE(upper()->text(row, "standard"), QString("25-180-12"));
        // Down moves on like Enter, Up moves back.
        QTest::keyClick(f("edt_standard"), Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), l("edt_ks"));
        QTest::keyClick(l("edt_ks"), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), f("edt_standard"));

        // A price that is no number is refused, and nothing is stored.
        type(f("edt_sdanga"), "-");
        QTest::mouseClick(b("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().value(0), QString("사급단가에 숫자를 입력하시오."));
        QCOMPARE(QApplication::focusWidget(), f("edt_sdanga"));
        QCOMPARE(Sql::scalar("select count(*) from r_size where remi_code = '0007'").toInt(), 0);

        type(f("edt_sdanga"), "61,000");
        type(f("edt_kdanga"), "56000");
        QTest::mouseClick(b("btn_bo"), Qt::LeftButton);
        QTest::mouseClick(b("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().size(), 1);
        QCOMPARE(w->mode(), TSIZE_F::Mode::Browse);
        Specs::Version v;
        QVERIFY(Specs::read("0007", today(), &v));
        QCOMPARE(v.gubun, Specs::Current);
        QCOMPARE(v.number("sa_danga"), 61000.0);
        QCOMPARE(v.kong, QString("4.5 ± 1.5%"));
        QCOMPARE(v.yeom, QString("0.30kg/㎥이하"));
        QCOMPARE(upper()->size(), 3);
        QCOMPARE(lower()->size(), 1);
        QCOMPARE(lower()->text(0, "remi_code"), QString("0007"));
        QVERIFY(!f("edt_sdanga")->isEnabled());
        // The lists offer the new stored value at once.
        QVERIFY(l("edt_kong")->findText("4.5 ± 1.5%") >= 0);

        // The same code again is refused.
        QTest::mouseClick(b("newbtn"), Qt::LeftButton);
        type(f("edt_code"), "1");
        enter(f("edt_code"));
        QTest::mouseClick(b("savbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().last(), Specs::MsgCodeExists);
        QCOMPARE(w->mode(), TSIZE_F::Mode::NewSpec);
        QTest::mouseClick(b("canbtn"), Qt::LeftButton);
        QCOMPARE(w->mode(), TSIZE_F::Mode::Browse);
        QCOMPARE(upper()->size(), 3);
        QVERIFY(f("edt_code")->value().isEmpty());
    }

    void gridKeysWhileRegistering()
    {
        QTest::mouseClick(b("newbtn"), Qt::LeftButton);
        DataGrid* g = w->upperGrid();
        const int row = g->currentRecord();
        // The date column opens the calendar; with the code still empty it says so.
        Kit::setModalHook([](QDialog* d) {
            auto* cal = qobject_cast<TCalendarDlg*>(d);
            QVERIFY(cal);
            cal->calendar()->setSelectedDate(QDate(2024, 8, 15));
            emit cal->calendar()->activated(QDate(2024, 8, 15));
        });
        g->setCurrentRecord(row, "ilja");
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(upper()->text(row, "ilja"), QString("2024-08-15"));
        QCOMPARE(f("edt_ilja")->value(), QString("2024-08-15"));
        QCOMPARE(Messages::shownTexts().value(0), Specs::MsgCodeOrDate);
        // The code column pads what was typed.
        upper()->setValue(row, "remi_code", "12");
        g->setCurrentRecord(row, "remi_code");
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(upper()->text(row, "remi_code"), QString("0012"));
        QCOMPARE(f("edt_code")->value(), QString("0012"));
        QCOMPARE(g->currentField(), QString("ilja"));
        QApplication::setActiveWindow(w); // back from the calendar window
        // The end of the row leads to the save button.
        g->setCurrentRecord(row, "sa_danga");
        QTest::keyClick(g, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b("savbtn"));
        // Enter in the chloride list leads there as well.
        l("edt_yeom")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), b("savbtn"));
    }

    void laterAndEarlierVersions()
    {
        clickLower("2024-06-01");
        QTest::mouseClick(b("ver_add"), Qt::LeftButton);
        QCOMPARE(w->mode(), TSIZE_F::Mode::VersionAdded);
        QCOMPARE(f("edt_ilja")->value(), today());
        QCOMPARE(f("edt_code")->value(), QString("0001"));
        QVERIFY(!f("edt_code")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f("edt_wc"));
        for (const char* off : {"newbtn", "savbtn", "canbtn", "ver_add", "ver_edit"})
            QVERIFY2(!b(off)->isEnabled(), off);
        type(f("edt_ilja"), "20250301");
        type(f("edt_sdanga"), "70000");
        QTest::mouseClick(b("ver_save"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(currentDate("0001"), QString("2025-03-01"));
        QCOMPARE(lower()->size(), 3);
        QCOMPARE(upper()->text(0, "ilja"), QString("2025-03-01"));
        QCOMPARE(QApplication::focusWidget(), b("ver_add"));

        // The lookup and the prices follow the current version.
        session().LookupKey = "0001";
        CodeLookup lookup(CodeLookup::Spec);
        QVERIFY(lookup.search());
        QCOMPARE(session().LookupPrivatePrice, 70000.0);

        // A back-dated version is stored superseded.
        QTest::mouseClick(b("ver_add"), Qt::LeftButton);
        type(f("edt_ilja"), "20230101");
        type(f("edt_sdanga"), "50000");
        QTest::mouseClick(b("ver_save"), Qt::LeftButton);
        QCOMPARE(currentDate("0001"), QString("2025-03-01"));
        QCOMPARE(lower()->size(), 4);
        QCOMPARE(lower()->text(0, "gubun"), QString("1"));

        // An existing date is refused and the state stays.
        QTest::mouseClick(b("ver_add"), Qt::LeftButton);
        type(f("edt_ilja"), "20240601");
        QTest::mouseClick(b("ver_save"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts().last(), Specs::MsgCodeExists);
        QCOMPARE(w->mode(), TSIZE_F::Mode::VersionAdded);
        QTest::mouseClick(b("ver_cancel"), Qt::LeftButton);
        QCOMPARE(w->mode(), TSIZE_F::Mode::Browse);
        QCOMPARE(lower()->size(), 4);
    }

    void changeRenamesBooksAndOrders()
    {
        insertRow("r_mast", {{"ilja", "2024-07-01"}, {"seq", "01"}, {"remi_code", "0001"}, {"standard", "25-210-15"}});
        insertRow("r_suju", {{"ilja", "2024-07-01"}, {"seq", "01"}, {"remi_code", "0001"}, {"v_rule", "25-210-15"}});
        insertRow("r_hyun_order",
                  {{"grcd", "A001"}, {"code", "001"}, {"standard", "25-210-15"}, {"demand1", "2024-01-01"}});
        clickLower("2024-06-01");
        QTest::mouseClick(b("ver_edit"), Qt::LeftButton);
        QCOMPARE(w->mode(), TSIZE_F::Mode::VersionChanged);
        QVERIFY(!f("edt_code")->isEnabled() && !f("edt_ilja")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), f("edt_kind"));
        QVERIFY(w->lowerGrid()->editable());
        type(f("edt_standard"), "25-210-18");
        // A price typed into the grid row reaches the field.
        const int row = w->lowerGrid()->currentRecord();
        QCOMPARE(lower()->text(row, "standard"), QString("25-210-18"));
        lower()->setData(lower()->indexOf(row, "sa_danga"), "63500", Qt::EditRole);
        QCOMPARE(f("edt_sdanga")->text(), QString("63,500"));
        QTest::mouseClick(b("ver_save"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList());
        QCOMPARE(Sql::scalar("select standard from r_mast").toString(), QString("25-210-18"));
        QCOMPARE(Sql::scalar("select v_rule from r_suju").toString(), QString("25-210-18"));
        QCOMPARE(Sql::scalar("select standard from r_hyun_order").toString(), QString("25-210-15"));
        QCOMPARE(Sql::scalar("select sa_danga from r_size where remi_code = '0001' and ilja = '2024-06-01'").toInt(),
                 63500);
        QCOMPARE(currentDate("0001"), QString("2024-06-01"));
        QVERIFY(!w->lowerGrid()->editable());
        QCOMPARE(f("edt_standard")->value(), QString("25-210-18"));
    }

    void deletingVersionsAndSpecs()
    {
        // A single version is deleted from above only.
        clickUpper("0002");
        clickLower("2024-01-02");
        QTest::mouseClick(b("ver_delete"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList({Specs::MsgDeleteAbove}));
        QCOMPARE(Sql::scalar("select count(*) from r_size where remi_code = '0002'").toInt(), 1);

        // Cancel keeps the current version; OK lets the one before it take over.
        clickUpper("0001");
        clickLower("2024-06-01");
        Messages::queueAnswer(false);
        QTest::mouseClick(b("ver_delete"), Qt::LeftButton);
        QCOMPARE(Messages::shown().last().kind, Messages::Kind::Confirm);
        QCOMPARE(Messages::shownTexts().last(), QString("삭제하겠습니까?"));
        QCOMPARE(w->statePanel()->text(), QString("조회및 등록"));
        QCOMPARE(currentDate("0001"), QString("2024-06-01"));
        Messages::queueAnswer(true);
        QTest::mouseClick(b("ver_delete"), Qt::LeftButton);
        QCOMPARE(currentDate("0001"), QString("2024-01-02"));
        QCOMPARE(lower()->size(), 1);
        QCOMPARE(upper()->text(0, "ilja"), QString("2024-01-02"));

        // The whole spec, after its confirmation.
        insertRow("r_mast", {{"ilja", "2024-07-01"}, {"seq", "01"}, {"remi_code", "0001"}, {"standard", "25-210-15"}});
        clickLower("2024-01-02");
        Messages::clearShown();
        Messages::queueAnswer(true);
        QTest::mouseClick(b("delbtn"), Qt::LeftButton);
        QCOMPARE(Messages::shownTexts(), QStringList({"모든 판매, 수주, 출하 자료가 삭제됩니다. \n삭제하겠습니까?"}));
        QCOMPARE(Sql::scalar("select count(*) from r_size where remi_code = '0001'").toInt(), 0);
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 0);
        QCOMPARE(upper()->size(), 1);
        QCOMPARE(lower()->text(0, "remi_code"), QString("0002"));
    }

    void searchWindowAndList()
    {
        int rows = -1;
        QString title, caption;
        Kit::setModalHook([&](QDialog* d) {
            if (auto* list = qobject_cast<Tsizelist_f*>(d)) {
                caption = list->windowTitle();
                rows = list->grid()->rows()->size();
                title = list->findChild<QLabel*>("title_label")->text();
                QTest::mouseClick(list->findChild<QPushButton*>("nav_last"), Qt::LeftButton);
                QCOMPARE(list->grid()->currentRecord(), rows - 1);
                list->accept();
            }
        });
        Tsizefind_f find(w);
        QCOMPARE(find.windowTitle(), QString("규격조회"));
        QCOMPARE(find.choice(), Tsizefind_f::Latest);
        QPushButton* ok = find.findChild<QPushButton*>("okbtn");
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(rows, 2);
        QCOMPARE(caption, QString("규격 조회"));

        find.findChild<QRadioButton*>("choice2")->setChecked(true);
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(rows, 3);

        // By code: Enter in the code field looks the spec up.
        find.findChild<QRadioButton*>("choice1")->setChecked(true);
        QTest::mouseClick(ok, Qt::LeftButton); // no code chosen yet
        QCOMPARE(rows, 3);
        QCOMPARE(Messages::shownTexts().size(), 1);
        auto* code = find.findChild<QLineEdit*>("edt_code");
        code->setText("0001");
        QTest::keyClick(code, Qt::Key_Return);
        QCOMPARE(find.findChild<QLabel*>("lbl_spec")->text(), QString("25-210-15"));
        QTest::mouseClick(ok, Qt::LeftButton);
        QCOMPARE(rows, 2);
        QVERIFY(title.contains("0001"));
    }

    void printsTheList()
    {
        int pages = 0;
        Kit::setModalHook([&](QDialog* d) {
            if (auto* p = qobject_cast<ReportPreview*>(d)) {
                pages = p->document().pageCount();
                p->reject();
            }
        });
        QTest::mouseClick(b("prnbtn"), Qt::LeftButton);
        QCOMPARE(pages, 1);
        QCOMPARE(Messages::shownTexts(), QStringList());
    }
};

QTEST_MAIN(TestSpecWindow)
#include "tst_spec_window.moc"
