#pragma once
// Display masks for numbers, as grids and fields show them:
//   "#,##0"     thousands separators, no decimals, zero shows as 0
//   "#,##0.00"  always two decimals
//   "#,##0.##"  up to two decimals
//   "#,###"     like "#,##0" but zero shows as nothing
// An empty mask shows the number as it is.
#include <QString>

QString FormatNumber(double value, const QString& mask);

// Reads a number typed by a user: thousands separators and blanks are
// ignored. Empty text reads as 0 with *ok true; anything else unreadable
// gives 0 with *ok false.
double ParseNumber(const QString& text, bool* ok = nullptr);
