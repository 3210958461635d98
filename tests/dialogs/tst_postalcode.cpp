#include "data/Session.h"
#include "dialogs/PostalCodeDlg.h"
#include "support/TestDb.h"
#include "widgets/Grid.h"
#include "widgets/Kit.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

static QStringList codes(const Tgrid_f& w)
{
    QStringList c;
    for (int r = 0; r < w.grid()->rows()->size(); ++r)
        c << w.grid()->rows()->text(r, "post");
    return c;
}

class TestPostalCode : public QObject {
    Q_OBJECT
    TestDb* db_ = nullptr;
private slots:
    void initTestCase()
    {
        Kit::useApplicationFont();
        db_ = new TestDb;
        for (const auto& [post, dong, juso, ddd] :
             {std::tuple{"135-080", "역삼동", "서울 강남구 역삼동", "02"}, {"135-081", "역삼1동", "서울 강남구 역삼1동", "02"},
              {"612-020", "우동", "부산 해운대구 우동", "051"}, {"100-100", "50%동", "서울 중구 50%동", "02"}})
            insertRow("zipcode", {{"post", post}, {"dong", dong}, {"juso", juso}, {"ddd", ddd}});
    }
    void cleanupTestCase() { delete db_; }
    void init()
    {
        session().ZipAddress = "before";
        session().ZipCode = "000-000";
    }

    void opensOnTheWholeDirectory()
    {
        Tgrid_f w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.windowTitle(), QString("우편번호 조회"));
        QCOMPARE(codes(w), (QStringList{"100-100", "135-080", "135-081", "612-020"}));
        QCOMPARE(w.kindField()->currentText(), QString("동"));
        QCOMPARE(w.textField()->text(), QString());
        QCOMPARE(QApplication::focusWidget(), w.textField());
        QCOMPARE(w.grid()->model()->headerData(2, Qt::Horizontal, Qt::DisplayRole).toString(), QString("주      소"));

        // Enter in the kind list moves to the search text.
        w.kindField()->setFocus();
        QTest::keyClick(w.kindField(), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.textField());
    }

    void search_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("dong contains") << "동" << "역삼" << QStringList{"135-080", "135-081"};
        QTest::newRow("dong percent is no wildcard") << "동" << "0%" << QStringList{"100-100"};
        QTest::newRow("dong no match") << "동" << "없는동" << QStringList{};
        QTest::newRow("postal code equal") << "우편번호" << "612-020" << QStringList{"612-020"};
        QTest::newRow("postal code part finds nothing") << "우편번호" << "612" << QStringList{};
        QTest::newRow("all ignores the text") << "전체" << "xyz" << QStringList{"100-100", "135-080", "135-081", "612-020"};
    }
    void search()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(QStringList, found);
        Tgrid_f w;
        w.show();
        QApplication::setActiveWindow(&w);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.kindField()->setCurrentText(kind);
        w.textField()->setText(text);
        QTest::keyClick(w.textField(), Qt::Key_Return);
        QCOMPARE(codes(w), found);
        QCOMPARE(QApplication::focusWidget(), w.grid());
    }

    void enterPicksTheRow()
    {
        Kit::setModalHook([](QDialog* d) {
            auto* w = qobject_cast<Tgrid_f*>(d);
            w->textField()->setText("역삼");
            QTest::keyClick(w->textField(), Qt::Key_Return);
            QTest::keyClick(w->grid(), Qt::Key_Down);
            QTest::keyClick(w->grid(), Qt::Key_Return);
        });
        QVERIFY(Tgrid_f::choose());
        Kit::setModalHook({});
        QCOMPARE(session().ZipAddress, QString("서울 강남구 역삼1동"));
        QCOMPARE(session().ZipCode, QString("135-081"));
    }

    void clickPicksTheRow()
    {
        Tgrid_f w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        DataGrid* g = w.grid();
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->visualRect(g->model()->index(3, 2)).center());
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(session().ZipCode, QString("612-020"));
        QCOMPARE(session().ZipAddress, QString("부산 해운대구 우동"));
    }

    void enterInAnEmptyGridPicksEmptyValues()
    {
        Tgrid_f w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        w.textField()->setText("없는동");
        QTest::keyClick(w.textField(), Qt::Key_Return);
        QCOMPARE(w.grid()->rows()->size(), 0);
        QTest::keyClick(w.grid(), Qt::Key_Return);
        QCOMPARE(w.result(), int(QDialog::Accepted));
        QCOMPARE(session().ZipAddress, QString());
        QCOMPARE(session().ZipCode, QString());
    }

    void escKeepsValues()
    {
        Kit::setModalHook([](QDialog* d) { QTest::keyClick(d, Qt::Key_Escape); });
        QVERIFY(!Tgrid_f::choose());
        Kit::setModalHook({});
        QCOMPARE(session().ZipAddress, QString("before"));
        QCOMPARE(session().ZipCode, QString("000-000"));
    }
};

QTEST_MAIN(TestPostalCode)
#include "tst_postalcode.moc"
