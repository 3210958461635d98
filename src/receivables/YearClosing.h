#pragma once
// The year closing: for every receivable holder (r_hyunjang rows whose misu
// is not 'G') one row YYYY-13 in the closing table with the year's sales
// totals (m3, kum, vatkum, hap), its deposit totals by kind (hyun, au, gi,
// hal, dea, lee) and the balance at the end of the year,
//     misu = opening + hap - (hyun + au + hal + gi + dea)   (no rounding),
// where the opening is the previous year's YYYY-13 row, or the holder's first
// r_misu balance when the year is the year of StartMonth. A site "000"
// collects the sales of its customer's class-G sites. A holder whose misu and
// seven totals (hap and the six deposit kinds) are all 0 gets no row.
//
// Book flag as for the balances: 0 closes the sales book into makam (from
// r_mast, r_ipkum), any other value the tax book into tax_makam (from
// tax_mast, tax_ipkum); the tax closing never touches makam.
//
// A closing is one transaction: the year's old rows are deleted and the new
// ones written all or nothing. Questions and messages belong to the caller,
// which asks YearClosed()/SiteYearClosed() first.
#include <QString>
#include <optional>

class Rows;

// A closing year typed by the user: digits only, 1 to 9999. Nothing else is
// a year (the caller refuses it before anything is touched).
std::optional<int> ClosingYear(const QString& text);

// True when the book already has closing rows YYYY-13 of that year.
bool YearClosed(int year, int book = 0);
// True when the holder has any row of that year in the closing table.
bool SiteYearClosed(int year, const QString& grcd, const QString& code, int book = 0);

// Closes a year for every holder: deletes every closing row of the year (all
// keys beginning with the year) and writes the new ones. Reports progress on
// gauge 0 of Progress::current(), one step per holder. Returns the number of
// rows written.
int YearClosing(int year, int book = 0);

// The same for one customer and site: deletes that holder's rows of the year
// and writes its row. Returns 1 when a row was written, 0 when the holder had
// nothing to close.
int YearClosingOfSite(int year, const QString& grcd, const QString& code, int book = 0);

// The holder's closing rows of a year ordered by their key, all columns
// (what the closing window lists).
Rows ClosingRows(int year, const QString& grcd, const QString& code, int book = 0);
