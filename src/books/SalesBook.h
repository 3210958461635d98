#pragma once
// The sales rows of one day in one of the four sales books (chosen by
// BookMode), their history in rd_mast, the day's approval mark and the checks
// every save and deletion passes. Windows call this; nothing here shows a box.
#include "books/AmountRule.h"
#include "data/Sql.h"

#include <QList>
#include <QString>
#include <optional>

// One row of a book as the entry grid holds it (also a history row).
struct SalesRow {
    QString ilja, seq;
    QString grcd, grcd_name, code, code_name;
    QString remi_code, kind, standard;
    double m3 = 0, danga = 0;
    QString vat;
    double kum = 0, vatkum = 0, hap = 0;
    QString memo;
    QString man;      // the staff member's name (man_name)
    QString man_code;
    std::optional<double> yul; // empty outside the sales book
    QString tax_ilja, tax_seq;
    QString status, why; // history rows only

    // A tax invoice covers the row: it can be neither changed nor deleted.
    bool taxLocked() const { return !tax_ilja.isEmpty() && !tax_seq.isEmpty(); }
};

// What the master tables say about the codes of a row.
struct SalesCustomer {
    bool found = false;
    QString name, vat, kawn_sa, julsa;
};
struct SalesSite {
    bool found = false;
    QString name, man_code, man_name, kawn_sa, misu;
    double order_nul = 0;
};
struct SalesSpec {
    bool found = false;
    QString kind, standard;
    double publicPrice = 0;  // kwan_danga
    double privatePrice = 0; // sa_danga
};

enum class SalesResult {
    Saved,
    TaxLocked,   // the row is covered by a tax invoice
    Incomplete,  // a key field is empty
    DayApproved, // the day is approved ("결재") in the sales book
    RowExists,   // a new row meets a stored row with the same (ilja, seq)
    DayFull,     // no two-digit number is left for a new row
};

class SalesBook {
public:
    static constexpr int BookCount = 4;
    // The table of a book mode: 0 r_mast, 1 tax_mast, 2 jo_mast, 3 in_mast.
    // Any other mode is a programming error and throws DbError.
    static QString tableName(int bookMode);

    explicit SalesBook(int bookMode);
    int bookMode() const { return mode_; }
    const QString& table() const { return table_; }

    // The day's rows ordered by seq. yul is read in the sales book only.
    QList<SalesRow> loadDay(const QString& ilja) const;
    // The day's history rows (rd_mast holds the history of every book).
    static QList<SalesRow> loadHistory(const QString& ilja);

    // The number a new row of the day gets: "01" for an empty day, else the
    // highest stored number plus one; empty when "99" is already taken.
    QString nextSeq(const QString& ilja) const;

    // --- approval: always the sales book (r_mast), whatever the mode -------
    static inline const QString Approved = QStringLiteral("결재");
    static inline const QString Open = QStringLiteral("미결");
    // "결재" when the first okno stored for the day says so, else "미결".
    static QString approvalState(const QString& ilja);
    static bool dayApproved(const QString& ilja) { return approvalState(ilja) == Approved; }
    // "미결" reopens only that day; any other mark is written on the day and
    // on every earlier day.
    static void setApproval(const QString& ilja, const QString& okno);

    // --- master data read for a row ----------------------------------------
    static SalesCustomer customer(const QString& grcd);
    static SalesSite site(const QString& grcd, const QString& code);
    static SalesSpec spec(const QString& remiCode); // the current version

    // --- writing -------------------------------------------------------------
    // What a save or deletion writes into the history besides the row.
    struct Change {
        QString why;                 // the reason typed
        double rememberedM3 = 0;     // m3 and danga when the row was last
        double rememberedDanga = 0;  // picked in the grid
    };
    enum class Entry { New, Edit };

    // Saves a row: refuses a row covered by a tax invoice (also when the
    // stored row has become covered meanwhile), an incomplete row and an
    // approved day. A new row whose (ilja, seq) is already stored gives
    // RowExists unless replaceExisting; then the stored row goes into the
    // history (status "E") and is replaced. An edited row is archived (status
    // "E") and rewritten. History, deletion and insert are one transaction.
    SalesResult save(const SalesRow& row, Entry entry, const Change& change, bool replaceExisting = false);
    // Deletes a stored row with its history row (status "D"), refusing rows
    // covered by a tax invoice and approved days.
    SalesResult remove(const SalesRow& row, const Change& change);

    // --- the amount rule on a grid row ------------------------------------
    // Quantity or VAT entered: kum, vatkum and hap from m3 × danga.
    static void computeAmounts(SalesRow& row);
    // A total typed into hap: kum, vatkum (and danga) back from it.
    static void amountsFromTotal(SalesRow& row);
    // A spec entered: the proposed unit price and its rate, from the
    // customer and site picked for the row and the spec's two prices.
    static void proposeUnitPrice(SalesRow& row, const AmountRule::PriceBasis& basis);
    // A unit price typed: the rate from the customer's class and the spec's
    // private price as stored now, then the amounts.
    static void unitPriceTyped(SalesRow& row);

    // --- the daily sales journal ------------------------------------------
    struct Figures {
        double m3 = 0, kum = 0, vatkum = 0, hap = 0;
        Figures operator+(const Figures& o) const { return {m3 + o.m3, kum + o.kum, vatkum + o.vatkum, hap + o.hap}; }
    };
    struct Journal {
        Rows rows; // every column of the book, by class, customer name, site, spec
        // Public works (class K) and every other class, for the day, the
        // month up to the day and the year up to the day.
        Figures publicDay, publicMonth, publicYear;
        Figures privateDay, privateMonth, privateYear;
    };
    // The journal of a day as a session of processing class `level` sees it:
    // P hides class T, R shows only class T and reads no public-works sums.
    Journal journal(const QString& ilja, const QString& level) const;

    // The message shown for a refusal (empty for Saved).
    static QString message(SalesResult result);

private:
    std::optional<SalesRow> storedRow(const QString& ilja, const QString& seq) const;
    void archiveAndDelete(const SalesRow& row, const QString& status, const Change& change);
    void insert(const SalesRow& row);

    int mode_;
    QString table_;
};
