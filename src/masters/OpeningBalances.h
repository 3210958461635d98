#pragma once
// Opening balances (초기잔액, r_misu): the receivable each holder carried when
// the books began, one amount per customer, site and month. The holder is a
// site of a per-site customer, or the site 000 of an integrated customer.
// The earliest month stored is the first month of the books (StartMonth),
// which the session follows after every save and deletion.
#include "data/Sql.h"

#include <QString>
#include <functional>

namespace OpeningBalances {

inline const QString MsgIncomplete = QStringLiteral("데이타를 모두 입력하시오.");
inline const QString MsgAskOverwrite = QStringLiteral("자료가 이미 존재합니다.\n 갱신하시겠습니까?");
inline const QString MsgAskDelete = QStringLiteral("삭제하겠습니까?");
inline const QString MsgBadMonth = QStringLiteral("년도는 YYYY-MM 형식으로 입력하시오.");
inline const QString MsgBadAmount = QStringLiteral("금액은 숫자로 입력하시오.");
inline const QString MsgNoHolder = QStringLiteral("잔액을 가질 수 있는 거래처와 현장이 아닙니다.");

// Grid rows: every balance whose customer and site exist, with their names
// (grcd, name, code, name_1, ilja, kum), by customer, site and month.
Rows list();

// True for a month written YYYY-MM (month 01 to 12).
bool isMonth(const QString& text);
// Reads an amount typed by a user: blanks and thousands separators are
// allowed, a whole number of won, negative for a credit. False for anything
// else (empty text included): such an amount is never taken as 0.
bool parseAmount(const QString& text, double* value);

struct Balance {
    QString grcd, code, month;
    QString amount; // as typed
};

enum class SaveResult {
    Saved,
    Incomplete, // customer, site, month or amount empty
    BadMonth,
    BadAmount,
    NoHolder,   // no such site, or a site that carries no receivable of its own
    Cancelled,  // a balance of that month exists and the overwrite was declined
};

// The message for a result ("" for Saved and Cancelled).
QString message(SaveResult r);

// Stores a balance. When the holder already has one for that month,
// `confirmOverwrite` is asked first (outside any transaction); declining
// leaves it as it was.
SaveResult save(const Balance& b, const std::function<bool()>& confirmOverwrite);

// Deletes one balance; false when it was already gone.
bool remove(const QString& grcd, const QString& code, const QString& month);

} // namespace OpeningBalances
