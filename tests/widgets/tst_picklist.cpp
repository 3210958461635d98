#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/PickList.h"

#include <QHeaderView>
#include <QTest>

// What the pick list looked like when it opened, and the keys the test
// "typed" into it.
struct Seen {
    int opened = 0;
    QDialog* dialog = nullptr;
    QString caption;
    QRect geometry;
    QStringList titles;
    QStringList firstColumn;
};

static QStringList firstColumn(const DataGrid* g)
{
    QStringList values;
    for (int r = 0; r < g->rows()->size(); ++r)
        values << g->model()->data(g->model()->index(r, 0)).toString();
    return values;
}

static void answerWith(Seen& seen, const std::function<void(DataGrid*)>& act)
{
    Kit::setModalHook([&seen, act](QDialog* d) {
        ++seen.opened;
        seen.dialog = d;
        seen.caption = d->windowTitle();
        seen.geometry = d->geometry();
        auto* g = d->findChild<DataGrid*>("Grd_pan");
        seen.titles.clear();
        for (int c = 0; c < g->model()->columnCount(); ++c)
            seen.titles << g->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        seen.firstColumn = firstColumn(g);
        act(g);
        if (d->isVisible())
            d->reject(); // never leave a test hanging on an open dialog
    });
}

class TestPickList : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
private slots:
    void initTestCase()
    {
        Kit::useApplicationFont();
        db_ = new TestDb;
        for (const auto& [grcd, name, cls, vat] : {std::tuple{"A001", "대한건설", "K", "N"}, {"A002", "대한산업", "S", "V"},
                                                   {"B001", "가나상사", "T", "X"}})
            insertRow("customer", {{"grcd", grcd}, {"cust_set", QString(grcd).left(1)}, {"cust_seq", QString(grcd).mid(1)},
                                   {"name", name}, {"kawn_sa", cls}, {"vat", vat}, {"julsa", "10"}});
        insertRow("car_code", {{"code", "12-3456-7"}, {"scode", "3456"}, {"name", "홍길동"}});
        insertRow("car_code", {{"code", "98-7654-3"}, {"scode", "7654"}, {"name", "김기사"}});
    }
    void cleanupTestCase()
    {
        Kit::setModalHook({});
        delete db_;
    }
    void init()
    {
        session() = Session{};
        Messages::startScript();
    }
    void cleanup()
    {
        Kit::setModalHook({});
        Messages::stopScript();
    }

    void pickWithEnter()
    {
        Seen seen;
        answerWith(seen, [](DataGrid* g) {
            QTest::keyClick(g, Qt::Key_Down);
            QTest::keyClick(g, Qt::Key_Return);
        });
        session().LookupKey = "대한";
        QVERIFY(RunCodeLookup(1, 146, 500, 254, 356));
        QCOMPARE(seen.opened, 1);
        QCOMPARE(seen.caption, QString("거래코드조회"));
        QCOMPARE(seen.geometry, QRect(500, 146, 254, 356));
        QCOMPARE(seen.titles, (QStringList{"거래처명", "코  드", "관/사"}));
        QCOMPARE(seen.firstColumn, (QStringList{"대한건설", "대한산업"}));
        QCOMPARE(session().LookupKey, QString("A002"));
        QCOMPARE(session().LookupName, QString("대한산업"));
        QCOMPARE(session().LookupAux1, QString("V"));
        QVERIFY(!seen.dialog->isVisible());
    }

    void clickOnCellPicks()
    {
        Seen seen;
        answerWith(seen, [](DataGrid* g) {
            QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(2, 1)).center());
        });
        session().LookupKey = "";
        QVERIFY(RunCodeLookup(1, 10, 20, 300, 200));
        QCOMPARE(seen.geometry, QRect(20, 10, 300, 200)); // placed where this caller asked
        QCOMPARE(seen.titles, (QStringList{"코  드", "거래처명", "관/사"}));
        QCOMPARE(session().LookupKey, QString("B001"));
    }

    void escKeepsSlots()
    {
        Seen seen;
        answerWith(seen, [](DataGrid* g) { QTest::keyClick(g, Qt::Key_Escape); });
        session().LookupKey = "대한";
        session().LookupName = "before";
        session().LookupAux1 = "aux";
        QVERIFY(!RunCodeLookup(1));
        QCOMPARE(seen.opened, 1);
        QCOMPARE(session().LookupKey, QString("대한"));
        QCOMPARE(session().LookupName, QString("before"));
        QCOMPARE(session().LookupAux1, QString("aux"));
    }

    void oneMatchNeedsNoList()
    {
        Seen seen;
        answerWith(seen, [](DataGrid*) {});
        session().LookupKey = "A001";
        QVERIFY(RunCodeLookup(1));
        QCOMPARE(seen.opened, 0);
        QCOMPARE(session().LookupName, QString("대한건설"));
    }

    void oneWindowForTheRun()
    {
        Seen seen;
        QList<QDialog*> dialogs;
        answerWith(seen, [&](DataGrid* g) {
            dialogs << seen.dialog;
            QTest::keyClick(g, Qt::Key_Escape);
        });
        session().LookupKey = "";
        RunCodeLookup(1);
        session().LookupKey = "";
        RunCodeLookup(4);
        QCOMPARE(dialogs.size(), 2);
        QCOMPARE(dialogs.at(0), dialogs.at(1));
        QCOMPARE(dialogs.at(0), &TP_Formf::instance());
        QCOMPARE(seen.caption, QString("차량코드조회")); // the second call set its own caption
    }

    void titleClickResortsThenPickFillsSlots()
    {
        Seen seen;
        QStringList afterSort;
        answerWith(seen, [&](DataGrid* g) {
            QHeaderView* h = g->horizontalHeader();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(1) + 5, 5));
            afterSort = firstColumn(g);
            QTest::keyClick(g, Qt::Key_Return);
        });
        session().LookupKey = "";
        QVERIFY(RunCodeLookup(1));
        QCOMPARE(seen.firstColumn, (QStringList{"A001", "A002", "B001"}));
        QCOMPARE(afterSort, (QStringList{"B001", "A001", "A002"})); // by name
        const Session& s = session();
        QCOMPARE((QStringList{s.LookupKey, s.LookupName, s.LookupAux1, s.LookupAux2, s.LookupAux3}),
                 (QStringList{"B001", "가나상사", "X", "T", "10"}));
    }

    void titleClickIgnoredForTrucks()
    {
        Seen seen;
        QStringList afterClick;
        answerWith(seen, [&](DataGrid* g) {
            QHeaderView* h = g->horizontalHeader();
            QTest::mouseClick(h->viewport(), Qt::LeftButton, {}, QPoint(h->sectionViewportPosition(2) + 5, 5));
            afterClick = firstColumn(g);
            QTest::keyClick(g, Qt::Key_Escape);
        });
        session().LookupKey = "";
        QVERIFY(!RunCodeLookup(4));
        QCOMPARE(seen.firstColumn, (QStringList{"3456", "7654"}));
        QCOMPARE(afterClick, seen.firstColumn);
    }

    void databaseErrorShownSlotsKept()
    {
        Seen seen;
        answerWith(seen, [](DataGrid*) {});
        session().LookupKey = "A001";
        session().LookupName = "before";
        Sql::exec("drop table car_cust");
        QVERIFY(!RunCodeLookup(5));
        QCOMPARE(seen.opened, 0);
        QCOMPARE(Messages::shown().size(), 1);
        QCOMPARE(Messages::shown().first().kind, Messages::Kind::Error);
        QVERIFY(Messages::shown().first().text.contains("CAR_CUST", Qt::CaseInsensitive));
        QCOMPARE(session().LookupName, QString("before"));
    }
};

QTEST_MAIN(TestPickList)
#include "tst_picklist.moc"
