#pragma once
// The demo office: fills an open, empty database with a believable sales
// office of a ready-mixed concrete plant, so that a new user can log in and
// work: the company, staff with logins, customers of every class with their
// sites, product specs with dated prices, opening balances, trucks and
// haulage prices, a postal-code sample, and a few months of orders, truck
// loads, sales and deposits that keep every rule of the books.
//
// Logins (name / password): 관리자 / 1234 (staff 111, whose password is also
// the approval password), admin / 1234, and the sales staff, e.g. 김영수 / 1111.
// Correction password (staff 589): 589.
#include <QDate>
#include <QString>
#include <QtGlobal>

struct DemoSummary {
    QString firstDay; // first working day of the books
    QString lastDay;  // the day the office is "today": orders registered, not yet shipped
    int customers = 0;
    int sites = 0;
    int specs = 0;
    int orders = 0;
    int loads = 0;
    int sales = 0;
    int deposits = 0;
};

namespace DemoOffice {

inline constexpr quint32 DefaultSeed = 20240917;

// The company code every demo row carries in saup.
inline const QString Saup = QStringLiteral("01");

// Fills the open database. The books run over working days (Monday to
// Friday but the fixed-date holidays) from the first day of the month two
// months before `today` up to the last working day on or before `today`: past days are shipped, closed into sales and carry deposits; days
// up to a week before `today` are approved; `today` has open orders for the
// plant. Refuses a database that already holds a company, staff or
// customers. The same `today` and seed give the same office. Throws DbError.
DemoSummary fill(const QDate& today = QDate::currentDate(), quint32 seed = DefaultSeed);

} // namespace DemoOffice
