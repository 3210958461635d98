#pragma once
// Small services every window of the kit relies on: the application font,
// Hangul input that is still being composed, modal dialogs that tests can
// drive, and handlers that show database errors instead of escaping.
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace Kit {

// NanumGothic for the whole application (the default font has no Hangul).
void useApplicationFont();

// Commits the text an input method is still composing, in `w` or, when null,
// in every widget that has some. Call before reading a field for a check or
// a save; the kit does it before every Enter handler and button handler.
void commitInput(QWidget* w = nullptr);
// Starts following input-method composition (done by every kit widget).
void watchInput();

// Shows a dialog modally and returns its result. While a hook is set (tests),
// the hook is called with the dialog once it is showing, and must close it.
int execModal(QDialog* dialog);
void setModalHook(std::function<void(QDialog*)> hook);

// Runs a handler: a DbError shows the server's message in an error box and
// ends the handler. Returns false when the handler failed that way.
bool guarded(QWidget* parent, const std::function<void()>& handler);

} // namespace Kit
