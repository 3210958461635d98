#include "receivables/ui/YearClosingCommand.h"

#include "receivables/YearClosing.h"
#include "widgets/Kit.h"
#include "widgets/Messages.h"

#include <QInputDialog>

QString& RememberedClosingYear()
{
    static QString year;
    return year;
}

void RunYearClosing(QWidget* parent, int book)
{
    QInputDialog box(parent);
    box.setObjectName(QStringLiteral("year_box"));
    box.setWindowTitle(QStringLiteral("레미콘 연말 마감"));
    box.setLabelText(QStringLiteral("마감년도를 입력하시오   (예:1999)"));
    box.setTextValue(RememberedClosingYear());
    if (Kit::execModal(&box) != QDialog::Accepted) {
        Messages::info(parent, QStringLiteral("마감 작업이 취소되었습니다."));
        return;
    }
    RememberedClosingYear() = box.textValue();
    // The year is checked before anything is read or deleted.
    const std::optional<int> year = ClosingYear(box.textValue());
    if (!year) {
        Messages::info(parent, QStringLiteral("마감년도를 숫자로 입력하시오."));
        return;
    }
    bool closed = false;
    if (!Kit::guarded(parent, [&] { closed = YearClosed(*year, book); }))
        return;
    if (closed && !Messages::confirm(parent, QStringLiteral("%1년도는  이미 마감되었습니다.\n 갱신하시겠습니까?").arg(*year)))
        return;
    if (Kit::guarded(parent, [&] { YearClosing(*year, book); }))
        Messages::info(parent, QStringLiteral("마감이 종료되었습니다."));
}
