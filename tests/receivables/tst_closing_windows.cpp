#include "data/Sql.h"
#include "receivables/ReceivablesFixture.h"
#include "receivables/YearClosing.h"
#include "receivables/ui/Tmakam_f.h"
#include "receivables/ui/YearClosingCommand.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QApplication>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

void customers()
{
    for (const char* grcd : {"A001", "B001", "C001", "D001", "E001"})
        insertRow("customer", {{"grcd", grcd}, {"cust_set", QString(grcd).left(1)}, {"cust_seq", QString(grcd).mid(1)},
                               {"name", QString(grcd) + "상사"}});
}

double makamMisu(const QString& grcd, const QString& code, const QString& key)
{
    return Sql::scalar("select misu from makam where grcd = ? and code = ? and ilja = ?", {grcd, code, key}).toDouble();
}

// Types text into a widget with the keyboard and presses Enter.
void typeAndEnter(QWidget* w, const QString& text)
{
    w->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        edit->clear();
    QTest::keyClicks(w, text);
    QTest::keyClick(w, Qt::Key_Return);
}

// Answers the year box with `text` (or Cancel when it is null).
void answerYear(const QString& text)
{
    Kit::setModalHook([text](QDialog* d) {
        auto* box = qobject_cast<QInputDialog*>(d);
        QVERIFY(box);
        QCOMPARE(box->windowTitle(), QString("레미콘 연말 마감"));
        QCOMPARE(box->labelText(), QString("마감년도를 입력하시오   (예:1999)"));
        if (text.isNull()) {
            box->reject();
            return;
        }
        box->setTextValue(text);
        box->accept();
    });
}

} // namespace

class TestClosingWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { Kit::useApplicationFont(); }
    void init() { Messages::startScript(); }
    void cleanup()
    {
        Messages::stopScript();
        Kit::setModalHook({});
    }

    void closingWindowClosesOneSite()
    {
        TestDb db;
        fixture::smallOffice();
        customers();
        Tmakam_f w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.windowTitle(), QString("마   감"));
        auto* year = w.findChild<QSpinBox*>("edt_ilja");
        QCOMPARE(year->value(), 2002);
        year->setValue(2003);
        year->setFocus();
        QTest::keyClick(year, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("edt_cust"));
        typeAndEnter(w.findChild<QWidget*>("edt_cust"), "A001");
        QCOMPARE(w.findChild<QLabel*>("lab_cust")->text(), QString("A001상사"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("edt_hyun"));
        typeAndEnter(w.findChild<QWidget*>("edt_hyun"), "001");
        QCOMPARE(w.findChild<QLabel*>("lab_hyun")->text(), QString("A001001현장"));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("btn_find"));

        auto click = [&](const char* name) { QTest::mouseClick(w.findChild<QPushButton*>(name), Qt::LeftButton); };
        click("btn_find");
        GridModel* rows = w.grid()->rows();
        QCOMPARE(rows->size(), 1);
        QCOMPARE(rows->text(0, "ilja"), QString("2003-13"));
        QCOMPARE(rows->number(0, "misu"), 100.5);

        // Cancel at the re-closing question changes nothing.
        Messages::queueAnswer(false);
        click("btn_makam");
        QCOMPARE(Messages::shownTexts(), QStringList({"2003년도는  이미 마감되었습니다.\n 갱신하시겠습니까?"}));
        QCOMPARE(makamMisu("A001", "001", "2003-13"), 100.5);

        Messages::clearShown();
        Messages::queueAnswer(true);
        click("btn_makam");
        QCOMPARE(Messages::shownTexts(), QStringList({"2003년도는  이미 마감되었습니다.\n 갱신하시겠습니까?",
                                                      "마감이 종료되었습니다."}));
        QCOMPARE(rows->size(), 1);
        QCOMPARE(rows->number(0, "misu"), 1384.0);
        QCOMPARE(rows->number(0, "lee"), 5999.0);
        QCOMPARE(w.grid()->model()->data(w.grid()->rows()->indexOf(0, "hap")).toString(), QString("500"));
        QCOMPARE(makamMisu("B001", "000", "2003-13"), 580.0); // other holders untouched
        w.grab().save(QDir::temp().filePath("Tmakam_f.png"));

        // Without a site nothing is closed.
        Messages::clearShown();
        auto* site = w.findChild<QLineEdit*>("edt_hyun");
        site->clear();
        click("btn_makam");
        QCOMPARE(Messages::shownTexts(), QStringList({"데이타를 모두 입력하시오."}));
    }

    void wholeYearFromTheMenu()
    {
        TestDb db;
        fixture::smallOffice();
        RememberedClosingYear().clear();

        answerYear(QString());
        RunYearClosing(nullptr, 0);
        QCOMPARE(Messages::shownTexts(), QStringList({"마감 작업이 취소되었습니다."}));

        // Not a number: refused before anything is touched.
        Messages::clearShown();
        answerYear("2O03");
        RunYearClosing(nullptr, 0);
        QCOMPARE(Messages::shownTexts(), QStringList({"마감년도를 숫자로 입력하시오."}));
        QCOMPARE(makamMisu("A001", "001", "2003-13"), 100.5);

        // Already closed: Cancel leaves it, OK closes again.
        Messages::clearShown();
        answerYear("2003");
        Messages::queueAnswer(false);
        RunYearClosing(nullptr, 0);
        QCOMPARE(Messages::shownTexts(), QStringList({"2003년도는  이미 마감되었습니다.\n 갱신하시겠습니까?"}));
        QCOMPARE(makamMisu("A001", "001", "2003-13"), 100.5);
        QCOMPARE(RememberedClosingYear(), QString("2003"));

        Messages::clearShown();
        Kit::setModalHook([](QDialog* d) {
            auto* box = qobject_cast<QInputDialog*>(d);
            QCOMPARE(box->textValue(), QString("2003")); // the year typed last time
            box->accept();
        });
        Messages::queueAnswer(true);
        RunYearClosing(nullptr, 0);
        QCOMPARE(Messages::shownTexts(), QStringList({"2003년도는  이미 마감되었습니다.\n 갱신하시겠습니까?",
                                                      "마감이 종료되었습니다."}));
        QCOMPARE(makamMisu("A001", "001", "2003-13"), 1384.0);

        // The tax book: no question the first time, rows into tax_makam only.
        Messages::clearShown();
        answerYear("2003");
        RunYearClosing(nullptr, 1);
        QCOMPARE(Messages::shownTexts(), QStringList({"마감이 종료되었습니다."}));
        QVERIFY(YearClosed(2003, 1));
        QCOMPARE(Sql::scalar("select count(*) from makam").toInt(), 4);
    }
};

QTEST_MAIN(TestClosingWindows)
#include "tst_closing_windows.moc"
