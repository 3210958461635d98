#pragma once
// A large, deterministic office for benchmarks and tests of the receivables:
// customers of every class (a quarter of them integrated, with a site "000"),
// construction sites that are active for a stretch of months, product specs
// with prices, trucks, opening balances, and on every working day (Monday to
// Saturday) orders, truck loads, the sales rows the daily shipment closing
// writes for them (priced by the amount rule) and the deposits of the
// receivable holders, which pay most of the previous month's sales each
// month. Finally every year but the last is closed, in order.
//
// The same options give the same database, row for row.
//
// Row numbers of a day (order and sales seq, deposit jun) are two
// characters: "01" to "99", and on a day with more rows than that "A0" to
// "Z9", "AA" ... "ZZ" (an office of this size ships more than 99 orders a
// day; such days exist only in generated books).
#include <QString>
#include <QtGlobal>

struct GenerateOptions {
    int years = 10;
    int lastYear = 2024;   // the books run from January of lastYear-years+1 to December of lastYear
    int customers = 1000;
    int sites = 5000;      // construction sites; integrated customers also get their site "000"
    quint32 seed = 1;
    // Chance in per cent that an active site takes concrete on a working day.
    int deliveryRate = 30;
};

struct GenerateSummary {
    QString firstDay;
    QString lastDay;
    int customers = 0;
    int sites = 0;   // r_hyunjang rows, sites "000" included
    int holders = 0; // receivable holders (sites whose misu is not G)
    int specs = 0;
    int trucks = 0;
    qint64 orders = 0;
    qint64 loads = 0;
    qint64 sales = 0;
    qint64 deposits = 0;
    int openings = 0;
    int closings = 0; // closing rows written
};

// The day's n-th row number (n from 1), as described above; throws
// std::out_of_range beyond "ZZ".
QString GeneratedDayNumber(int n);

// Fills the open database, which must hold no customers yet (throws DbError
// otherwise, or on any database failure). Writes in large transactions with
// statements prepared once. Reports progress on gauge 0 of
// Progress::current(), one step per month.
GenerateSummary GenerateOffice(const GenerateOptions& options);
