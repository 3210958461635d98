#pragma once
// Small routines shared by every subsystem.
#include <QString>

// The last n characters of thirteen zeros followed by text:
// PadDigits("7", 3) = "007", PadDigits("1234", 3) = "234".
QString PadDigits(const QString& text, int n);

// Five month texts without separators: year-month as given, then the four
// months before it, each padded to two digits.
// LastFiveMonths(2003, "02") = "2003-022003-012002-122002-112002-10".
QString LastFiveMonths(int year, const QString& month);

// The ISO document number of a code (table iso), empty when there is none.
QString IsoNumberText(int code);

// The processing-class condition on a customer class column, to append to a
// WHERE clause: P hides class T, R shows only class T, Q (or anything else)
// adds nothing. `column` may be qualified ("c.kawn_sa").
QString LevelCondition(const QString& level, const QString& column = QStringLiteral("kawn_sa"));
// The same rule for loops over rows: true when a row of this class is hidden.
bool LevelHides(const QString& level, const QString& kawnSa);

// Money rules, evaluated in 80-bit extended precision.
// Round: to the nearest whole number, exact halves to the even neighbour.
long double Round(long double x);
// Int: truncation toward zero.
long double Int(long double x);
