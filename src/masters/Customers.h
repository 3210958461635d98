#pragma once
// Customers (거래처): codes, the customer row, the integrated site 000 of a
// customer whose receivable is kept as a whole, and the name copies that a
// change carries into the sites, books, tax invoices and orders.
//
// Every operation that writes runs in one transaction: a save with its
// cascades, or a deletion, is written completely or not at all.
#include "data/Sql.h"

#include <QString>
#include <QStringList>

namespace Customers {

// The three code lists of a customer and their labels.
//   class   kawn_sa  K 관수1, L 관수2, S 민수1, T 민수2
//   basis   misu     H 현장별, G 현장통합
//   VAT     vat      V 별도, N 포함, X 무시
QStringList classLabels();
QStringList basisLabels();
QStringList vatLabels();
// Label of a stored code and code of a shown label; "" when unknown.
QString classLabel(const QString& code);
QString classCode(const QString& label);
QString basisLabel(const QString& code);
QString basisCode(const QString& label);
QString vatLabel(const QString& code);
QString vatCode(const QString& label);

inline const QString PerSite = QStringLiteral("H");    // 현장별
inline const QString Integrated = QStringLiteral("G"); // 현장통합
inline const QString IntegratedSiteCode = QStringLiteral("000");
inline const QString IntegratedSiteName = QStringLiteral("현장통합");

struct Customer {
    QString custSet; // one upper-case letter
    QString custSeq; // three digits
    QString name, daepyo, saupja, uptae, jongmok;
    QString post, address1, address2, tel, fax;
    QString kawnSa, misu, vat; // codes, not labels
    QString ilja, memo;
    QString postYn = QStringLiteral("Y");
    QString rank = QStringLiteral("A");
    QString enable = QStringLiteral("Y");
    QString julsa = QStringLiteral("0");

    QString grcd() const { return custSet + custSeq; }
};

// The values of the integrated site 000 kept with an integrated customer.
struct IntegratedSite {
    QString manCode, manName, officeTel, groundTel, build, memo;
    double orderNul = 100;

    bool operator==(const IntegratedSite&) const = default;
};

// What the customer looked like when a change started. A change of the
// name, class, basis or site-000 staff carries into the copies held
// elsewhere; `site` holds site 000 as it was (integrated customers only).
struct ChangeStart {
    QString name;
    QString kawnSa;
    QString misu;
    IntegratedSite site;

    // Reads the stored customer (and its site 000); false when it is gone.
    static bool of(const QString& grcd, ChangeStart& start);
};

// --- reading ---------------------------------------------------------------

// True for a letter A–Z (either case).
bool isCodeLetter(QChar c);
// Number part proposed for the next customer of a letter: the highest number
// in use plus one, three digits ("001" for a letter not yet used). When 999
// is taken the lowest free number is proposed; "" when the letter is full.
QString nextSeq(const QString& letter);
bool codeExists(const QString& grcd);
// Code of another customer with exactly this name ("" when there is none);
// `except` leaves out the customer being changed.
QString codeOfName(const QString& name, const QString& except = QString());

// Grid rows (grcd, name): every customer ordered by grcd or name, or the
// customers whose name contains the text (literally; all when empty), by name.
enum class Order { ByCode, ByName };
Rows list(Order order);
Rows search(const QString& text);

// False when there is no such customer.
bool load(const QString& grcd, Customer& customer);
// False when the customer has no site 000.
bool loadIntegratedSite(const QString& grcd, IntegratedSite& site);

// Address of a postal code in the directory ("" when unknown).
QString addressOfPost(const QString& post);
// Name of a staff member ("" when unknown).
QString staffName(const QString& code);

// --- writing ---------------------------------------------------------------

enum class SaveResult {
    Saved,
    CodeMissing, // letter or number empty or not of the code's shape
    CodeTaken,   // another customer (perhaps saved a moment ago elsewhere) holds the code
};

// Registers a customer (the number part is padded to three digits) and, for
// an integrated customer, its site 000. Never overwrites an existing row.
SaveResult insert(Customer customer, const IntegratedSite& site);

// Saves a change of an existing customer (its code never changes):
//   integrated → integrated: the customer and, when the name, class or a
//                            value of site 000 changed, the rows kept under
//                            site 000,
//   per site   → per site:   the customer,
//   per site   → integrated: the customer and a new site 000,
//   integrated → per site:   the customer; site 000 with its deposits and
//                            opening balances is deleted (ask first).
// When the name, class, basis or site-000 staff differ from `start`, the
// name and class are carried into every copy: sites, sales, deposit and
// tax-invoice books and orders.
void update(const Customer& customer, const IntegratedSite& site, const ChangeStart& start);

// True when a change from `start` to `customer` drops site 000 (the caller
// confirms first).
bool dropsIntegratedSite(const ChangeStart& start, const Customer& customer);

// Deletes a customer with its contracts, sales, tax-book sales, cooperative
// sales, deposits, tax invoices, opening balances, orders and sites.
// Cooperative invoices, purchases, closings and haulage fees stay.
void deleteCustomer(const QString& grcd);

} // namespace Customers
