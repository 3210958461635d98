#pragma once
// The daily shipment closing: one day's orders (r_suju) become the day's
// sales rows (r_mast). The sales rows numbered below '51' belong to the
// closing and are written anew on every run; rows '51' and above belong to
// sales entry and are never deleted here.
//
// Orders numbered '51' and above are closed under their own number only
// while that number is free in the sales book. Once the number is taken (by
// an earlier closing or by a row typed in sales entry) the order is left
// out and reported in `kept`, so a second closing never writes a duplicate
// and never overwrites a hand-kept row.
//
// The whole run (deleting the old rows and writing the new ones) is one
// transaction: an order that cannot be closed leaves the day as it was.
#include <QString>
#include <QStringList>
#include <functional>

namespace DailyClosing {

enum class Outcome {
    Closed,        // the day's rows were written
    Approved,      // the day is approved; nothing checked further, nothing written
    WrongPassword, // the closing password did not match; nothing written
    Declined,      // the day already had sales rows and the user kept them
};

struct Result {
    Outcome outcome = Outcome::Closed;
    int written = 0;  // sales rows written
    int removed = 0;  // old rows of the day (below '51') deleted
    int skipped = 0;  // orders without shipped quantity
    QStringList kept; // orders '51'+ whose sales number was already taken
};

// Korean message of an outcome that stops the closing ("" for Closed).
QString message(Outcome outcome);

// Asked when the day already has sales rows; true replaces them.
using ConfirmReplace = std::function<bool()>;

// Closes the day `ilja` (YYYY-MM-DD): approval check, then the password of
// staff row 589 compared exactly (a missing row matches nothing), then the
// replace question when the day has sales rows, then the rows. An order with
// a VAT code other than N, V or X stops the run with a DbError naming the
// order; nothing is written then. Advances Progress gauge 0 per order.
Result run(const QString& ilja, const QString& password, const ConfirmReplace& confirmReplace);

} // namespace DailyClosing
