#pragma once
// Product specs (r_size): per four-digit code a series of dated
// versions holding the mix quantities and the two unit prices. Exactly one
// version of a code is current (gubun '0'); the others are superseded ('1').
// Every operation that writes runs in one transaction and keeps that rule.
#include "data/Sql.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace Specs {

inline const QString Current = QStringLiteral("0");
inline const QString Superseded = QStringLiteral("1");
inline const QString ProductName = QStringLiteral("레미콘");

// Messages of the spec window.
inline const QString MsgCodeExists = QStringLiteral("이미 코드가 존재합니다.");
inline const QString MsgDeleteAbove = QStringLiteral("이 자료는 위에서 삭제하시오.");
inline const QString MsgCodeOrDate = QStringLiteral("코드나 일자를 입력하시오.");

// One version as the window edits it. Numbers are keyed by their column
// (cement_1 … ad_6, water_1, water_2, wc, sa, slg, kwan_danga, sa_danga);
// a column missing from the map is stored as 0.
struct Version {
    QString code;      // remi_code
    QString ilja;      // YYYY-MM-DD
    QString kind;
    QString standard;
    QString goverNum;
    QString rulKs;
    QString cement1, cement2, ad1, ad2, kong, yeom;
    QString gubun;     // read only: set by the operations, never by the caller
    QMap<QString, double> numbers;

    double number(const QString& column) const { return numbers.value(column, 0.0); }
};

// Every numeric column of a version, in the order the window shows them.
const QStringList& numberColumns();
// The columns that hold whole numbers only.
bool isIntegerColumn(const QString& column);
// The field label of a numeric column ("C1", "사급단가", …), used in messages.
QString numberLabel(const QString& column);

// Reads a typed number for a column. Empty text is 0; thousands separators
// are allowed. Returns an empty string when the text is good, otherwise the
// message to show (a non-number, a fraction in a whole-number column, a value
// the column cannot hold).
QString parseNumber(const QString& column, const QString& text, double* value);

// The code as it is stored: digits padded to four ("7" → "0007").
QString normalizeCode(const QString& typed);

// --- reading -------------------------------------------------------------
// The current version of every code, ordered by code.
Rows currentVersions();
// Every version of one code, ordered by date.
Rows versions(const QString& code);
// Every version of every code, ordered by code (and date).
Rows allVersions();
// One version; false when it does not exist.
bool read(const QString& code, const QString& ilja, Version* out);
// The date of the last version dated before `ilja` (empty when none).
QString previousDate(const QString& code, const QString& ilja);
// The date of the code's latest version (empty when the code has none).
QString lastDate(const QString& code);
// The distinct texts stored in one of the six material columns
// (cement1, cement2, ad1, ad2, kong, yeom), for the window's lists.
QStringList storedValues(const QString& column);
// A version read from a row of one of the selects above.
Version fromRows(const Rows& rows, int row);

// --- writing -------------------------------------------------------------
// Each returns an empty string on success, otherwise the message to show
// (nothing was written). Database failures throw DbError after rolling back.

// A new spec: its code must not exist yet. Stored as the current version.
QString addSpec(const Version& v);
// A further version of an existing code. Dated after every other version it
// becomes current and supersedes all others; dated earlier it is stored
// superseded and the current version stays.
QString addVersion(const Version& v);
// Rewrites one version (code and date select it) and carries the spec name
// into the sales books (standard) and the orders (v_rule, kind). The site
// contracts keep their text. The current/superseded mark is not changed.
QString changeVersion(const Version& v);
// Deletes one version. The only version of a code is refused (the whole spec
// is deleted with deleteSpec). When the current version goes, the latest
// remaining one becomes current.
QString deleteVersion(const QString& code, const QString& ilja);
// Deletes a spec: its versions, its rows of the sales, tax and cooperative
// books, and the site contracts and orders that name `standard` (with the
// orders' haulage prices).
QString deleteSpec(const QString& code, const QString& standard);

} // namespace Specs
