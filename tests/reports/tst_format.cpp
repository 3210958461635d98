#include "reports/engine/ReportFormat.h"

#include <QTest>

class TestFormat : public QObject {
    Q_OBJECT
private slots:
    void masks_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero under #,##0") << 0.0 << "#,##0" << "0";
        QTest::newRow("zero under #,### is empty") << 0.0 << "#,###" << "";
        QTest::newRow("below half under #,### is empty") << 0.4 << "#,###" << "";
        QTest::newRow("thousands") << 1234567.0 << "#,##0" << "1,234,567";
        QTest::newRow("negative") << -1234567.0 << "#,##0" << "-1,234,567";
        QTest::newRow("negative #,###") << -1000.0 << "#,###" << "-1,000";
        QTest::newRow("half away from zero") << 2.5 << "#,##0" << "3";
        QTest::newRow("negative half away from zero") << -2.5 << "#,##0" << "-3";
        QTest::newRow("small negative is not -0") << -0.4 << "#,##0" << "0";
        QTest::newRow("two decimals always") << 1234.5 << "#,##0.00" << "1,234.50";
        QTest::newRow("zero with two decimals") << 0.0 << "#,##0.00" << "0.00";
        QTest::newRow("optional decimals") << 12.5 << "#,##0.##" << "12.5";
        QTest::newRow("optional decimals, whole") << 12.0 << "#,##0.##" << "12";
        QTest::newRow("optional decimals, half") << 0.125 << "#,##0.##" << "0.13";
        QTest::newRow("optional decimals, negative") << -0.005 << "#,##0.##" << "-0.01";
        QTest::newRow("rounding carries") << 999.999 << "#,##0.##" << "1,000";
        QTest::newRow("no separators") << 1234.0 << "0" << "1234";
        QTest::newRow("text around the number") << 1500.0 << "#,##0원" << "1,500원";
    }
    void masks()
    {
        QFETCH(double, value);
        QFETCH(QString, mask);
        QFETCH(QString, expected);
        QCOMPARE(ReportFormat::mask(value, mask), expected);
    }

    void labels_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("format");
        QTest::addColumn<QString>("expected");
        QTest::newRow("whole, half up") << 1234.5 << "%.0n" << "1,235";
        QTest::newRow("whole, negative half") << -1234.5 << "%.0n" << "-1,235";
        QTest::newRow("%0.n is whole too") << 0.5 << "%0.n" << "1";
        QTest::newRow("%0.n below half") << 2.49 << "%0.n" << "2";
        QTest::newRow("zero") << 0.0 << "%.0n" << "0";
        QTest::newRow("large") << 1e9 << "%.0n" << "1,000,000,000";
        QTest::newRow("two decimals") << 1234.567 << "%.2n" << "1,234.57";
        QTest::newRow("two decimals, zero") << 0.0 << "%.2n" << "0.00";
        QTest::newRow("two decimals, tiny negative") << -0.004 << "%.2n" << "0.00";
        QTest::newRow("two decimals, negative") << -51234.5 << "%.2n" << "-51,234.50";
    }
    void labels()
    {
        QFETCH(double, value);
        QFETCH(QString, format);
        QFETCH(QString, expected);
        QCOMPARE(ReportFormat::label(value, format), expected);
    }

    void codePage949Widths()
    {
        QCOMPARE(ReportFormat::cp949Width("A가b"), 4);
        QCOMPARE(ReportFormat::cutToCp949("가나다라", 6), QString("가나다"));
        // A Hangul syllable is never split: 5 bytes hold two syllables.
        QCOMPARE(ReportFormat::cutToCp949("가나다ab", 5), QString("가나"));
        QCOMPARE(ReportFormat::cutToCp949("ab가", 3), QString("ab"));
        QCOMPARE(ReportFormat::cutToCp949("short", 10), QString("short"));
    }
};

QTEST_GUILESS_MAIN(TestFormat)
#include "tst_format.moc"
