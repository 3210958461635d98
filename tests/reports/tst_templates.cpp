#include "data/Session.h"
#include "data/Sql.h"
#include "reports/engine/ReportExport.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportRegistry.h"
#include "support/TestDb.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

void customerFixture()
{
    insertRow("enrol", {{"saup", "01"}, {"name", "대성레미콘"}, {"japum", "레미콘"}});
    insertRow("iso", {{"code", 0}, {"num", "QP-701-05"}});
    auto customer = [](const QString& grcd, const QString& name, const QString& kawnSa, const QString& misu,
                       const QString& vat, const QString& memo, const QString& tel) {
        insertRow("customer",
                  {{"saup", "01"}, {"grcd", grcd}, {"cust_set", grcd.left(1)}, {"cust_seq", grcd.mid(1)},
                   {"name", name}, {"daepyo", "김철수"}, {"saupja", "123-45-67890"}, {"uptae", "건설"},
                   {"jongmok", "토목"}, {"post", "100-200"}, {"address1", "서울시 중구 을지로 1"},
                   {"address2", "2층"}, {"tel", tel}, {"kawn_sa", kawnSa}, {"misu", misu}, {"vat", vat},
                   {"ilja", "2020-01-02"}, {"memo", memo}, {"post_yn", "Y"}, {"rank", "A"}, {"enable", "Y"}});
    };
    // Listed by class, then name: B001 (K), A001 and B002 (S), C001 (T).
    customer("A001", "가나건설", "S", "H", "V", "", "02-123-4567");
    customer("B001", "(주)한국토건", "K", "G", "N", "관급 거래처 조달청 연간 단가 계약", "");
    customer("B002", "다온산업", "S", "H", "X", "현금", "031-555-0101");
    customer("C001", "라온,주식회사", "T", "H", "V", "", "");
}

void specFixture()
{
    insertRow("enrol", {{"saup", "01"}, {"name", "대성레미콘"}});
    auto spec = [](const QString& code, const QString& ilja, const QString& standard, double water1, double ad1,
                   int kwan, int sa, const QString& gubun) {
        insertRow("r_size", {{"saup", "01"}, {"remi_code", code}, {"ilja", ilja}, {"gubun", gubun},
                             {"kind", "레미콘"}, {"standard", standard}, {"gover_num", "2210190401"},
                             {"cement_1", 300}, {"cement_2", 0}, {"sand_1", 800}, {"sand_2", 50}, {"sand_3", 120},
                             {"gravel_1", 1234}, {"gravel_2", 0}, {"gravel_3", 0}, {"water_1", water1},
                             {"water_2", 0.0}, {"ad_1", ad1}, {"ad_2", 0.5}, {"ad_3", 0.0},
                             {"kwan_danga", kwan}, {"sa_danga", sa}});
    };
    // Versions by code and date; cement_3 is never set and prints nothing.
    spec("0002", "2024-01-01", "25-240-15", 165, 3, 61000, 68000, "0");
    spec("0001", "2024-03-01", "25-210-12", 170.5, 2.125, 60500, 67000, "0");
    spec("0001", "2023-01-01", "25-210-12", 170, 1.25, 58000, 65000, "1");
}

