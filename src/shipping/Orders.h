#pragma once
// The day's orders (r_suju): numbering, loading with the customer and site
// they belong to, the unit-price proposal, the contract position of a
// public-works site, the quantity check, save and delete. The plant's
// shipping system shares these rows: it keeps the v_ columns (shipped so far,
// times, counters, state), which the office never changes after the insert.
#include "books/AmountRule.h"
#include "data/Sql.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The columns of an order the office writes, and the plant's shipped
// quantity as read.
struct OrderRow {
    QString ilja, seq;
    QString grcd, v_inout, code, v_station;
    QString time_ = QStringLiteral("00:00");
    QString saup;
    double dist = 0;
    QString v_okno = QStringLiteral("OK");
    QString memo, ground;
    QString remi_code, v_rule, kind;
    double order_m3 = 0;
    double danga = 0;
    QString vat;
    QString cement, gravel, japum, con, v_hon;
    double v_outorder = 0; // read only: kept by the plant
    double ondo = 0;       // read only: temperature, kept by the plant
};

// An order with what the window shows beside it.
struct LoadedOrder {
    OrderRow order;
    // customer
    QString customerVat, rank, kawnSa, julsa, customerMisu;
    // site
    QString siteMan, siteMemo, groundTel, contractDate, build, gover, goverNum, siteMisu;
    double orderNul = 0;
};

// One row of the contract summary (one per contracted spec) or of the
// contract detail (one per contract row).
struct ContractLine {
    QString kind, standard, orderNum, demand1, demand2, delivery, memo;
    double amount = 0;  // contracted m3
    double cost = 0;    // unit price
    double hap = 0;     // contract amount
    double chul = 0;    // shipped m3
    double chulkum = 0; // shipped amount
    double michul = 0;  // m3 not yet shipped
};

// The three money boxes of a public-works contract: contracted, shipped and
// unshipped amount.
struct ContractMoney {
    double contract = 0;
    double shipped = 0;
    double unshipped = 0;
};

namespace Orders {

// Texts of the class and VAT codes as the window labels them.
QString classLabel(const QString& kawnSa);   // K 관수1, L 관수2, T 민수2, anything else 민수1
QString vatLabel(const QString& vat);        // V 별도, N 포함, anything else 무시
QString vatOfLabel(const QString& label);    // back: 별도 V, 포함 N, 무시 X
QString misuLabel(const QString& misu);      // H 현장별, anything else 현장통합

// The next number of the day: the highest stored number plus one as its
// last two digits ("99" is followed by "00"), "01" on a day without orders.
QString nextNumber(const QString& ilja);

// The order with its customer and site, or empty.
std::optional<LoadedOrder> load(const QString& ilja, const QString& seq);

// The day's orders for the grid, by number.
Rows dayOrders(const QString& ilja);

// Distinct values already used in one of the columns cement, gravel,
// japum, con (the order block's combo boxes).
QStringList usedValues(const QString& column);

// The customer grade message, or "" when the grade needs none.
QString gradeMessage(const QString& rank);

// Unit-price proposal for a spec picked on an order: the non-zero price of
// the last order of the same customer, site and spec; otherwise the price
// by the amount rule (public price for classes K and L; for private
// customers the private price at the site's contract rate, by VAT mode and
// cut by julsa). Empty when the rule leaves the typed price as it is.
std::optional<double> lastPrice(const QString& grcd, const QString& code, const QString& remiCode);
std::optional<double> proposePrice(const QString& grcd, const QString& code, const QString& remiCode,
                                   const AmountRule::PriceBasis& basis, const QString& vat);

// Contract position of a site (class K): one summary line per contracted
// spec plus the specs shipped outside the contract; the contract rows of
// one spec with their price changes.
QList<ContractLine> contractSummary(const QString& grcd, const QString& code);
QList<ContractLine> contractDetail(const QString& grcd, const QString& code, const QString& standard);

// Shipped sales of a site by spec: remi_code, standard, kind, m3, kum, vatkum, hap.
Rows shippedSales(const QString& grcd, const QString& code);

// The money boxes when the site is picked (from the summary), when an order
// is clicked in the day's grid, and when a spec is picked.
ContractMoney moneyOnSitePick(const QString& grcd, const QString& code, const QList<ContractLine>& summary);
ContractMoney moneyOnOrderClick(const QString& grcd, const QString& code);
ContractMoney moneyOnSpecPick(const QString& grcd, const QString& code);

// Quantity check of a public-works order: when quantity × price exceeds the
// unshipped amount, the quantity that fits (unshipped ÷ price, rounded);
// empty when the quantity stands (also for a zero price).
std::optional<double> fittedQuantity(double quantity, double price, double unshipped);

enum class SaveResult {
    Inserted,
    Updated,
    MissingKeys, // date, number, customer, site, spec or VAT missing
    Declined,    // the user kept the stored order
    NumberTaken, // another order was saved under the number meanwhile
};
QString message(SaveResult result);

// Saves an order. `loaded` says the window holds the order stored under
// this date and number (loaded it, or is editing it): only then is a stored
// order updated, after `confirmUpdate`. A number stored by someone else
// (another station saving the same next number) gives NumberTaken and
// nothing is written. An update keeps the plant's columns and sets
// v_reorder = order_m3 − stored v_outorder, 0 when negative.
SaveResult save(const OrderRow& row, bool loaded, const std::function<bool()>& confirmUpdate);

// Deletes an order with its contract haulage prices (cont_carry) in one
// transaction; returns the number of orders deleted (0 or 1).
int remove(const QString& ilja, const QString& seq);

} // namespace Orders
