#pragma once
// The code lookup: turns a typed code or part of a name into one chosen
// customer, site, product spec, truck, haulage company or staff member.
//
// Callers put the typed text into session().LookupKey (and the customer code
// into LookupAux1 for sites, LookupCustomer/LookupSite for the specs of a
// site), then call search(). When exactly one row matches, the lookup slots
// of the session are filled at once; otherwise rows() and columns() hold the
// candidates for the pick list, and pick(row) fills the slots from the row
// the user chose. No widget is involved: the pick list window lives in
// widgets/PickList.h.
#include "data/Sql.h"

#include <QList>
#include <QString>

struct LookupColumn {
    QString title; // column title in the pick list
    QString field; // result column (lower case)
};

class CodeLookup {
public:
    enum Kind {
        Customer = 1,        // customer
        SupplyCustomer = 11, // public-supply customers (classes K and L)
        Site = 2,            // sites of customer LookupAux1
        ReceivableSite = 12, // sites that carry a receivable (misu T or H)
        Spec = 3,            // current product spec versions
        KsSpec = 7,          // KS-certified product specs
        SiteSpec = 13,       // product specs contracted for LookupCustomer/LookupSite
        Truck = 4,
        HaulageCompany = 5,
        Staff = 8,
    };

    // Throws std::invalid_argument for an unknown kind.
    explicit CodeLookup(int kind);

    // A key searches by name when its first character is neither a digit nor
    // an upper-case Latin letter, or when it has more than two characters and
    // the third is a hyphen. Everything else, the empty key too, is a code.
    static bool isNameSearch(const QString& key);

    // Runs the kind's search for the current LookupKey. True when exactly one
    // row matched: the slots are filled and the pick list is not needed.
    // Otherwise the candidates are ready in rows(). A database error throws
    // DbError and leaves the slots as they were.
    bool search();

    int kind() const { return kind_; }
    QString caption() const;
    const QList<LookupColumn>& columns() const { return columns_; }
    const Rows& rows() const { return rows_; }

    // Fills the slots of this kind from candidate `row`.
    void pick(int row);

    // Title click: kinds 1, 11, 2, 12, 3 and 7 re-read their whole list
    // ordered by the clicked column; the other kinds keep their list.
    bool canResort() const;
    void resort(const QString& field);

private:
    void fillSlots(const Rows& rows, int row) const;
    Rows read(const QString& where, const QString& order, const Sql::Binds& binds) const;
    QString selectList() const;

    int kind_;
    QList<LookupColumn> columns_;
    Rows rows_;
};

// `like` pattern that finds `text` anywhere, with the wildcards of `text`
// escaped by a backslash: use with "like ? escape '\'".
QString ContainsPattern(const QString& text);
