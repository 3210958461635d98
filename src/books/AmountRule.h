#pragma once
// The amount rule of a sales row, shared by sales entry and the daily
// shipment closing: supply amount (kum), VAT (vatkum) and total (hap) from
// quantity, unit price and VAT mode; the way back from a typed total; the
// unit price proposed when a spec is entered; and the rate (yul) stored with
// the row. Every formula is evaluated in long double and rounded (Round, half
// to even) or truncated (Int, toward zero) exactly at the steps named below.
// No database here: callers look the prices up and store the results.
#include <QString>
#include <optional>

namespace AmountRule {

// The money fields of one sales row as the entry grid holds them.
struct SalesAmounts {
    double m3 = 0;
    double danga = 0;
    QString vat; // "V" on top, "N" included, "X" none
    double kum = 0;
    double vatkum = 0;
    double hap = 0;
    double yul = 0;
};

// What a unit-price proposal needs besides the row: the customer's class and
// price cut unit, the site's contract rate and the spec's two prices.
struct PriceBasis {
    QString kawnSa;        // customer class K, L (public) or S, T (private)
    QString julsa;         // "0" to the won, "1" tens, "10" hundreds, "100" thousands
    double orderNul = 100; // site contract rate in per cent
    double kwanDanga = 0;  // public-works price of the spec
    double saDanga = 0;    // private list price of the spec
};

struct Amounts {
    double kum = 0;
    double vatkum = 0;
    double hap = 0;
};

// Classes K and L are priced from the public price.
bool isPublic(const QString& kawnSa);

// A typed lower-case n, v or x becomes N, V or X; anything else stays.
QString normalizedVat(const QString& vat);

// From quantity and unit price (sales entry):
//   N: hap = Round(m3 × danga), kum = Round(hap / 1.1), vatkum = Round(hap − kum)
//   V: kum = Round(m3 × danga), vatkum = Int(kum × 0.1), hap = Round(kum + vatkum)
//   X: kum = Round(m3 × danga), vatkum = 0, hap = Round(m3 × danga)
// Empty for any other VAT letter.
std::optional<Amounts> amountsFromPrice(double m3, double danga, const QString& vat);

// The same rule on a row: kum, vatkum and hap are set; an unknown VAT letter
// leaves the row as it was. The VAT letter is upper-cased first.
void computeAmounts(SalesAmounts& row);

// Back from a typed total (hap):
//   N: danga = Round(hap / m3), kum = Round(hap / 1.1), vatkum = Round(hap − kum)
//   V: kum = Round(hap / 1.1), vatkum = hap − kum (not rounded), danga kept
//   X: kum = hap, danga = Round(hap / m3), vatkum kept
// With m3 = 0 the unit price becomes 0.
void amountsFromTotal(SalesAmounts& row);

// The proposed unit price of a spec for a customer and site, or empty when
// the rule leaves the typed price as it is (an unknown cut unit or VAT mode).
//   public classes: the public price as it is;
//   private, V: x = S / 100 × R;  N: x = (S + S × 0.1) / 100 × R;  X: S itself;
//   x is then cut by julsa: "0" Round(x), "1" Int(x / 10) × 10,
//   "10" Int(x / 100) × 100, "100" Int(x / 1000) × 1000.
// An x that is a whole multiple of the unit stays as it is, also when the
// division by 100 leaves a trace of binary rounding just below it.
std::optional<double> proposedPrice(const PriceBasis& basis, const QString& vat);

// Enter on the spec of a row: danga := the proposal (kept when there is
// none); for private customers yul := Round(danga / S × 100) under V,
// Round(danga / (S + S × 0.1) × 100) under N (0 when S is 0), unchanged
// under X; public customers keep yul. Amounts are not recomputed.
void proposeUnitPrice(SalesAmounts& row, const PriceBasis& basis);

// Rate of a typed unit price: 100 for public customers, otherwise
// Round(danga / S × 100) for every VAT mode (0 when S is 0).
double rateOfTypedPrice(double danga, const QString& kawnSa, double saDanga);

// Enter on a typed unit price: the rate above, then computeAmounts.
void unitPriceTyped(SalesAmounts& row, const QString& kawnSa, double saDanga);

// The daily shipment closing prices shipped quantity q at unit price p.
// V and X as amountsFromPrice; N takes three independent roundings of the
// unrounded product: kum = Round(q × p / 1.1), vatkum = Round(q × p − kum),
// hap = Round(q × p), so kum + vatkum may differ from hap by one won.
// Empty for any other VAT letter (such an order has no amounts).
std::optional<Amounts> closingAmounts(double q, double p, const QString& vat);

// The rate the closing stores: 100 for public sites; otherwise the discount
// below the private list price s in force on the day, Round(100 − p / s × 100);
// 0 when there is no price row or s is 0.
double closingRate(const QString& kawnSa, double p, std::optional<double> listPrice);

} // namespace AmountRule
