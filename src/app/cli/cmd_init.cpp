#include "app/cli/Cli.h"
#include "data/Config.h"
#include "data/Db.h"
#include "demo/DemoOffice.h"

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("init"),
    QStringLiteral("Create a database at the configured location."),
    false,
    [](QCommandLineParser& p) {
        p.addOption({QStringLiteral("replace"), QStringLiteral("Replace a database that already exists there.")});
        p.addOption({QStringLiteral("demo"),
                     QStringLiteral("Fill it with the demo office (logins 관리자/1234 and admin/1234).")});
    },
    [](const QCommandLineParser& p) {
        const DbSettings s = DbSettings::fromConfig();
        Db::create(s, p.isSet(QStringLiteral("replace")));
        Db::open(s);
        cliOut() << "created " << s.database << "\n";
        if (p.isSet(QStringLiteral("demo"))) {
            const DemoSummary d = DemoOffice::fill();
            cliOut() << "demo office " << d.firstDay << " .. " << d.lastDay << ": " << d.customers << " customers, "
                     << d.sites << " sites, " << d.specs << " specs, " << d.orders << " orders, " << d.loads
                     << " loads, " << d.sales << " sales rows, " << d.deposits << " deposits\n";
        }
        return 0;
    }});
