#pragma once
// TPASSWORD, the login window "사용자 암호 입력": staff name, password and
// processing class. Accepted when the login succeeded (SessionUser and
// SessionLevel are set); rejected on "취  소" or after the third failure,
// which ends the program.
#include "app/desktop/Login.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

class TPASSWORD : public QDialog {
    Q_OBJECT
public:
    explicit TPASSWORD(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void Button1Click();
    void chuli_lEnter();
    void centreOnScreen();

    Login login_;
    QLineEdit* useredt;
    QLineEdit* passedt;
    QLineEdit* chuli_l;
    QLabel* namel;
    QPushButton* Button1;
    QPushButton* Button2;
};
