#pragma once
// Contracted quantities and prices of a public-works site (r_hyun_order):
// per spec a series of rows, each valid from its delivery-request date
// (demand1) to the day before the next row's (demand2, 9999-12-31 for the
// last). A later row is a price change or an added quantity.
//
// For each row the sales book gives the quantity shipped within its validity
// (the first row counts everything shipped up to its end). Running along the
// series, the unshipped quantity carries forward, and a changed price is
// worth the price difference on the quantity still unshipped:
//
//   shipped      CHUL    = sum(m3) of the site's sales of the spec in the row's validity
//   amount       hap     = amount × cost  (+ (cost − previous cost) × carried, on a price change)
//   shipped amt  chulkum = CHUL × cost
//   unshipped    MICHUL  = carried + amount − CHUL, carried on to the next row
//
// A spec's summary line adds up its rows. A spec shipped to the site without
// a contract is listed with its shipped quantity and amount only.
#include "data/Sql.h"

#include <QList>
#include <QString>
#include <optional>

namespace SiteContracts {

inline const QString OpenEnd = QStringLiteral("9999-12-31");

struct Line {
    QString standard, kind;
    QString orderNum;
    QString demand1, demand2;
    double amount = 0; // 계약량
    double cost = 0;   // 단가
    double hap = 0;    // 금액
    QString delivery;
    QString memo;
    double chul = 0;    // 출하량
    double chulkum = 0; // 출하금액
    double michul = 0;  // 미출하량
    bool contracted = true; // false: shipped without a contract
};

// --- reading ---------------------------------------------------------------

// One line per spec of the site: the contracted specs by name, then the
// specs shipped without a contract.
QList<Line> summary(const QString& grcd, const QString& code);
// The contract rows of one spec by demand1, with their figures.
QList<Line> detail(const QString& grcd, const QString& code, const QString& standard);

// The stored rows of one spec by demand1, each with its shipped quantity.
QList<Line> contractRows(const QString& grcd, const QString& code, const QString& standard);
// Fills hap, chulkum and MICHUL of a series of rows (in demand1 order) from
// their amount, cost and shipped quantity.
void computeSeries(QList<Line>& rows);
// A spec's summary line from its computed rows.
Line summarize(const QList<Line>& rows);

// Quantity of the spec shipped to the site from `from` (empty: from the
// start) to `to`, both inclusive.
double shipped(const QString& grcd, const QString& code, const QString& standard, const QString& from,
               const QString& to);

// The public price (kwan_danga) of a KS spec in force on a day: its latest
// version dated on or before it. Empty when there is none.
std::optional<double> publicPrice(const QString& standard, const QString& day);

// The day before a YYYY-MM-DD day ("" for a text that is no day).
QString dayBefore(const QString& day);
bool isDay(const QString& text);

// --- writing ---------------------------------------------------------------

enum class Result {
    Saved,
    Incomplete, // no spec or no delivery-request date
    BadDate,    // a date that is no YYYY-MM-DD day
    RowExists,  // the spec already has a row from that date
};

// Adds a row to a spec's series in one transaction. The row in force on its
// date is closed the day before; the new row runs until the day before the
// next row of the series, else open-ended. demand2 of `row` is not read.
Result addRow(const QString& grcd, const QString& code, const Line& row);
// Changes the quantity, price, due date, memo and order number of a stored
// row (spec and demand1 select it). Throws DbError when the row is gone.
Result changeRow(const QString& grcd, const QString& code, const Line& row);
// Deletes one row; the row before it then runs on to where the deleted one
// ended. Returns how many rows of the spec remain.
int deleteRow(const QString& grcd, const QString& code, const QString& standard, const QString& demand1);
// Deletes every row of a spec.
void deleteSpec(const QString& grcd, const QString& code, const QString& standard);

} // namespace SiteContracts
