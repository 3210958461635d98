#pragma once
// Sites (현장) of a customer: the site row, the code proposed for a new site,
// the fields a user may type for each receivable basis and class, and the
// carrying of a changed site into the books, the deposit books, the tax
// invoices and the orders.
//
// Every save and every deletion runs in one transaction: with its cascades
// it is written completely or not at all. The integrated site 000 belongs to
// the customer window and is refused here.
#include "data/Sql.h"

#include <QString>
#include <QStringList>

namespace Sites {

inline const QString PerSite = QStringLiteral("H");        // 현장별
inline const QString Integrated = QStringLiteral("G");     // 현장통합
inline const QString IntegratedHolder = QStringLiteral("T"); // misu of site 000
inline const QString IntegratedSiteCode = QStringLiteral("000");
inline const QString IntegratedSiteName = QStringLiteral("현장통합");
inline const QString OpenEnd = QStringLiteral("9999-12-31");

// Messages of the site window.
inline const QString MsgIntegratedSave = QStringLiteral("현장통합은 수정할수없습니다.");
inline const QString MsgIntegratedDelete =
    QStringLiteral("현장통합 \"000\"코드는 삭제 할 수 없습니다. \n 거래처등록에서 수정하시오.");
inline const QString MsgIncomplete = QStringLiteral("데이타를 모두 등록하세요.");
inline const QString MsgCodeExists = QStringLiteral("이미 코드가 존재합니다.");
inline const QString MsgEnterCode = QStringLiteral("코드를 입력하시오");
inline const QString MsgAskDelete = QStringLiteral("삭제하겠습니까?");
inline const QString MsgAskDeleteBooks = QStringLiteral("판매나 입금된 자료가 존재합니다. \n 모두 삭제하시겠습니까?");

struct Site {
    QString grcd, grcdName;
    QString code, name;
    QString officeTel, manCode, manName, groundTel, memo;
    double orderNul = 100;
    QString build, gover, goverNum, ilja, gita;
    QString misu;   // H, G (T for site 000)
    QString kawnSa; // the customer's class K, L, S, T
};

// --- reading ---------------------------------------------------------------

// Grid rows (code, name) of a customer's sites, site 000 included: by code
// descending, or by the clicked column ("code" or "name") ascending.
Rows list(const QString& grcd);
Rows listOrdered(const QString& grcd, const QString& column);
// The sites whose name contains the text (literally), by name.
Rows search(const QString& grcd, const QString& text);

bool load(const QString& grcd, const QString& code, Site& site);
bool exists(const QString& grcd, const QString& code);

// The code proposed for the next site of a customer: "001" when it has no
// site but 000, else the highest code plus one, three digits. When 999 is
// taken the lowest free code is proposed; "" when every code is taken.
QString proposedCode(const QString& grcd);

// True for exactly three digits.
bool isSiteCode(const QString& code);

// The window fields a user may type into for a basis (H or G) and a class
// (K, L, S, T). Sites of an integrated customer take their telephones,
// staff, memo, contract rate and builder from site 000.
QStringList editableFields(const QString& basis, const QString& kawnSa);

// True when the site has rows in the sales book or the deposit book.
bool hasBookRows(const QString& grcd, const QString& code);

// --- writing ---------------------------------------------------------------

enum class SaveResult {
    Saved,
    IntegratedSite, // code 000: kept by the customer window
    Incomplete,     // code, staff or basis empty
    BadCode,        // the code is not three digits
    CodeTaken,      // a new site met a site saved under that code (perhaps by another station)
};

// Registers a new site. Never overwrites a stored site; throws DbError when
// the customer is gone (deleted by another station).
SaveResult insert(const Site& site);

// Saves a change of a stored site and carries it into the copies held
// elsewhere, all for the site's grcd and code:
//   r_mast, tax_mast, jo_mast   site name, staff, basis;
//   r_ipkum                     per site: name, basis; integrated: the
//                               deposits move to site 000 with basis T;
//                               staff in both cases;
//   tax_ipkum                   as r_ipkum, but the basis written is the
//                               site's own;
//   tax, jo_tax                 site name, or "현장통합" for an integrated site;
//   r_suju                      site name.
// Throws DbError when the site is gone (deleted by another station).
SaveResult update(const Site& site);

enum class DeleteResult {
    Deleted,
    IntegratedSite, // code 000 cannot be deleted here
    HasBookRows,    // sales or deposits were booked: ask, then delete with the books
};

// Deletes a site that has neither sales nor deposits (only its site row).
// When rows were booked meanwhile, nothing is deleted and HasBookRows says so.
DeleteResult deleteSite(const QString& grcd, const QString& code);
// Deletes a site with everything booked on it, in this order: sales, tax-book
// sales, cooperative sales, deposits, tax-book deposits, orders (with their
// agreed haulage prices), opening balances, contracts and the site row.
DeleteResult deleteWithBooks(const QString& grcd, const QString& code);

} // namespace Sites
