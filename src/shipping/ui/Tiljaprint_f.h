#pragma once
// The day window of the daily journals. With ReportKind 2 it is the daily
// shipment closing ("출하 마감"): a day, OK, the closing password, and the
// day's orders become its sales rows. The journal prints of the other
// ReportKinds are not part of this window yet: it says so and offers no OK.
#include <QDialog>

class Field;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

class Tiljaprint_f : public QDialog {
    Q_OBJECT
public:
    // The kind is the session's ReportKind when the window is made.
    explicit Tiljaprint_f(QWidget* parent = nullptr);

    int reportKind() const { return kind_; }

protected:
    bool eventFilter(QObject* o, QEvent* e) override;
    void showEvent(QShowEvent* e) override;

private:
    void okbtnClick();
    void close_day();

    int kind_;
    Field* hy01_;
    QPushButton* ok_;
    QPushButton* cancel_;
    QFrame* passPan_;
    QLineEdit* passEdit_;
    QLabel* result_;
};
