#include "widgets/Field.h"
#include "dialogs/CalendarDlg.h"
#include "widgets/Kit.h"
#include "widgets/NumberMask.h"

#include <QAction>
#include <QRegularExpressionValidator>

namespace {

// Turns Latin letters upper case as they are typed.
class UpperValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QString inputMaskOf(const FieldSpec& spec)
{
    switch (spec.kind) {
    case FieldKind::Date: return QStringLiteral("9999-99-99;_");
    case FieldKind::Month: return QStringLiteral("9999-99;_");
    case FieldKind::Time: return QStringLiteral("99:99;_");
    case FieldKind::Mask: return spec.mask.contains(u';') ? spec.mask : spec.mask + QStringLiteral(";_");
    default: return {};
    }
}

int defaultPixels(const QWidget* w, const FieldSpec& spec)
{
    const QFontMetrics fm = w->fontMetrics();
    const int digit = fm.horizontalAdvance(u'0');
    switch (spec.kind) {
    case FieldKind::Date: case FieldKind::Month: case FieldKind::Time: case FieldKind::Mask: {
        const int chars = int(inputMaskOf(spec).section(u';', 0, 0).size());
        return digit * chars + 16 + (spec.kind == FieldKind::Date ? 22 : 0);
    }
    case FieldKind::Upper: case FieldKind::Code: case FieldKind::Number:
        return digit * std::max(spec.width, 4) + 16;
    default: {
        // Room for Hangul (about twice as wide as a digit) at half the width.
        const int chars = spec.width > 0 ? spec.width : 20;
        return std::min(360, std::max(fm.horizontalAdvance(QStringLiteral("가")) * (chars + 1) / 2, digit * 6) + 16);
    }
    }
}

} // namespace

Field::Field(const FieldSpec& spec, QWidget* parent)
    : QLineEdit(parent)
    , spec_(spec)
{
    Kit::watchInput();
    setObjectName(spec.name);
    const QString inputMask = inputMaskOf(spec);
    if (!inputMask.isEmpty())
        setInputMask(inputMask);
    else if (spec.width > 0)
        setMaxLength(spec.width);
    switch (spec.kind) {
    case FieldKind::Upper:
        setValidator(new UpperValidator(this));
        break;
    case FieldKind::Code:
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));
        break;
    case FieldKind::Number:
        setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9,]*\\.?[0-9]*")), this));
        setAlignment(Qt::AlignRight);
        break;
    case FieldKind::Password:
        setEchoMode(QLineEdit::Password);
        break;
    case FieldKind::Date: {
        QAction* pick = addAction(QIcon(QStringLiteral(":/kit/pictures/calendar.png")), QLineEdit::TrailingPosition);
        pick->setObjectName(spec.name + QStringLiteral("_calendar"));
        pick->setToolTip(QStringLiteral("달력"));
        connect(pick, &QAction::triggered, this, &Field::openCalendar);
        break;
    }
    default:
        break;
    }
    setReadOnly(spec.readOnly);
    setFixedWidth(spec.pixels > 0 ? spec.pixels : defaultPixels(this, spec));
}

QString Field::value() const
{
    const QString t = text();
    if (inputMask().isEmpty())
        return t;
    for (const QChar c : t)
        if (c.isLetterOrNumber())
            return t;
    return QString();
}

void Field::setValue(const QString& text) { setText(text); }

double Field::number() const { return ParseNumber(text()); }

void Field::setNumber(double v) { setText(FormatNumber(v, spec_.mask)); }

QDate Field::date() const { return QDate::fromString(text(), QStringLiteral("yyyy-MM-dd")); }

void Field::setDate(const QDate& d) { setText(d.isValid() ? d.toString(QStringLiteral("yyyy-MM-dd")) : QString()); }

bool Field::complete() const { return inputMask().isEmpty() || hasAcceptableInput(); }

void Field::openCalendar()
{
    if (!isEnabled() || isReadOnly())
        return;
    TCalendarDlg& calendar = TCalendarDlg::instance();
    if (calendar.choose(window()) && calendar.picked().isValid()) {
        setDate(calendar.picked());
        emit datePicked();
    }
}

ListField::ListField(const FieldSpec& spec, QWidget* parent)
    : QComboBox(parent)
    , spec_(spec)
{
    Kit::watchInput();
    setObjectName(spec.name);
    addItems(spec.items);
    setEditable(spec.editable);
    if (spec_.codes.size() != spec_.items.size())
        spec_.codes = spec_.items;
    if (spec.pixels > 0)
        setFixedWidth(spec.pixels);
}

void ListField::setValue(const QString& label)
{
    const int i = findText(label);
    if (i >= 0)
        setCurrentIndex(i);
    else if (isEditable())
        setEditText(label);
}

QString ListField::code() const
{
    const qsizetype i = spec_.items.indexOf(currentText());
    return i < 0 ? QString() : spec_.codes.at(i);
}

void ListField::setCode(const QString& code)
{
    const QString label = labelOf(code);
    if (!label.isEmpty() || spec_.codes.contains(code))
        setValue(label);
}

QString ListField::labelOf(const QString& code) const
{
    const qsizetype i = spec_.codes.indexOf(code);
    return i < 0 ? QString() : spec_.items.at(i);
}
