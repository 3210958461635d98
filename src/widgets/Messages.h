#pragma once
// Every information box, confirmation and error box of the program goes
// through here, so tests can answer them and read what was shown.
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace Messages {

enum class Kind { Info, Confirm, Error };

struct Shown {
    Kind kind;
    QString title;
    QString text;
};

// An information box with OK.
void info(QWidget* parent, const QString& text, const QString& title = QString());
// An error box with OK (the login, database failures).
void error(QWidget* parent, const QString& text, const QString& title = QString());
// A confirmation with OK and Cancel; true for OK.
bool confirm(QWidget* parent, const QString& text, const QString& title = QString());

// --- for tests -----------------------------------------------------------
// While a script is installed no box is shown: each message is recorded and
// a confirmation takes the next queued answer (OK when the queue is empty).
void startScript();
void stopScript();
bool scripted();
void queueAnswer(bool ok);
QList<Shown> shown();    // everything recorded since startScript()
QStringList shownTexts(); // the texts alone, in order
void clearShown();
// Called for every message while scripted (after it is recorded), for tests
// that must act while a box would be open.
void setHook(std::function<void(const Shown&)> hook);

} // namespace Messages
