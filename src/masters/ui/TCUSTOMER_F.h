#pragma once
// The customer window (거래처 등록): registers, changes and deletes customers
// and keeps the integrated site 000 of a customer whose receivable is kept
// as a whole. The rules live in masters/Customers; this window turns keys
// and clicks into calls of them.
#include "masters/Customers.h"
#include "widgets/EntryForm.h"

class DataGrid;
class QGroupBox;
class QLineEdit;
class QMenu;

class TCUSTOMER_F : public EntryForm {
    Q_OBJECT
public:
    explicit TCUSTOMER_F(QWidget* parent = nullptr);

    DataGrid* grid() const { return cust_grid; }
    QMenu* gridMenu() const { return gridMenu_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Fields
    void emptyFields();
    void reloadGrid(Customers::Order order);
    void showRow(int record);
    Customers::Customer typedCustomer() const;
    Customers::IntegratedSite typedSite() const;
    void showIntegratedPanel(bool shown, bool empty);

    // Key and Enter handlers
    bool letterKey(QKeyEvent* e);
    bool numberKey(QKeyEvent* e);
    bool numberEntered();
    bool nameEntered();
    bool postEntered();
    bool listKey(QKeyEvent* e, const QString& codes, const std::function<void()>& changed);
    void classChanged();
    bool classEntered();
    void basisChanged();
    bool basisEntered();
    bool staffEntered();

    // Buttons
    void startNew();
    void askChange();
    void askDelete();
    void save();
    void cancel();
    void print();
    void search();

    DataGrid* cust_grid;
    QLineEdit* find_edit;
    QGroupBox* DamPAN;
    QMenu* gridMenu_;
    Customers::ChangeStart start_;
    bool classByArrow_ = false;
    bool reloading_ = false;
    bool opened_ = false;
};
