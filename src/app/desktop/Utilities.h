#pragma once
// The desktop's own programs started from the utilities menu: calculator,
// date and time, regional and display settings. Each has a list of
// equivalents; the first one installed is started.
#include <QList>
#include <QString>
#include <QStringList>

namespace Utilities {

enum class Tool { Calculator, DateTime, Regional, Display };

struct Program {
    QString program;
    QStringList arguments;
};

// The equivalents looked for, in order of preference.
QList<Program> candidates(Tool tool);

// The Korean name of the tool for messages ("전자계산기").
QString toolName(Tool tool);

// Starts the first installed candidate. When none is installed (or it cannot
// be started) returns false and sets message to one text naming the programs
// that were looked for.
bool start(Tool tool, QString* message);

} // namespace Utilities
