#include "app/cli/Cli.h"
#include "demo/PlantShip.h"

#include <QDate>

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("plant-ship"),
    QStringLiteral("Play the batching plant for one day: ship the open, approved orders of DATE."),
    true,
    [](QCommandLineParser& p) {
        p.addPositionalArgument(QStringLiteral("DATE"), QStringLiteral("Order date, YYYY-MM-DD."));
        p.addOption({QStringLiteral("seed"), QStringLiteral("Seed of the plant's choices (default 1)."),
                     QStringLiteral("N"), QStringLiteral("1")});
    },
    [](const QCommandLineParser& p) {
        const QStringList args = p.positionalArguments();
        if (args.size() != 1)
            throw CliUsageError(QStringLiteral("plant-ship needs one DATE (YYYY-MM-DD)"));
        const QString date = args.first();
        if (!QDate::fromString(date, QStringLiteral("yyyy-MM-dd")).isValid())
            throw CliUsageError(QStringLiteral("DATE: not a date YYYY-MM-DD: %1").arg(date));
        bool ok = false;
        const uint seed = p.value(QStringLiteral("seed")).toUInt(&ok);
        if (!ok)
            throw CliUsageError(QStringLiteral("--seed: not a whole number: %1").arg(p.value(QStringLiteral("seed"))));
        const PlantShipResult r = PlantShip::run(date, seed);
        cliOut() << r.loads << " loads written for " << r.orders << " orders of " << date << " (" << r.returned
                 << " returned, " << r.closed << " orders shipped in full)\n";
        return 0;
    }});
