#include "app/cli/Cli.h"
#include "data/Config.h"
#include "data/Db.h"

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("init"),
    QStringLiteral("Create a database at the configured location."),
    false,
    [](QCommandLineParser& p) {
        p.addOption({QStringLiteral("replace"), QStringLiteral("Replace a database that already exists there.")});
    },
    [](const QCommandLineParser& p) {
        const DbSettings s = DbSettings::fromConfig();
        Db::create(s, p.isSet(QStringLiteral("replace")));
        Db::open(s);
        cliOut() << "created " << s.database << "\n";
        return 0;
    }});
