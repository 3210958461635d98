#include "app/desktop/Utilities.h"

#include <QProcess>
#include <QStandardPaths>

namespace Utilities {

QList<Program> candidates(Tool tool)
{
    switch (tool) {
    case Tool::Calculator:
        return {{"gnome-calculator", {}}, {"kcalc", {}}, {"galculator", {}}, {"mate-calc", {}},
                {"qalculate-gtk", {}}, {"xcalc", {}}};
    case Tool::DateTime:
        return {{"gnome-control-center", {"datetime"}}, {"kcmshell6", {"kcm_clock"}}, {"kcmshell5", {"clock"}},
                {"time-admin", {}}};
    case Tool::Regional:
        return {{"gnome-control-center", {"region"}}, {"kcmshell6", {"kcm_regionandlang"}},
                {"kcmshell5", {"kcm_formats"}}};
    case Tool::Display:
        return {{"gnome-control-center", {"display"}}, {"kcmshell6", {"kcm_kscreen"}},
                {"kcmshell5", {"kcm_kscreen"}}, {"xfce4-display-settings", {}}, {"lxrandr", {}}, {"arandr", {}}};
    }
    return {};
}

QString toolName(Tool tool)
{
    switch (tool) {
    case Tool::Calculator:
        return QStringLiteral("전자계산기");
    case Tool::DateTime:
        return QStringLiteral("시간.일자 설정");
    case Tool::Regional:
        return QStringLiteral("국가별날짜설정");
    case Tool::Display:
        return QStringLiteral("디스플레이설정");
    }
    return {};
}

bool start(Tool tool, QString* message)
{
    QStringList lookedFor;
    for (const Program& p : candidates(tool)) {
        const QString path = QStandardPaths::findExecutable(p.program);
        if (!path.isEmpty() && QProcess::startDetached(path, p.arguments))
            return true;
        lookedFor << (p.arguments.isEmpty() ? p.program : p.program + QLatin1Char(' ') + p.arguments.join(' '));
    }
    if (message)
        *message = QStringLiteral("%1 프로그램이 설치되어 있지 않습니다.\n다음 중 하나를 설치하십시오: %2")
                       .arg(toolName(tool), lookedFor.join(QStringLiteral(", ")));
    return false;
}

} // namespace Utilities
