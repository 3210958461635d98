#include "books/AmountRule.h"
#include "data/Routines.h"

#include <cmath>

namespace AmountRule {

namespace {

// The constants of the rule, as extended-precision values.
constexpr long double kVatFactor = 1.1L;
constexpr long double kVatRate = 0.1L;

bool isVatCode(const QString& vat)
{
    return vat == QLatin1String("V") || vat == QLatin1String("N") || vat == QLatin1String("X");
}

// x cut down to the unit that julsa names; empty for an unknown unit.
std::optional<long double> cutToUnit(long double x, const QString& julsa)
{
    if (julsa == QLatin1String("0"))
        return Round(x);
    long double unit;
    if (julsa == QLatin1String("1"))
        unit = 10;
    else if (julsa == QLatin1String("10"))
        unit = 100;
    else if (julsa == QLatin1String("100"))
        unit = 1000;
    else
        return std::nullopt;
    long double units = x / unit;
    // 50,000 / 100 × 80.6 is 40,300 to the office, but the binary value of
    // 80.6 puts the product a hair below it: a whole multiple stays whole.
    const long double nearest = Round(units);
    if (std::fabs(units - nearest) < 1e-9L)
        units = nearest;
    return Int(units) * unit;
}

} // namespace

bool isPublic(const QString& kawnSa)
{
    return kawnSa == QLatin1String("K") || kawnSa == QLatin1String("L");
}

QString normalizedVat(const QString& vat)
{
    if (vat == QLatin1String("n") || vat == QLatin1String("v") || vat == QLatin1String("x"))
        return vat.toUpper();
    return vat;
}

std::optional<Amounts> amountsFromPrice(double m3, double danga, const QString& vat)
{
    const long double product = static_cast<long double>(m3) * static_cast<long double>(danga);
    Amounts a;
    if (vat == QLatin1String("N")) {
        const long double hap = Round(product);
        const long double kum = Round(hap / kVatFactor);
        a.hap = double(hap);
        a.kum = double(kum);
        a.vatkum = double(Round(hap - kum));
    } else if (vat == QLatin1String("V")) {
        const long double kum = Round(product);
        const long double vatkum = Int(kum * kVatRate);
        a.kum = double(kum);
        a.vatkum = double(vatkum);
        a.hap = double(Round(kum + vatkum));
    } else if (vat == QLatin1String("X")) {
        a.kum = double(Round(product));
        a.vatkum = 0;
        a.hap = double(Round(product));
    } else {
        return std::nullopt;
    }
    return a;
}

void computeAmounts(SalesAmounts& row)
{
    row.vat = normalizedVat(row.vat);
    if (const auto a = amountsFromPrice(row.m3, row.danga, row.vat)) {
        row.kum = a->kum;
        row.vatkum = a->vatkum;
        row.hap = a->hap;
    }
}

void amountsFromTotal(SalesAmounts& row)
{
    row.vat = normalizedVat(row.vat);
    const long double hap = row.hap;
    const long double m3 = row.m3;
    const auto unitPrice = [&] { return m3 == 0 ? 0.0 : double(Round(hap / m3)); };
    if (row.vat == QLatin1String("N")) {
        const long double kum = Round(hap / kVatFactor);
        row.danga = unitPrice();
        row.kum = double(kum);
        row.vatkum = double(Round(hap - kum));
    } else if (row.vat == QLatin1String("V")) {
        const long double kum = Round(hap / kVatFactor);
        row.kum = double(kum);
        row.vatkum = double(hap - kum);
    } else if (row.vat == QLatin1String("X")) {
        row.kum = row.hap;
        row.danga = unitPrice();
    }
}

std::optional<double> proposedPrice(const PriceBasis& basis, const QString& vat)
{
    if (isPublic(basis.kawnSa))
        return basis.kwanDanga;
    const long double s = basis.saDanga;
    const long double r = basis.orderNul;
    long double x;
    if (vat == QLatin1String("V"))
        x = s / 100 * r;
    else if (vat == QLatin1String("N"))
        x = (s + s * kVatRate) / 100 * r;
    else if (vat == QLatin1String("X"))
        return basis.saDanga;
    else
        return std::nullopt;
    const auto cut = cutToUnit(x, basis.julsa);
    if (!cut)
        return std::nullopt;
    return double(*cut);
}

void proposeUnitPrice(SalesAmounts& row, const PriceBasis& basis)
{
    row.vat = normalizedVat(row.vat);
    if (const auto price = proposedPrice(basis, row.vat))
        row.danga = *price;
    if (isPublic(basis.kawnSa))
        return;
    const long double s = basis.saDanga;
    const long double danga = row.danga;
    if (row.vat == QLatin1String("N"))
        row.yul = s == 0 ? 0.0 : double(Round(danga / (s + s * kVatRate) * 100));
    else if (row.vat == QLatin1String("V"))
        row.yul = s == 0 ? 0.0 : double(Round(danga / s * 100));
}

double rateOfTypedPrice(double danga, const QString& kawnSa, double saDanga)
{
    if (isPublic(kawnSa))
        return 100;
    if (saDanga == 0)
        return 0;
    return double(Round(static_cast<long double>(danga) / static_cast<long double>(saDanga) * 100));
}

void unitPriceTyped(SalesAmounts& row, const QString& kawnSa, double saDanga)
{
    row.yul = rateOfTypedPrice(row.danga, kawnSa, saDanga);
    computeAmounts(row);
}

std::optional<Amounts> closingAmounts(double q, double p, const QString& vat)
{
    if (vat != QLatin1String("N"))
        return isVatCode(vat) ? amountsFromPrice(q, p, vat) : std::nullopt;
    const long double product = static_cast<long double>(q) * static_cast<long double>(p);
    const long double kum = Round(product / kVatFactor);
    Amounts a;
    a.kum = double(kum);
    a.vatkum = double(Round(product - kum));
    a.hap = double(Round(product));
    return a;
}

double closingRate(const QString& kawnSa, double p, std::optional<double> listPrice)
{
    if (isPublic(kawnSa))
        return 100;
    if (!listPrice || *listPrice == 0)
        return 0;
    const long double s = *listPrice;
    return double(Round(100 - static_cast<long double>(p) / s * 100));
}

} // namespace AmountRule
