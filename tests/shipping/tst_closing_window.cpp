#include "data/Session.h"
#include "data/Sql.h"
#include "shipping/ui/Tiljaprint_f.h"
#include "support/TestDb.h"
#include "widgets/Field.h"
#include "widgets/Messages.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

const QString kDay = QStringLiteral("2024-05-02");

void order(const QString& seq, double shipped)
{
    insertRow("r_suju", {{"ilja", kDay}, {"seq", seq}, {"grcd", "A001"}, {"code", "001"}, {"remi_code", "1001"},
                         {"order_m3", 10.0}, {"danga", 60000.0}, {"vat", "V"}, {"v_outorder", shipped}});
}

} // namespace

class TestClosingWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { Messages::startScript(); }
    void cleanup() { Messages::stopScript(); }

    void closesTheDayWithThePassword()
    {
        TestDb db;
        insertRow("youngup", {{"code", "589"}, {"pass", "589"}});
        order("01", 6);
        order("02", 0);
        insertRow("r_mast", {{"ilja", kDay}, {"seq", "55"}, {"m3", 1.0}});
        session().ReportKind = 2;
        Tiljaprint_f w;
        w.show();
        QCOMPARE(w.windowTitle(), QString("출하 마감"));
        auto* day = w.findChild<Field*>("hy01");
        auto* pan = w.findChild<QFrame*>("pass_pan");
        auto* pass = w.findChild<QLineEdit*>("pass_edit");
        QVERIFY(day && pan && pass);
        QVERIFY(pan->isHidden());
        day->setValue(kDay);

        // A wrong password: panel hidden, message, nothing written.
        w.findChild<QPushButton*>("okbtn")->click();
        QVERIFY(pan->isVisible());
        QTest::keyClicks(pass, "58");
        QTest::keyClick(pass, Qt::Key_Return);
        QVERIFY(pan->isHidden());
        QCOMPARE(Messages::shownTexts(), QStringList{"암호가 틀렸습니다."});
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 1);

        // The right one: the question about the existing rows, Cancel keeps them.
        Messages::clearShown();
        w.findChild<QPushButton*>("okbtn")->click();
        QVERIFY(pass->text().isEmpty());
        QTest::keyClicks(pass, "589");
        Messages::queueAnswer(false);
        QTest::keyClick(pass, Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList{"자료가 이미 존재합니다.\n 갱신하시겠습니까?"});
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 1);

        w.findChild<QPushButton*>("okbtn")->click();
        QTest::keyClicks(pass, "589");
        Messages::queueAnswer(true);
        QTest::keyClick(pass, Qt::Key_Return);
        QCOMPARE(Sql::scalar("select count(*) from r_mast").toInt(), 2);
        QCOMPARE(Sql::scalar("select m3 from r_mast where seq = '01'").toDouble(), 6.0);

        // Once approved, only the approval message.
        Sql::exec("update r_mast set okno = '결재'");
        Messages::clearShown();
        w.findChild<QPushButton*>("okbtn")->click();
        QTest::keyClicks(pass, "x");
        QTest::keyClick(pass, Qt::Key_Return);
        QCOMPARE(Messages::shownTexts(), QStringList{"결재가 완료된 자료입니다. 사장님 결재요망"});
    }

    void otherKindsOfferNoOk()
    {
        session().ReportKind = 3;
        Tiljaprint_f w;
        QVERIFY(!w.findChild<QPushButton*>("okbtn")->isEnabled());
        QVERIFY(!w.findChild<QLabel*>("result_label")->text().isEmpty());
    }
};

QTEST_MAIN(TestClosingWindow)
#include "tst_closing_window.moc"
