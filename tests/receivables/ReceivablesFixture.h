#pragma once
// A small office for the receivable tests, StartMonth 2003-03:
//   A001 per-site customer, site 001 (H), class S: opening 1,000 (2003-03);
//        2003 sales 200 (03-10) and 300 (04-01); deposits 116 + lee 999
//        (04-01) and a lee-only deposit (06-01); closing 2003-13 = 100.5.
//   B001 integrated customer, class T: site 000 (T) with opening 500, sites
//        001 and 002 (G) with sales 100 (03-15) and 50 (05-01); deposit 70 on
//        000 (05-01); closing 2003-13 = 580; a sale of 20 on 2004-01-01.
//   C001 per-site, site 001 (H), class K: no closing row; sales 999 in 2003
//        and 40 in 2004.
//   D001 site 001 (H): nothing at all.   E001 site 001 (H): opening 77 only.
//   Tax book: A001 001 sale of 7 (2003-03-10) in tax_mast.
#include "data/Session.h"
#include "data/Sql.h"
#include "support/TestDb.h"

namespace fixture {

// The day's next row number of a book.
inline int nextNumber(const QString& table, const QString& day)
{
    return Sql::scalar(QString("select count(*) from %1 where ilja = ?").arg(table), {day}).toInt() + 1;
}

inline void site(const QString& grcd, const QString& code, const QString& misu, const QString& kawnSa)
{
    insertRow("r_hyunjang", {{"grcd", grcd}, {"code", code}, {"misu", misu}, {"kawn_sa", kawnSa},
                             {"grcd_name", grcd + "상사"}, {"name", grcd + code + "현장"},
                             {"grcode", grcd + code}});
}

inline void sale(const QString& table, const QString& day, const QString& grcd, const QString& code,
                 const QString& misu, double hap, double m3 = 1)
{
    insertRow(table, {{"ilja", day}, {"ul", day.left(7)}, {"yun", day.left(4)},
                      {"seq", QString("%1").arg(nextNumber(table, day), 2, 10, QChar('0'))}, {"grcd", grcd},
                      {"code", code}, {"misu", misu}, {"m3", m3}, {"kum", hap}, {"vatkum", 0.0}, {"hap", hap}});
}

inline void deposit(const QString& table, const QString& day, const QString& grcd, const QString& code,
                    double hyun, double au = 0, double gi = 0, double hal = 0, double dea = 0, double lee = 0)
{
    insertRow(table, {{"ilja", day}, {"ul", day.left(7)}, {"yun", day.left(4)},
                      {"jun", QString("%1").arg(nextNumber(table, day), 2, 10, QChar('0'))}, {"grcd", grcd},
                      {"code", code}, {"hyun", hyun}, {"au", au}, {"gi", gi}, {"hal", hal}, {"dea", dea},
                      {"lee", lee}});
}

inline void opening(const QString& grcd, const QString& code, const QString& month, double kum)
{
    insertRow("r_misu", {{"grcd", grcd}, {"code", code}, {"ilja", month}, {"kum", kum}});
}

inline void closing(const QString& table, const QString& grcd, const QString& code, const QString& key, double misu)
{
    insertRow(table, {{"grcd", grcd}, {"code", code}, {"ilja", key}, {"misu", misu}});
}

// Builds the office in the open test database and loads StartMonth.
inline void smallOffice()
{
    site("A001", "001", "H", "S");
    site("B001", "000", "T", "T");
    site("B001", "001", "G", "T");
    site("B001", "002", "G", "T");
    site("C001", "001", "H", "K");
    site("D001", "001", "H", "S");
    site("E001", "001", "H", "S");

    opening("A001", "001", "2003-03", 1000);
    opening("B001", "000", "2003-03", 500);
    opening("E001", "001", "2003-03", 77);

    sale("r_mast", "2003-03-10", "A001", "001", "H", 200);
    sale("r_mast", "2003-04-01", "A001", "001", "H", 300);
    deposit("r_ipkum", "2003-04-01", "A001", "001", 100, 10, 1, 2, 3, 999);
    deposit("r_ipkum", "2003-06-01", "A001", "001", 0, 0, 0, 0, 0, 5000);
    closing("makam", "A001", "001", "2003-13", 100.5);

    sale("r_mast", "2003-03-15", "B001", "001", "G", 100);
    sale("r_mast", "2003-05-01", "B001", "002", "G", 50);
    deposit("r_ipkum", "2003-05-01", "B001", "000", 70);
    closing("makam", "B001", "000", "2003-13", 580);
    sale("r_mast", "2004-01-01", "B001", "001", "G", 20);

    sale("r_mast", "2003-07-01", "C001", "001", "H", 999);
    sale("r_mast", "2004-02-01", "C001", "001", "H", 40);

    sale("tax_mast", "2003-03-10", "A001", "001", "H", 7);

    session().loadCompany();
}

} // namespace fixture
