#pragma once
// The spec search window (규격조회): the latest versions, the versions of one
// code, or every version, shown in the list window.
#include <QDialog>

class QLabel;
class QLineEdit;
class QRadioButton;

class Tsizefind_f : public QDialog {
    Q_OBJECT
public:
    enum Choice { Latest = 0, ByCode = 1, All = 2 };

    explicit Tsizefind_f(QWidget* parent = nullptr);
    Choice choice() const;

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void choiceChanged();
    void lookUp();
    void open();

    QRadioButton* choices_[3];
    QLineEdit* code_;
    QLabel* spec_;
    QString chosenCode_;
};
