#pragma once
// 입금 관리: the deposits of one day in the deposit book that BookMode
// selects (0 deposits, 1 tax deposits), entered and corrected in a two-line
// grid with the six kinds of payment, with the history of changes and
// deletions, the day's approval and the daily deposit journal.
#include "books/DepositBook.h"
#include "widgets/EntryForm.h"

class DataGrid;
class PasswordPanel;
class QComboBox;
class QFrame;
class QLineEdit;
class QTabWidget;

class Tipkum_f : public EntryForm {
    Q_OBJECT
public:
    // The book is read from session().BookMode.
    explicit Tipkum_f(QWidget* parent = nullptr);

    const DepositBook& book() const { return book_; }
    // The day shown (the date field's text).
    QString day() const;
    // 0 after 삭제 until the password, 1 new row, 2 changed row, 3 deletion
    // confirmed by password.
    int entryMode() const { return entryMode_; }

    DataGrid* grid() const { return gridhord; }
    DataGrid* historyGrid() const { return gridhord1; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void buildGrids();
    void buildApprovalArea(QWidget* parent);
    void buildReasonPanel();

    void loadDay();
    void loadHistory();
    void showApprovalState();
    void changeDay();
    void toBrowse();

    DepositRow rowAt(int record) const;
    void putRow(DataGrid* grid, int record, const DepositRow& row);

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
    int dueDateEntered(int record);
    int memoEntered(int record);

    DepositBook book_;
    int entryMode_ = 0;
    DepositAmounts remembered_;
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
