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
