#pragma once
// The entry fields of the window kit. A window declares each field with a
// FieldSpec; EntryForm creates the widget, places it, locks it while
// browsing and runs its Enter handler.
#include <QComboBox>
#include <QDate>
#include <QLineEdit>
#include <QStringList>
#include <functional>

class QKeyEvent;

enum class FieldKind {
    Text,     // free text (Hangul allowed)
    Upper,    // Latin letters turn upper case as they are typed
    Code,     // digits only: letter keys are ignored
    Number,   // a number; `mask` is its display mask ("#,##0", "#,##0.00")
    Date,     // YYYY-MM-DD with a calendar button
    Month,    // YYYY-MM
    Time,     // HH:MM
    Mask,     // a fixed input mask given in `mask` (see Masks)
    Password, // masked with *
    List,     // a choice among `items` (EntryForm::addList)
};

// Input masks of the kit's masked fields (9 = a digit).
namespace Masks {
inline const QString Truck = QStringLiteral("99-9999-9");  // vehicle code
inline const QString Serial = QStringLiteral("99-9999");   // invoice serial number
inline const QString MonthDay = QStringLiteral("99/99");
} // namespace Masks

struct FieldSpec {
    QString name;                // objectName: the component's name (CU01, hy01)
    QString label;               // caption placed before the field; empty for none
    FieldKind kind = FieldKind::Text;
    int width = 0;               // characters the column holds: longer input is refused as typed
    QString mask;                // Mask: input mask; Number: display mask
    QStringList items;           // List: the labels shown
    QStringList codes;           // List: the code stored for each label (default: the label)
    bool editable = false;       // List: free text besides the items
    // Enter: the field's check or lookup. Return false to keep the focus
    // here; true moves on to the next field. Runs after Hangul input is
    // committed; a DbError shows its message and keeps the focus.
    std::function<bool()> onEnter;
    // Every key press, before the kit handles it; return true to consume it.
    std::function<bool(QKeyEvent*)> onKey;
    bool key = false;            // part of the row's key: locked while changing a stored row
    bool readOnly = false;       // shown, never typed into, skipped by Enter
    bool free = false;           // usable in every state (search fields, the day of a day window)
    bool sameLine = false;       // placed to the right of the previous field
    int pixels = 0;              // display width; by default from `width`
};

// A line field: text, codes, numbers and masked values.
class Field : public QLineEdit {
    Q_OBJECT
public:
    Field(const FieldSpec& spec, QWidget* parent = nullptr);
    const FieldSpec& spec() const { return spec_; }
    FieldKind kind() const { return spec_.kind; }

    // The text; a masked field in which nothing was typed gives "".
    QString value() const;
    void setValue(const QString& text);
    // Number fields: the value (thousands separators allowed; empty is 0),
    // and showing a value with the display mask.
    double number() const;
    void setNumber(double v);
    // Date fields: the date (invalid when incomplete) and setting one.
    QDate date() const;
    void setDate(const QDate& d);
    // True when a masked field is completely filled (always true otherwise).
    bool complete() const;

signals:
    // The calendar button put a date into the field.
    void datePicked();

private:
    void openCalendar();
    FieldSpec spec_;
};

// A choice field; each label may carry a code (관수1 → K).
class ListField : public QComboBox {
    Q_OBJECT
public:
    ListField(const FieldSpec& spec, QWidget* parent = nullptr);
    const FieldSpec& spec() const { return spec_; }
    QString value() const { return currentText(); }
    void setValue(const QString& label);
    // The code of the current label ("" when the text is no item).
    QString code() const;
    // Shows the label of a code; an unknown code leaves the list as it is.
    void setCode(const QString& code);
    // The label of a code, "" when unknown.
    QString labelOf(const QString& code) const;

private:
    FieldSpec spec_;
};
