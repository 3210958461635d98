#pragma once
// The order window (수주관리): the day's orders with their customer, site,
// spec, quantity and price, the contract position of a public-works site,
// the shipped sales of other sites, and the day's shipment schedule print.
// The rules live in shipping/Orders; this window turns keys and clicks into
// calls of them.
#include "shipping/Orders.h"
#include "widgets/EntryForm.h"

class DataGrid;
class QTabWidget;

class Tsuju_f : public EntryForm {
    Q_OBJECT
public:
    explicit Tsuju_f(QWidget* parent = nullptr);

    DataGrid* dayGrid() const { return gridhord3; }
    DataGrid* summaryGrid() const { return gridhord; }
    DataGrid* detailGrid() const { return gridhord1; }
    DataGrid* salesGrid() const { return gridhord2; }
    QTabWidget* pages() const { return PageControl1; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    // Fields and tabs
    void emptyFields();
    void emptyTabs();
    void fillCombos();
    void reloadDay();
    void showOrder(const LoadedOrder& l, bool fromGrid);
    void showContract(const QString& grcd, const QString& code);
    void showDetail(int record);
    void showShippedSales(const QString& grcd, const QString& code, bool withSums);
    void showMoney(const ContractMoney& m);
    bool publicContract() const; // class label 관수1
    OrderRow typedOrder() const;

    // Key and Enter handlers
    bool dateKey(QKeyEvent* e);
    void dateChosen();
    bool numberEntered();
    bool customerEntered();
    bool siteEntered();
    bool specEntered();
    bool quantityEntered();
    bool vatKey(QKeyEvent* e);

    // Buttons and clicks
    void startNew();
    void startEdit();
    void askDelete();
    void save();
    void cancel();
    void print();
    void openCustomers();
    void openSites();
    void orderClicked(int record);

    DataGrid* gridhord3;
    DataGrid* gridhord;
    DataGrid* gridhord1;
    DataGrid* gridhord2;
    QTabWidget* PageControl1;
    QString kawnSa_;      // class code of the customer shown
    QString julsa_;       // its price cut unit
    QString loadedIlja_;  // the stored order the fields hold, if any
    QString loadedSeq_;
    bool opened_ = false;
};
