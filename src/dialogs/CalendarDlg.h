#pragma once
// The calendar dialog: pick a date with the mouse or the keyboard. One
// dialog serves the whole run and keeps the last picked date.
#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QSpinBox;

class TCalendarDlg : public QDialog {
    Q_OBJECT
public:
    // The one calendar of the run, created on first use.
    static TCalendarDlg& instance();

    // Shows the dialog modally. True when a date was picked (Enter or a
    // double-click in the calendar); Esc keeps the earlier pick.
    bool choose(QWidget* over = nullptr);

    // The last picked date; invalid before the first pick.
    QDate picked() const { return picked_; }
    // The picked date as YYYY-MM-DD ("" before the first pick).
    QString pickedText() const;

    QSpinBox* yearField() const { return seYear; }
    QSpinBox* monthField() const { return seMonth; }
    QCalendarWidget* calendar() const { return Calendar1; }

protected:
    void showEvent(QShowEvent* e) override;
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    explicit TCalendarDlg(QWidget* parent = nullptr);
    void showMonth(int year, int month);
    void stepMonth(int months);
    void syncFields();

    QSpinBox* seYear;
    QSpinBox* seMonth;
    QCalendarWidget* Calendar1;
    QDate picked_;
};
