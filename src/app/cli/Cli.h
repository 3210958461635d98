#pragma once
// varer-cli: the batch entry point. Each command lives in its own file and
// registers itself with VARER_CLI_COMMAND; main.cpp handles the global
// options (--database, --user, --password, --config), opens the database for
// the commands that need it and turns errors into a one-line message.
#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <functional>
#include <stdexcept>

struct CliCommand {
    QString name;
    QString summary;       // one line for `varer-cli --help`
    bool opensDatabase;    // main opens the configured database before run()
    // Declares the command's own options and positional arguments.
    std::function<void(QCommandLineParser&)> declare;
    // Runs with the parsed options; returns the exit status.
    std::function<int(const QCommandLineParser&)> run;
};

bool registerCliCommand(const CliCommand& c);
const QList<CliCommand>& cliCommands();

#define VARER_CLI_CONCAT2(a, b) a##b
#define VARER_CLI_CONCAT(a, b) VARER_CLI_CONCAT2(a, b)
#define VARER_CLI_COMMAND(...) \
    static const bool VARER_CLI_CONCAT(varerCliRegistered_, __LINE__) = registerCliCommand(__VA_ARGS__)

// A failure the user caused (bad option, bad value): message, exit status 2.
class CliUsageError : public std::runtime_error {
public:
    explicit CliUsageError(const QString& m) : std::runtime_error(m.toStdString()), message(m) {}
    QString message;
};

QTextStream& cliOut();

// Validates a YYYY-MM-DD option value; throws CliUsageError.
QString cliDate(const QCommandLineParser& p, const QString& option);