QByteArray golden(const QString& name)
{
    QFile f(QFINDTESTDATA("golden/" + name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

ReportDocument run(const QString& report)
{
    session().loadCompany();
    const RegisteredReport* r = findReport(report);
    if (!r)
        throw std::runtime_error("not registered");
    return layoutReport(r->build({}));
}

QByteArray cli(const TestDb& db, const QStringList& args)
{
    QProcess p;
    p.start(cliPath(), QStringList{"--database", db.path(), "report"} + args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) {
        qWarning() << p.readAllStandardError();
        return "failed";
    }
    return p.readAllStandardOutput();
}

QString pdfText(const QString& path)
{
    QProcess p;
    p.start("pdftotext", {"-layout", path, "-"});
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

class TestTemplates : public QObject {
    Q_OBJECT
private slots:
    void registered()
    {
        QVERIFY(findReport("customers"));
        QCOMPARE(findReport("qr_cust_f1"), findReport("customers"));
        QCOMPARE(findReport("specs")->templateName, QString("qr_size_f1"));
        QVERIFY(!findReport("nothing"));
    }

    // The customer list on a fixed data set, and varer-cli writes the same.
    void customerListCsv()
    {
        TestDb db;
        customerFixture();
        const QByteArray csv = ReportExport::csv(run("customers"));
        QCOMPARE(csv, golden("customers.csv"));
        QCOMPARE(cli(db, {"customers", "--format", "csv"}), csv);
    }

    void specListCsv()
    {
        TestDb db;
        specFixture();
        const ReportDocument d = run("qr_size_f1");
        QCOMPARE(ReportExport::csv(d), golden("specs.csv"));
        // Rule under every third row: three rows give one.
        int lines = 0;
        for (const ReportItem& i : d.pages.at(0).items)
            lines += i.kind == ReportItem::Line && i.rect.top() > 40 && i.rect.top() < 150;
        QCOMPARE(lines, 1);
    }

    // A run builds a fresh job: nothing of the first run survives into the second.
    void runTwiceCarriesNothingOver()
    {
        TestDb db;
        customerFixture();
        QCOMPARE(run("customers").printedRows.size(), 4);
        Sql::exec("delete from customer");
        Sql::exec("update enrol set name = ?", {"새이름"});
        const ReportDocument second = run("customers");
        QCOMPARE(second.pageCount(), 1);
        QCOMPARE(QString::fromUtf8(ReportExport::csv(second)),
                 QString::fromUtf8(golden("customers.csv")).section('\n', 0, 0) + "\n\nnamel,새이름\n");
    }

    void pdfHoldsKoreanTextAndFooter()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        TestDb db;
        customerFixture();
        specFixture();
        QTemporaryDir dir;
        const QString customers = dir.filePath("customers.pdf");
        QVERIFY(cli(db, {"customers", "--format", "pdf", "--out", customers}).startsWith("wrote"));
        const QString text = pdfText(customers);
        QVERIFY2(text.contains("거래처 코드 집"), qPrintable(text));
        QVERIFY(text.contains("(주)한국토건"));
        QVERIFY(text.contains(QRegularExpression("출력일자 : \\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d")));
        QVERIFY(text.contains("페이지 : 1"));
        QVERIFY(text.contains("대성레미콘"));

        const QString specs = dir.filePath("specs.pdf");
        QVERIFY(cli(db, {"specs", "--format", "pdf", "--out", specs}).startsWith("wrote"));
        const QString specText = pdfText(specs);
        QVERIFY(specText.contains("[레미콘 규격 코드집]"));
        QVERIFY(specText.contains("A4.(210*297)"));
        QVERIFY(specText.contains("67,000"));
    }

    // Two lines per customer: 200 customers take several pages, each with its footer.
    void longCustomerList()
    {
        if (QStandardPaths::findExecutable("pdftotext").isEmpty())
            QSKIP("pdftotext is not installed");
        TestDb db;
        insertRow("enrol", {{"saup", "01"}, {"name", "대성레미콘"}});
        {
            Transaction tx;
            for (int i = 1; i <= 200; ++i)
                insertRow("customer", {{"grcd", QString("A%1").arg(i, 3, 10, QChar('0'))}, {"cust_set", "A"},
                                       {"cust_seq", QString("%1").arg(i, 3, 10, QChar('0'))},
                                       {"name", QString("거래처%1").arg(i)}, {"kawn_sa", "S"}});
            tx.commit();
        }
        const ReportDocument d = run("customers");
        // 210 mm less margins (20), page header (26) and footer (14): 150 mm, 15 rows of 10 mm.
        QCOMPARE(d.pageCount(), 14);
        QTemporaryDir dir;
        QVERIFY(cli(db, {"customers", "--format", "pdf", "--out", dir.filePath("c.pdf")}).startsWith("wrote"));
        const QString text = pdfText(dir.filePath("c.pdf"));
        QCOMPARE(text.count("\f"), 14);
        QVERIFY(text.contains("페이지 : 14"));
        QCOMPARE(text.count("거래처 코드 집"), 14);
    }

    void xlsxHoldsNumbersAsNumbers()
    {
        if (QStandardPaths::findExecutable("unzip").isEmpty())
            QSKIP("unzip is not installed");
        TestDb db;
        specFixture();
        QTemporaryDir dir;
        const QString path = dir.filePath("specs.xlsx");
        QVERIFY(cli(db, {"specs", "--format", "xlsx", "--out", path}).startsWith("wrote"));
        QProcess unzip;
        unzip.start("unzip", {"-p", path, "xl/worksheets/sheet1.xml"});
        QVERIFY(unzip.waitForFinished(30000));
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        // Row 3, the first spec: its code is text, its mix and prices numbers.
        QVERIFY2(sheet.contains(QRegularExpression("<c r=\"A3\"[^>]*t=\"s\"")), qPrintable(sheet));
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"F3\"[^>]*><v>300</v>")));
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"Q3\"[^>]*><v>1.25</v>")));
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"U3\"[^>]*><v>65000</v>")));
        // cement_3 is not set: an empty cell, as on the page, not a 0.
        QVERIFY(!sheet.contains("r=\"H3\""));
        // The column titles are in row 2.
        QVERIFY(sheet.contains(QRegularExpression("<c r=\"U2\"[^>]*t=\"s\"")));
    }

    // The footer shows ISO document 0 until the order print sets IsoCode to 1.
    void standardLabels()
    {
        TestDb db;
        insertRow("enrol", {{"saup", "01"}, {"name", "대성레미콘"}, {"japum", "레미콘"}});
        insertRow("iso", {{"code", 0}, {"num", "QP-701-05"}});
        insertRow("iso", {{"code", 1}, {"num", "QP-702-01"}});
        session().loadCompany();
        ReportLabels labels;
        setStandardLabels(labels);
        QCOMPARE(labels.items(), (QList<QPair<QString, QString>>{
                                     {"namel", "대성레미콘"}, {"japuml", "레미콘"}, {"iso_seq", "QP-701-05"}}));
        session().IsoCode = 1;
        setStandardLabels(labels);
        QCOMPARE(labels.value("iso_seq"), QString("QP-702-01"));
        session().IsoCode = 0;
    }

    void cliRefusesBadUse()
    {
        TestDb db;
        const QList<QStringList> bad = {{"nothing"}, {"customers", "--format", "doc"}, {"customers", "--level", "X"}};
        for (const QStringList& args : bad) {
            QProcess p;
            p.start(cliPath(), QStringList{"--database", db.path(), "report"} + args);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 2);
        }
        const QString list = QString::fromUtf8(cli(db, {"--list"}));
        QVERIFY(list.contains("customers (qr_cust_f1)"));
        QVERIFY(list.contains("specs (qr_size_f1)"));
    }
};

QTEST_MAIN(TestTemplates)
#include "tst_templates.moc"
