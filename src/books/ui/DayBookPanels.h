#pragma once
// The two panels the sales and deposit entry windows share: the approval
// area (state button, choice and OK) and the red reason panel asked for
// before a change or deletion. The windows connect their own handlers.
#include <QString>

class QComboBox;
class QFrame;
class QLineEdit;
class QObject;
class QPushButton;
class QWidget;

struct ApprovalArea {
    QPushButton* ok_btn;
    QFrame* ok_pan;
    QComboBox* com_okno;
    QPushButton* btn_ok;
};
// Lays the approval area into `area`; the choice panel starts hidden.
ApprovalArea buildApprovalArea(QWidget* area, const QString& open, const QString& approved);

struct ReasonPanel {
    QFrame* job_pan;
    QLineEdit* edt_job;
};
// The reason panel over `parent`, hidden; `filter` receives the field's keys.
ReasonPanel buildReasonPanel(QWidget* parent, QObject* filter);
