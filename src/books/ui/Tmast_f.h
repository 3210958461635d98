#pragma once
// 판매 관리: the sales rows of one day in the book that BookMode selects
// (sales, tax, cooperative or purchase book), entered and corrected in a
// two-line grid, with the history of changes and deletions, the day's
// approval and the daily sales journal.
#include "books/SalesBook.h"
#include "widgets/EntryForm.h"

class DataGrid;
class PasswordPanel;
class QComboBox;
class QFrame;
class QLineEdit;
class QTabWidget;

class Tmast_f : public EntryForm {
    Q_OBJECT
public:
    // The book is read from session().BookMode.
    explicit Tmast_f(QWidget* parent = nullptr);

    const SalesBook& book() const { return book_; }
    // The day shown (the date field's text).
    QString day() const;
    // 1 new row (and 수정 until the password), 2 changed row (and 삭제 until
    // the password), 3 deletion confirmed by password.
    int entryMode() const { return entryMode_; }

    DataGrid* grid() const { return gridhord; }
    DataGrid* historyGrid() const { return gridhord1; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // What the last lookups of the row brought, for the price proposal.
    struct Picked {
        QString grcd, kawnSa, julsa; // customer
        QString code;                // site
        double orderNul = 100;
    };

    void buildGrids();
    void buildApprovalArea(QWidget* parent);
    void buildReasonPanel();

    void loadDay();
    void loadHistory();
    void showApprovalState();
    void changeDay();
    void toBrowse();

    SalesRow rowAt(int record) const;
    void putRow(int record, const SalesRow& row);

    // Button handlers.
    void newRow();
    void change();
    void remove();
    void save();
    void cancel();
    void print();
    void approve();
    void approvalChosen();
    void showReason();
    void reasonEntered();
    void passwordAccepted();
    void deleteConfirmed();

    // Enter in the cells of the entry grid.
    int customerEntered(int record);
    int siteEntered(int record);
    int specEntered(int record);
    int amountsEntered(int record);
    int unitPriceEntered(int record);
    int totalEntered(int record);
    int memoEntered(int record);
    void refreshPicked(const SalesRow& row);

    SalesBook book_;
    int entryMode_ = 0;
    Picked picked_;
    double rememberedM3_ = 0, rememberedDanga_ = 0;
    QString why_;

    Field* hy01 = nullptr;
    QTabWidget* pages = nullptr;
    DataGrid* gridhord = nullptr;
    DataGrid* gridhord1 = nullptr;
    QPushButton* ok_btn = nullptr;
    QFrame* ok_pan = nullptr;
    QComboBox* com_okno = nullptr;
    PasswordPanel* pass_pan1 = nullptr;
    QFrame* job_pan = nullptr;
    QLineEdit* edt_job = nullptr;
};
