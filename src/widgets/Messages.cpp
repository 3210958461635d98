#include "widgets/Messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QQueue>

namespace {
struct Script {
    bool on = false;
    QQueue<bool> answers;
    QList<Messages::Shown> shown;
    std::function<void(const Messages::Shown&)> hook;
};
Script& script()
{
    static Script s;
    return s;
}

QString defaultTitle(const QString& title)
{
    return title.isEmpty() ? QApplication::applicationName() : title;
}

bool record(Messages::Kind kind, const QString& title, const QString& text, bool* answer)
{
    Script& s = script();
    if (!s.on)
        return false;
    const Messages::Shown m{kind, title, text};
    s.shown << m;
    if (answer)
        *answer = s.answers.isEmpty() ? true : s.answers.dequeue();
    if (s.hook)
        s.hook(m);
    return true;
}
} // namespace

namespace Messages {

void info(QWidget* parent, const QString& text, const QString& title)
{
    if (record(Kind::Info, title, text, nullptr))
        return;
    QMessageBox::information(parent, defaultTitle(title), text);
}

void error(QWidget* parent, const QString& text, const QString& title)
{
    if (record(Kind::Error, title, text, nullptr))
        return;
    QMessageBox::critical(parent, defaultTitle(title), text);
}

bool confirm(QWidget* parent, const QString& text, const QString& title)
{
    bool answer = false;
    if (record(Kind::Confirm, title, text, &answer))
        return answer;
    return QMessageBox::question(parent, defaultTitle(title), text, QMessageBox::Ok | QMessageBox::Cancel,
                                 QMessageBox::Ok)
        == QMessageBox::Ok;
}

void startScript()
{
    script() = Script{};
    script().on = true;
}
void stopScript() { script() = Script{}; }
bool scripted() { return script().on; }
void queueAnswer(bool ok) { script().answers.enqueue(ok); }
QList<Shown> shown() { return script().shown; }
QStringList shownTexts()
{
    QStringList t;
    for (const Shown& m : script().shown)
        t << m.text;
    return t;
}
void clearShown() { script().shown.clear(); }
void setHook(std::function<void(const Shown&)> hook) { script().hook = std::move(hook); }

} // namespace Messages
