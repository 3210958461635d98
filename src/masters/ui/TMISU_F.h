#pragma once
// The opening-balance window (초기잔액 입력): one amount per receivable
// holder (a site of a per-site customer, site 000 of an integrated one) and
// month. The rules live in masters/OpeningBalances.
#include "widgets/EntryForm.h"

class DataGrid;

class TMISU_F : public EntryForm {
    Q_OBJECT
public:
    explicit TMISU_F(QWidget* parent = nullptr);

    DataGrid* grid() const { return gridhord; }

protected:
    void showEvent(QShowEvent* e) override;

private:
    void reload();
    void emptyFields();
    void showRow(int record);
    bool customerEntered();
    bool siteEntered();
    void save();
    void remove();

    DataGrid* gridhord;
    bool loading_ = false;
    bool opened_ = false;
};
