#include "app/cli/Cli.h"
#include "data/Backup.h"
#include "data/Config.h"
#include "data/Db.h"

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("backup"),
    QStringLiteral("Back up the database to DIR/YYYYMMDD.fbk (a backup of the same day is replaced)."),
    false,
    [](QCommandLineParser& p) {
        p.addOption({QStringLiteral("to"), QStringLiteral("Folder of the backup (default: the setting backup_dir)."),
                     QStringLiteral("DIR")});
    },
    [](const QCommandLineParser& p) {
        const QString folder = p.isSet(QStringLiteral("to")) ? p.value(QStringLiteral("to"))
                                                             : Config::value(QStringLiteral("backup_dir"));
        const QString file = Backup::toFolder(DbSettings::fromConfig(), folder);
        cliOut() << "backup written to " << file << "\n";
        return 0;
    }});

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("restore"),
    QStringLiteral("Restore a backup file into a new database (restore FILE --to LOCATION [--replace])."),
    false,
    [](QCommandLineParser& p) {
        p.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The backup file (.fbk)."));
        p.addOption({QStringLiteral("to"),
                     QStringLiteral("Location of the new database: a file path or host:path."),
                     QStringLiteral("LOCATION")});
        p.addOption({QStringLiteral("replace"), QStringLiteral("Replace a database that already exists there.")});
    },
    [](const QCommandLineParser& p) {
        if (p.positionalArguments().size() != 1)
            throw CliUsageError(QStringLiteral("restore needs exactly one backup FILE"));
        if (p.value(QStringLiteral("to")).isEmpty())
            throw CliUsageError(QStringLiteral("restore needs --to LOCATION"));
        DbSettings target = DbSettings::fromConfig();
        target.database = p.value(QStringLiteral("to"));
        Backup::restore(p.positionalArguments().first(), target, p.isSet(QStringLiteral("replace")));
        cliOut() << "restored " << p.positionalArguments().first() << " to " << target.database << "\n";
        return 0;
    }});
