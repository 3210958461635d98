#pragma once
// The deposits of one day in one of the two deposit books (chosen by
// BookMode: 0 r_ipkum, 1 tax_ipkum), their history in rd_ipkum, the day's
// approval mark (always kept in r_ipkum) and the checks every save and
// deletion passes. Windows call this; nothing here shows a box.
#include "data/Sql.h"

#include <QList>
#include <QString>
#include <optional>

// The six amounts of a deposit, one per way of payment.
struct DepositAmounts {
    double hyun = 0; // cash
    double au = 0;   // promissory note
    double gi = 0;   // bank deposit
    double hal = 0;  // discount
    double dea = 0;  // transfer / offset
    double lee = 0;  // non-operating income

    // What the receivable deducts: every kind but lee.
    double hapKum() const { return hyun + au + gi + hal + dea; }
    // The deposit total of the daily journal: discount and lee left out.
    double journalTotal() const { return hyun + au + gi + dea; }
    DepositAmounts operator+(const DepositAmounts& o) const
    {
        return {hyun + o.hyun, au + o.au, gi + o.gi, hal + o.hal, dea + o.dea, lee + o.lee};
    }
};

// One deposit as the entry grid holds it (also a history row).
struct DepositRow {
    QString ilja, jun;
    QString grcd, grcd_name, code, code_name;
    DepositAmounts amounts;
    QString card_num, bank, last_date, memo;
    QString man_code;
    QString man;         // the staff member's name (man_name)
    QString status, why; // history rows only
};

// What the master tables say about a deposit's site.
struct DepositSite {
    bool found = false;
    QString name, man_code, man_name, kawn_sa, misu;
    // Only sites that carry a receivable take deposits: per-site sites (H)
    // and the integrated site 000 of a customer kept as a whole (T).
    bool takesDeposits() const { return found && (misu == QLatin1String("H") || misu == QLatin1String("T")); }
};

enum class DepositResult {
    Saved,
    Incomplete,    // a key field is empty
    DayApproved,   // the day is approved ("결재") in r_ipkum
    RowExists,     // a new row meets a stored row with the same (ilja, jun)
    DayFull,       // no two-digit number is left for a new row
    NoReceivable,  // the site is unknown or carries no receivable
    NotStored,     // the row to delete is no longer stored
};

class DepositBook {
public:
    static constexpr int BookCount = 2;
    // The table of a book mode: 0 r_ipkum, 1 tax_ipkum. Any other mode is a
    // programming error and throws DbError.
    static QString tableName(int bookMode);

    explicit DepositBook(int bookMode);
    int bookMode() const { return mode_; }
    const QString& table() const { return table_; }

    // The day's rows ordered by jun; rows sharing a number show as one, the
    // later one's values winning.
    QList<DepositRow> loadDay(const QString& ilja) const;
    // The day's history rows of both books (rd_ipkum holds them all).
    static QList<DepositRow> loadHistory(const QString& ilja);

    // The number a new row of the day gets: "01" for an empty day, else the
    // highest stored number plus one; empty when "99" is already taken.
    QString nextJun(const QString& ilja) const;

    // --- approval: always r_ipkum, whatever the mode -----------------------
    static inline const QString Approved = QStringLiteral("결재");
    static inline const QString Open = QStringLiteral("미결");
    static QString approvalState(const QString& ilja);
    static bool dayApproved(const QString& ilja) { return approvalState(ilja) == Approved; }
    // "미결" reopens only that day; any other mark is written on the day and
    // on every earlier day.
    static void setApproval(const QString& ilja, const QString& okno);

    static DepositSite site(const QString& grcd, const QString& code);

    // --- writing -------------------------------------------------------------
    // What a save or deletion writes into the history besides the row.
    struct Change {
        QString why;               // the reason typed
        DepositAmounts remembered; // the amounts when the row was last picked
    };
    enum class Entry { New, Edit };

    // Saves a row: refuses an incomplete row, a site that takes no deposits
    // and an approved day. A new row whose (ilja, jun) is already stored
    // gives RowExists unless replaceExisting; then the stored row goes into
    // the history as it was (status "E") and is replaced. An edited row is
    // archived with the remembered amounts (status "E") and rewritten.
    // History, deletion and insert are one transaction.
    DepositResult save(const DepositRow& row, Entry entry, const Change& change, bool replaceExisting = false);
    // Deletes a stored row with its history row (status "D"); refuses
    // approved days and rows no longer stored.
    DepositResult remove(const DepositRow& row, const Change& change);

    // --- the daily deposit journal ------------------------------------------
    struct Journal {
        Rows rows; // every column of the book, by class and customer name
        // Public works (class K) and every other class, for the day, the
        // month up to the day and the year up to the day.
        DepositAmounts publicDay, publicMonth, publicYear;
        DepositAmounts privateDay, privateMonth, privateYear;
    };
    // The journal of a day as a session of processing class `level` sees it:
    // P hides class T, R shows only class T and reads no public-works sums.
    Journal journal(const QString& ilja, const QString& level) const;

    // The message shown for a refusal (empty for Saved).
    static QString message(DepositResult result);

private:
    std::optional<DepositRow> storedRow(const QString& ilja, const QString& jun) const;
    void archiveAndDelete(const DepositRow& row, const QString& status, const Change& change);
    void insert(const DepositRow& row, const DepositSite& site);

    int mode_;
    QString table_;
};
