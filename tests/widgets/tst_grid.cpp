#include "data/Sql.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"
#include "widgets/NumberMask.h"

#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

static Rows sample()
{
    Rows r;
    r.columns = {"code", "name", "m3", "kum", "hidden"};
    r.data = {{"002", "부산", 2.5, 1000.0, "x"}, {"001", "서울", 10.25, 250000.0, "y"}, {"003", "대구", 0.0, 31.0, "z"}};
    return r;
}

static QStringList column(const DataGrid& g, const QString& field)
{
    QStringList values;
    for (int r = 0; r < g.rows()->size(); ++r)
        values << g.rows()->text(r, field);
    return values;
}

static void clickTitle(DataGrid& g, int section)
{
    QHeaderView* h = g.horizontalHeader();
    QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                      QPoint(h->sectionViewportPosition(section) + 5, h->height() / 2));
}

class TestGrid : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kit::useApplicationFont(); }
    void init() { Messages::startScript(); }
    void cleanup() { Messages::stopScript(); }

    void numberMasks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("text");
        QTest::newRow("grouped") << 1234567.0 << "#,##0" << "1,234,567";
        QTest::newRow("half rounds away from zero") << 1234.5 << "#,##0" << "1,235";
        QTest::newRow("zero shown") << 0.0 << "#,##0" << "0";
        QTest::newRow("zero hidden") << 0.0 << "#,###" << "";
        QTest::newRow("negative") << -98765.4 << "#,##0" << "-98,765";
        QTest::newRow("two decimals") << 1234.5 << "#,##0.00" << "1,234.50";
        QTest::newRow("two decimals zero") << 0.0 << "#,##0.00" << "0.00";
        QTest::newRow("optional decimals") << 1234.5 << "#,##0.##" << "1,234.5";
        QTest::newRow("optional decimals whole") << 12.0 << "#,##0.##" << "12";
        QTest::newRow("optional decimals rounded") << 2.499 << "#,##0.##" << "2.5";
        QTest::newRow("one decimal") << 93.25 << "#,##0.0" << "93.3";
        QTest::newRow("small negative rounds to zero") << -0.4 << "#,##0" << "0";
        QTest::newRow("no mask") << 2.5 << "" << "2.5";
    }
    void numberMasks()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, text);
        QCOMPARE(FormatNumber(value, mask), text);
    }

    void parseNumber()
    {
        bool ok = false;
        QCOMPARE(ParseNumber("1,234.5", &ok), 1234.5);
        QVERIFY(ok);
        QCOMPARE(ParseNumber("", &ok), 0.0);
        QVERIFY(ok);
        ParseNumber("12a", &ok);
        QVERIFY(!ok);
    }

    void titleClickSortsAndTotals()
    {
        DataGrid g("g");
        g.setColumns({{.field = "code", .title = "코드"},
                      {.field = "name", .title = "이름"},
                      {.field = "m3", .title = "수량", .mask = "#,##0.00", .sum = true},
                      {.field = "KUM", .title = "금액", .mask = "#,##0", .sum = true}});
        g.setTotalsLine(true);
        g.resize(500, 200);
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.load(sample());
        QCOMPARE(g.rows()->text(1, "hidden"), QString("y")); // fields no column shows are kept
        QCOMPARE(g.model()->data(g.model()->index(1, 3)).toString(), QString("250,000"));
        QCOMPARE(g.model()->data(g.model()->index(1, 2)).toString(), QString("10.25"));
        QCOMPARE(g.totalText("m3"), QString("12.75"));
        QCOMPARE(g.totalText("kum"), QString("251,031"));
        QCOMPARE(g.totalText("name"), QString());
        g.setTotal("kum", [&g] { return g.rows()->sum("m3") * 2; });
        QCOMPARE(g.totalText("kum"), QString("26"));

        clickTitle(g, 0);
        QCOMPARE(column(g, "code"), (QStringList{"001", "002", "003"}));
        clickTitle(g, 0);
        QCOMPARE(column(g, "code"), (QStringList{"003", "002", "001"}));
        clickTitle(g, 3); // numbers sort by value, not as text
        QCOMPARE(column(g, "kum"), (QStringList{"31", "1000", "250000"}));
        QCOMPARE(g.currentRecord(), 0);

        // Odd rows tinted, starting with the first.
        const auto background = [&g](int row) { return g.model()->data(g.model()->index(row, 0), Qt::BackgroundRole); };
        QCOMPARE(background(0).value<QColor>(), QColor(254, 252, 186));
        QVERIFY(!background(1).isValid());
        QCOMPARE(background(2).value<QColor>(), QColor(254, 252, 186));
        g.rows()->setRowColor([&g](int r) { return g.rows()->text(r, "hidden") == "z" ? QColor(Qt::yellow) : QColor(); });
        QCOMPARE(background(0).value<QColor>(), QColor(Qt::yellow));

        // The totals line follows the rows.
        g.rows()->remove(0);
        QCOMPARE(g.totalText("m3"), QString("12.75"));
        g.rows()->setValue(g.rows()->append(), "m3", 1.0);
        QCOMPARE(g.totalText("m3"), QString("13.75"));
        QWidget* totals = g.findChild<QWidget*>("g_totals");
        QVERIFY(totals && totals->isVisible());
        QVERIFY(totals->geometry().top() > g.viewport()->geometry().top());
    }

    void titleClickHandlerReplacesSort()
    {
        DataGrid g("g");
        g.setColumns({{.field = "code", .title = "코드"}, {.field = "name", .title = "이름"}});
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.load(sample());
        QString clicked;
        g.setTitleClick([&](const QString& field) { clicked = field; });
        clickTitle(g, 1);
        QCOMPARE(clicked, QString("name"));
        QCOMPARE(column(g, "code"), (QStringList{"002", "001", "003"}));
    }

    void browseSelectsWholeRecords()
    {
        DataGrid g("g");
        g.setColumns({{.field = "code", .title = "코드"}, {.field = "name", .title = "이름"}});
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        g.load(sample());
        QSignalSpy activated(&g, &DataGrid::recordActivated);
        QSignalSpy clicked(&g, &DataGrid::recordClicked);
        QSignalSpy current(&g, &DataGrid::currentRecordChanged);
        g.setFocus();
        QTest::keyClick(&g, Qt::Key_Down);
        QCOMPARE(current.last().first().toInt(), 1);
        QCOMPARE(g.selectionModel()->selectedIndexes().size(), 2); // the whole row
        QTest::keyClick(&g, Qt::Key_Return);
        QCOMPARE(activated.last().first().toInt(), 1);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.visualRect(g.model()->index(2, 1)).center());
        QCOMPARE(clicked.last().first().toInt(), 2);
        QVERIFY(g.model()->flags(g.model()->index(0, 0)).testFlag(Qt::ItemIsEditable) == false);

        g.rows()->clear();
        QTest::keyClick(&g, Qt::Key_Return);
        QCOMPARE(activated.last().first().toInt(), -1);
    }

    void twoLineRows()
    {
        DataGrid g("g");
        // Line 2 under line 1: code/seq; name spans both lines; m3 and kum share
        // line 1's standard cell.
        g.setColumns({{.field = "code", .title = "코드"},
                      {.field = "name", .title = "현장명"},
                      {.field = "standard", .title = "규격"},
                      {}},
                     {{.field = "seq", .title = "순번"},
                      {},
                      {.field = "m3", .title = "수량", .mask = "#,##0.00"},
                      {.field = "kum", .title = "금액", .mask = "#,##0"}});
        g.show();
        QVERIFY(QTest::qWaitForWindowExposed(&g));
        Rows r;
        r.columns = {"code", "seq", "name", "standard", "m3", "kum"};
        r.data = {{"001", "01", "서울", "25-210-12", 6.5, 361108.0}, {"002", "02", "부산", "25-240-15", 1.0, 70000.0}};
        g.load(r);
        QCOMPARE(g.model()->rowCount(), 4);
        QCOMPARE(g.model()->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString(), QString("코드\n순번"));
        QCOMPARE(g.model()->headerData(1, Qt::Horizontal, Qt::DisplayRole).toString(), QString("현장명"));
        QCOMPARE(g.model()->data(g.model()->index(3, 0)).toString(), QString("02"));
        QCOMPARE(g.model()->data(g.model()->index(2, 3)).toString(), QString()); // line 1 has no cell there
        QCOMPARE(g.model()->data(g.model()->index(1, 2)).toString(), QString("6.50"));
        QCOMPARE(g.rowSpan(0, 1), 2);
        QCOMPARE(g.columnSpan(2, 2), 2);
        // Both lines of a record tint alike and are selected together.
        QCOMPARE(g.model()->data(g.model()->index(1, 0), Qt::BackgroundRole),
                 g.model()->data(g.model()->index(0, 0), Qt::BackgroundRole));
        g.setCurrentRecord(1, "m3");
        QCOMPARE(g.currentIndex().row(), 3);
        QVERIFY(g.selectionModel()->isSelected(g.model()->index(2, 0)));
        QVERIFY(g.selectionModel()->isSelected(g.model()->index(3, 3)));
        clickTitle(g, 2);
        QCOMPARE(column(g, "code"), (QStringList{"001", "002"}));
    }

    void editableCellsRunTheirEnterHandler()
    {
        DataGrid g("g");
        QList<int> calls;
        g.setColumns({{.field = "code", .title = "코드", .editable = true, .maxLength = 4, .upper = true,
                       .onEnter = [&](int row) { calls << row; return 2; }},
                      {.field = "name", .title = "이름", .editable = true},
                      {.field = "memo", .title = "메모"},
                      {.field = "m3", .title = "수량", .mask = "#,##0.00", .editable = true,
                       .onEnter = [&](int) -> int { throw DbError("lock conflict on no wait transaction"); }}});
        g.show();
        QApplication::setActiveWindow(&g);
        QVERIFY(QTest::qWaitForWindowActive(&g));
        g.setEditable(true);
        const int r = g.rows()->append();
        g.setCurrentRecord(r, "code");
        g.setFocus();

        // Typing opens the editor; Enter stores the text (upper case, cut at
        // the column's width), runs the handler and moves as it says.
        QTest::keyClicks(&g, "a");
        auto* editor = g.findChild<QLineEdit*>();
        QVERIFY(editor);
        QTest::keyClicks(editor, "bcdef");
        QTest::keyClick(editor, Qt::Key_Return);
        QCOMPARE(g.rows()->text(r, "code"), QString("ABCD"));
        QCOMPARE(calls, QList<int>{r});
        QCOMPARE(g.currentField(), QString("m3")); // two cells on: past name; memo is not editable

        QTest::keyClicks(&g, "1");
        QTest::keyClicks(QApplication::focusWidget(), ",234.5");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(g.rows()->number(r, "m3"), 1234.5);
        QCOMPARE(g.currentField(), QString("m3")); // the handler failed: stay
        QCOMPARE(Messages::shownTexts(), QStringList{"lock conflict on no wait transaction"});

        // Without a handler Enter moves one cell on, also without typing.
        g.setCurrentRecord(r, "name");
        QTest::keyClick(&g, Qt::Key_Return);
        QCOMPARE(g.currentField(), QString("m3"));

        g.setEnterOrder({"name", "code"});
        g.setCurrentRecord(r, "name");
        QTest::keyClick(&g, Qt::Key_Return);
        QCOMPARE(g.currentField(), QString("code"));

        // Leaving the editable mode keeps a cell being typed into.
        g.setCurrentRecord(r, "name");
        QTest::keyClicks(&g, "x");
        QTest::keyClicks(QApplication::focusWidget(), "yz");
        g.setEditable(false);
        QCOMPARE(g.rows()->text(r, "name"), QString("xyz"));
        QVERIFY(!g.model()->flags(g.model()->index(0, 0)).testFlag(Qt::ItemIsEditable));
    }
};

QTEST_MAIN(TestGrid)
#include "tst_grid.moc"
