#pragma once
// The site-list window (출력): prints every site, or the sites of one
// customer, with the report qr_hyun_f1 on the screen or the printer.
#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;
class ReportOutputChoice;

class Thyunprn_f : public QDialog {
    Q_OBJECT
public:
    explicit Thyunprn_f(QWidget* parent = nullptr);

    QRadioButton* allSites() const { return prn_all; }
    QRadioButton* someSites() const { return prn_part; }
    QLineEdit* customerField() const { return prn01; }
    QLabel* customerName() const { return prn02; }
    ReportOutputChoice* output() const { return output_; }

    // Runs the report as the OK button does. False when nothing was output.
    bool print();

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void rangeChanged();
    void lookupCustomer();

    QRadioButton* prn_all;
    QRadioButton* prn_part;
    QLabel* customerLabel_;
    QLineEdit* prn01;
    QLabel* prn02;
    ReportOutputChoice* output_;
};
