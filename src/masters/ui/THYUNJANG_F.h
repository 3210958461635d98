#pragma once
// The site window (현장 코드 관리): the sites of each customer, registered
// with a proposed code, changed and deleted behind the correction password;
// for public-works customers ("관수1", "관수2") also the contract panel with
// each spec's contracted quantity and price series. The rules live in
// masters/Sites and masters/SiteContracts.
#include "masters/SiteContracts.h"
#include "masters/Sites.h"
#include "widgets/EntryForm.h"

class DataGrid;
class QGroupBox;
class QLineEdit;
class QMenu;
class QTabWidget;

class THYUNJANG_F : public EntryForm {
    Q_OBJECT
public:
    explicit THYUNJANG_F(QWidget* parent = nullptr);

    // Shows a customer as a click in the customer grid does. Called before
    // the window opens (the customer window opening it on its current
    // customer), the customer is shown as soon as it opens. False when the
    // customer is unknown.
    bool openCustomer(const QString& grcd);
    // Shows a site of the shown customer as a click in the site grid does.
    bool openSite(const QString& code);

    enum class ContractEdit { None, SummaryAdded, DetailAdded, DetailChanged };
    ContractEdit contractEdit() const { return contractEdit_; }

    QTabWidget* pages() const { return PageControl1; }
    DataGrid* customerGrid() const { return cust_grid; }
    DataGrid* siteGrid() const { return hyun_grid; }
    DataGrid* summaryGrid() const { return gridhord; }
    DataGrid* detailGrid() const { return gridhord1; }
    QGroupBox* contractPanel() const { return order; }
    QMenu* siteMenu() const { return siteMenu_; }
    QMenu* summaryMenu() const { return summaryMenu_; }
    QMenu* detailMenu() const { return detailMenu_; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    // Fields and grids
    void buildFields();
    void buildContractPanel();
    void emptySiteFields();
    void emptyNewSiteFields();
    void showCustomer(int record);
    void showSite(int record);
    void loadSites(const Rows& rows);
    void applyFieldSet();
    void syncButtons();
    void backToBrowse(bool keepSite);
    Sites::Site typedSite() const;
    bool publicWorks() const;
    QString basis() const;

    // Keys
    bool codeKey(QKeyEvent* e);
    bool codeEntered();
    bool nameEntered();
    bool staffEntered();
    bool basisEntered();

    // Buttons
    void startNew();
    void askChange();
    void askDelete();
    void deleteSite();
    void save();
    void cancel();
    void search();
    void reorder(DataGrid* grid, const QString& field);

    // Contract panel
    void buildContracts();
    void showDetail(int summaryRecord);
    void sumContracts();
    void setContractEdit(ContractEdit s);
    void recomputeDetail();
    SiteContracts::Line lineAt(DataGrid* grid, int record) const;
    void putLine(DataGrid* grid, int record, const SiteContracts::Line& l);
    bool contractSaved(SiteContracts::Result r);
    int summaryEnter(int record);
    int detailEnter(int record);
    bool pickDate(DataGrid* grid, int record, const QString& field);
    void summaryAdd();
    void summaryDelete();
    void summarySave();
    void detailAdd();
    void detailChange();
    void detailDelete();
    void detailSave();

    QTabWidget* PageControl1;
    DataGrid* cust_grid;
    DataGrid* hyun_grid;
    QLineEdit* sel_name;
    QGroupBox* order;
    DataGrid* gridhord;
    DataGrid* gridhord1;
    QMenu* siteMenu_;
    QMenu* summaryMenu_;
    QMenu* detailMenu_;
    ContractEdit contractEdit_ = ContractEdit::None;
    QString detailStandard_; // the spec whose rows the detail shows
    QString pendingCustomer_;
    bool siteShown_ = false;
    bool opened_ = false;
};
