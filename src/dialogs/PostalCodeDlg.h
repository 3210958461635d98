#pragma once
// The postal-code window: finds an address in the postal-code directory
// (zipcode) and hands the picked address and code to the caller through
// session().ZipAddress and ZipCode.
#include <QDialog>

class DataGrid;
class QComboBox;
class QLineEdit;

class Tgrid_f : public QDialog {
    Q_OBJECT
public:
    explicit Tgrid_f(QWidget* parent = nullptr);

    // Opens the window modally and destroys it afterwards. True when a row
    // was picked (ZipAddress and ZipCode set); closing it any other way
    // leaves both values as they were.
    static bool choose(QWidget* parent = nullptr);

    // Re-reads the grid by the search kind and the search text.
    void search();

    QComboBox* kindField() const { return index_gu; }
    QLineEdit* textField() const { return post1; }
    DataGrid* grid() const { return RxDBGrid1; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void pick(int record);

    QComboBox* index_gu;
    QLineEdit* post1;
    DataGrid* RxDBGrid1;
};
