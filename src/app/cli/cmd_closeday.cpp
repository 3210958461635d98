#include "app/cli/Cli.h"
#include "shipping/DailyClosing.h"

#include <QDate>

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("close-day"),
    QStringLiteral("Close the shipments of DATE into sales rows (close-day DATE --password PW [--yes])."),
    true,
    [](QCommandLineParser& p) {
        p.addPositionalArgument(QStringLiteral("DATE"), QStringLiteral("Day to close, YYYY-MM-DD."));
        p.addOption({QStringLiteral("password"), QStringLiteral("The closing password (staff 589)."),
                     QStringLiteral("PW")});
        p.addOption({QStringLiteral("yes"), QStringLiteral("Replace the day's closed sales rows when there are any.")});
    },
    [](const QCommandLineParser& p) {
        const QStringList args = p.positionalArguments();
        if (args.size() != 1)
            throw CliUsageError(QStringLiteral("close-day needs one DATE (YYYY-MM-DD)"));
        const QString date = args.first();
        if (!QDate::fromString(date, QStringLiteral("yyyy-MM-dd")).isValid())
            throw CliUsageError(QStringLiteral("DATE: not a date YYYY-MM-DD: %1").arg(date));
        if (!p.isSet(QStringLiteral("password")))
            throw CliUsageError(QStringLiteral("close-day needs --password PW"));
        const bool yes = p.isSet(QStringLiteral("yes"));
        const DailyClosing::Result r =
            DailyClosing::run(date, p.value(QStringLiteral("password")), [yes] { return yes; });
        switch (r.outcome) {
        case DailyClosing::Outcome::Approved:
        case DailyClosing::Outcome::WrongPassword:
            cliOut() << DailyClosing::message(r.outcome) << "\n";
            return 1;
        case DailyClosing::Outcome::Declined:
            cliOut() << date << " already has sales rows; nothing replaced (add --yes to replace them)\n";
            return 1;
        case DailyClosing::Outcome::Closed:
            break;
        }
        cliOut() << r.written << " sales rows written for " << date << " (" << r.removed << " replaced, "
                 << r.skipped << " orders without shipments)\n";
        if (!r.kept.isEmpty())
            cliOut() << "orders kept under their existing sales numbers: " << r.kept.join(QLatin1String(", ")) << "\n";
        return 0;
    }});
