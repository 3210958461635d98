#pragma once
// The tables a receivable computation reads, by book flag, and the small
// rules the balance routines and the year closing share.
#include <QString>

struct ReceivableBook {
    QString sales;    // r_mast or tax_mast
    QString deposits; // r_ipkum or tax_ipkum
    QString closing;  // makam or tax_makam

    // 0: the sales book; any other value: the tax book.
    static ReceivableBook of(int book);
};

// The year of session().StartMonth as a number; 0 when there is none.
int StartYear();

// The year-end month key of a year: 2003 -> "2003-13".
QString ClosingKey(int year);

// A year as the four-character text the books store in yun.
QString YearText(int year);

// Firebird keeps no index statistics up to date by itself: on a book that
// grew from empty it rates every index as perfectly selective and would
// intersect the year and month indexes (a tenth of the book and more) with
// a holder's. The receivable queries therefore give their plans:
// one holder's movements come through the book's index on (grcd, code, ilja),
// narrowed to the year by "ilja starting with" the year (ilja always begins
// with yun); every holder's movements of a year come through the index on yun.
// " plan (table index (table_site))"; `grouped` adds the sort a GROUP BY needs.
QString SitePlan(const QString& table, bool grouped = false);
QString YearPlan(const QString& table); // " plan sort (table index (table_yun))", for a grouped query
