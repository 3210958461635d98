#pragma once
// A report that cannot be produced (a field the data does not hold, an
// unreadable picture, a file that cannot be written). The run ends and the
// message is shown; nothing is printed.
#include <QString>
#include <stdexcept>

class ReportError : public std::runtime_error {
public:
    explicit ReportError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }
private:
    QString message_;
};
