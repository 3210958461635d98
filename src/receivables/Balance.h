#pragma once
// Receivable balances (미수) of a receivable holder: a customer's site that
// carries its own receivable (r_hyunjang.misu 'H'), or the site "000" of an
// integrated customer ('T'), which collects the sales booked on the
// customer's class-'G' sites.
//
// balance = opening + sales (hap) - deposits (hyun + au + gi + hal + dea),
// rounded to the won with halves to even; lee is never deducted. The opening
// is the previous year's closing row (YYYY-13) or, in the year of
// StartMonth, the holder's opening balance in r_misu; only the movements of
// the cut-off year are added, so a year must be closed before the balances of
// the next one are right.
//
// Book flag: 0 reads the sales book (makam, r_mast, r_ipkum), any other value
// the tax book (tax_makam, tax_mast, tax_ipkum). Opening balances come from
// r_misu in both books. StartMonth is session().StartMonth; when it is empty
// (no opening balances at all) every year opens from the closing rows.
//
// Cut-off texts must be well-formed keys (YYYY-MM-DD, YYYY-MM, YYYY): they
// are compared as text. A cut-off whose year is not a number throws
// std::invalid_argument.
#include <QList>
#include <QString>

// Which movements of the cut-off year a balance counts.
enum class Cutoff {
    BeforeDay,   // ilja <  day
    AtDay,       // ilja <= day
    BeforeMonth, // ul   <  month
    AtMonth,     // ul   <= month
};

double BalanceBeforeDay(const QString& grcd, const QString& code, const QString& day, int book = 0);
double BalanceAtDay(const QString& grcd, const QString& code, const QString& day, int book = 0);
double BalanceBeforeMonth(const QString& grcd, const QString& code, const QString& month, int book = 0);
double BalanceAtMonth(const QString& grcd, const QString& code, const QString& month, int book = 0);

// The four routines above in one: three small queries for one holder.
double HolderBalance(const QString& grcd, const QString& code, Cutoff kind, const QString& cutoff, int book = 0);

// The balance carried into `year` (전년이월): the balance at the end of the
// year before, i.e. its closing row (year-1)-13, rounded; 0 without a row.
// In the year of StartMonth and before it the result is 0: the books carry
// nothing over from before they begin, and the holder's r_misu opening
// balance enters at its month (the yearly statement restarts from it there).
// The movements of year-1 are already inside the closing row and are not
// added again. Equal to BalanceBeforeDay(grcd, code, "year-01-01") for every
// year after the start year.
double CarriedBalance(const QString& grcd, const QString& code, const QString& year, int book = 0);

// --- every holder at once -------------------------------------------------

struct HolderFilter {
    // Inclusive customer range; an empty bound leaves that side open.
    QString fromGrcd;
    QString toGrcd;
    // Processing class P, Q or R applied to the site's kawn_sa (see
    // LevelCondition); empty applies none.
    QString level;
};

struct HolderBalanceRow {
    QString grcd;
    QString grcdName; // the site row's copy of the customer name
    QString code;
    QString codeName; // the site name
    QString kawnSa;
    double balance = 0;
};

// The balance of every receivable holder (r_hyunjang rows whose misu is not
// 'G') that the filter keeps, ordered by grcd and code, with a handful of
// grouped queries whatever the number of holders. Each balance equals
// HolderBalance() of that holder (amounts are whole won, so sums do not
// depend on the order they are added in).
QList<HolderBalanceRow> HolderBalances(Cutoff kind, const QString& cutoff, int book = 0,
                                       const HolderFilter& filter = {});
