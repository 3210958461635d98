#include "app/cli/Cli.h"
#include "data/Config.h"
#include "data/Db.h"
#include "data/Session.h"
#include "data/Sql.h"

#include <QDate>
#include <QRegularExpression>
#include <QDir>
#include <QFile>
#include <unistd.h>
#include <QGuiApplication>
#include <QMap>
#include <cstdio>

namespace {

QList<CliCommand>& registry()
{
    static QList<CliCommand> r;
    return r;
}

void fail(const QString& message)
{
    QString line = message;
    line.replace(QLatin1Char('\n'), QLatin1String(": "));
    std::fprintf(stderr, "varer-cli: %s\n", line.toUtf8().constData());
}

void usage()
{
    QString s = QStringLiteral(
        "usage: varer-cli [--database LOC] [--user NAME] [--password PW] [--config FILE] COMMAND [options]\n"
        "       varer-cli COMMAND --help\n\ncommands:\n");
    for (const CliCommand& c : registry())
        s += QStringLiteral("  %1%2\n").arg(c.name.leftJustified(16), c.summary);
    s += QStringLiteral("\nThe database is a file path (embedded) or host:path (server). Without --database the\n"
                        "setting 'database' of the settings file or VARER_DATABASE is used.\n");
    cliOut() << s;
    cliOut().flush();
}

} // namespace

bool registerCliCommand(const CliCommand& c)
{
    registry().append(c);
    return true;
}

const QList<CliCommand>& cliCommands() { return registry(); }

QTextStream& cliOut()
{
    static QTextStream out(stdout);
    return out;
}

QString cliDate(const QCommandLineParser& p, const QString& option)
{
    const QString v = p.value(option);
    if (!QDate::fromString(v, QStringLiteral("yyyy-MM-dd")).isValid())
        throw CliUsageError(QStringLiteral("--%1: not a date YYYY-MM-DD: %2").arg(option, v));
    return v;
}

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        const QByteArray dir = QDir::tempPath().toUtf8() + "/varer-runtime-" + QByteArray::number(getuid());
        QDir().mkpath(QString::fromUtf8(dir));
        QFile::setPermissions(QString::fromUtf8(dir), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", dir);
    }
    Db::prepareEnvironment();
    QGuiApplication app(argc, argv);
    QGuiApplication::setApplicationName(QStringLiteral("varer"));

    QStringList args = app.arguments();
    args.removeFirst();

    // Global options come before the command.
    static const QStringList globals = {"database", "user", "password", "config"};
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        QString opt = args.takeFirst().mid(2);
        if (opt == QLatin1String("help")) {
            usage();
            return 0;
        }
        QString val;
        if (const int eq = int(opt.indexOf(QLatin1Char('='))); eq > 0) {
            val = opt.mid(eq + 1);
            opt = opt.left(eq);
        } else if (!args.isEmpty()) {
            val = args.takeFirst();
        } else {
            fail(QStringLiteral("--%1 needs a value").arg(opt));
            return 2;
        }
        if (!globals.contains(opt)) {
            fail(QStringLiteral("unknown option --%1").arg(opt));
            return 2;
        }
        if (opt == QLatin1String("config"))
            qputenv("VARER_CONFIG", val.toUtf8());
        else
            Config::setOverride(opt, val);
    }
    if (args.isEmpty()) {
        usage();
        return 2;
    }
    const QString name = args.takeFirst();
    const CliCommand* cmd = nullptr;
    for (const CliCommand& c : registry())
        if (c.name == name)
            cmd = &c;
    if (!cmd) {
        fail(QStringLiteral("unknown command '%1' (see varer-cli --help)").arg(name));
        return 2;
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(cmd->summary);
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{"help", "h"}, QStringLiteral("Show this help."));
    parser.addOption(help);
    if (cmd->declare)
        cmd->declare(parser);
    if (!parser.parse(QStringList{QStringLiteral("varer-cli ") + name} + args)) {
        fail(parser.errorText());
        return 2;
    }
    if (parser.isSet(help)) {
        QString text = parser.helpText();
        const int eol = int(text.indexOf(QLatin1Char('\n')));
        QString first = text.left(eol);
        first.replace(QRegularExpression(QStringLiteral("^Usage: \\S+")), QStringLiteral("Usage: varer-cli ") + name);
        text = first + text.mid(eol);
        cliOut() << text;
        cliOut().flush();
        return 0;
    }
    try {
        if (cmd->opensDatabase) {
            Db::open(DbSettings::fromConfig());
            session().loadCompany();
        }
        const int rc = cmd->run(parser);
        cliOut().flush();
        Db::close();
        return rc;
    } catch (const CliUsageError& e) {
        cliOut().flush();
        fail(e.message);
        return 2;
    } catch (const DbError& e) {
        cliOut().flush();
        fail(e.message());
        return 1;
    } catch (const std::exception& e) {
        cliOut().flush();
        fail(QString::fromUtf8(e.what()));
        return 1;
    }
}
