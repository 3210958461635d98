#pragma once
// The closing window "마   감": the year-end closing of one customer and site
// of the sales book, and its closing rows of that year.
#include <QDialog>

class DataGrid;
class Field;
class QLabel;
class QPushButton;
class QSpinBox;

class Tmakam_f : public QDialog {
    Q_OBJECT
public:
    explicit Tmakam_f(QWidget* parent = nullptr);

    DataGrid* grid() const { return grd_makam; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void edt_custEnter();
    void edt_hyunEnter();
    void btn_findClick();
    void btn_makamClick();

    QSpinBox* edt_ilja;
    Field* edt_cust;
    QLabel* lab_cust;
    Field* edt_hyun;
    QLabel* lab_hyun;
    QPushButton* btn_find;
    QPushButton* btn_makam;
    QPushButton* btn_close;
    DataGrid* grd_makam;
};
