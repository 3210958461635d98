#pragma once
// How numbers and texts look on printed reports.
#include <QString>

namespace ReportFormat {

// A display mask of a data field or sum: "#,##0" (thousands separators, no
// decimals, zero prints 0), "#,##0.00" (always two decimals), "#,##0.##" (up
// to two decimals), "#,###" (zero prints nothing). '0' is a digit that always
// prints, '#' one that prints only when significant, ',' in the integer part
// asks for thousands separators; text before and after the pattern is kept.
// Halves round away from zero; a negative value gets a leading minus sign.
QString mask(double value, const QString& mask);

// A figure that code writes into a label, in the printf-like form "%.0n",
// "%0.n" (whole units) or "%.2n" (two decimals): thousands separators,
// halves away from zero, leading minus.
QString label(double value, const QString& format);

// Width of a text in bytes of code page 949: a Hangul syllable (any
// character outside ASCII) takes two bytes.
int cp949Width(const QString& text);
// The longest start of text that fits in the given number of such bytes.
QString cutToCp949(const QString& text, int bytes);

} // namespace ReportFormat
