#include "app/cli/Cli.h"
#include "data/Db.h"
#include "data/Session.h"
#include "receivables/YearClosing.h"

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("year-close"),
    QStringLiteral("Close a year: write each customer's and site's year-end balance."),
    false, // the year is checked before the database is opened
    [](QCommandLineParser& p) {
        p.addPositionalArgument("YYYY", "The year to close.");
        p.addOption({"book", "sales (default: r_mast, r_ipkum into makam) or tax (tax_mast, tax_ipkum into "
                             "tax_makam).", "sales|tax", "sales"});
        p.addOption({"customer", "Close only this customer (with --site).", "GRCD"});
        p.addOption({"site", "Close only this site of the customer.", "CODE"});
        p.addOption({"yes", "Replace the year's closing when it exists already."});
    },
    [](const QCommandLineParser& p) {
        const QStringList args = p.positionalArguments();
        if (args.size() != 1)
            throw CliUsageError(QStringLiteral("give the year to close: year-close YYYY"));
        const std::optional<int> year = ClosingYear(args.first());
        if (!year)
            throw CliUsageError(QStringLiteral("not a year: %1").arg(args.first()));
        const QString bookName = p.value("book");
        if (bookName != QLatin1String("sales") && bookName != QLatin1String("tax"))
            throw CliUsageError(QStringLiteral("--book: sales or tax, not %1").arg(bookName));
        const int book = bookName == QLatin1String("sales") ? 0 : 1;
        const QString table = book == 0 ? QStringLiteral("makam") : QStringLiteral("tax_makam");
        const bool one = p.isSet("customer") || p.isSet("site");
        if (one && (p.value("customer").isEmpty() || p.value("site").isEmpty()))
            throw CliUsageError(QStringLiteral("--customer and --site go together"));
        const QString grcd = p.value("customer");
        const QString code = p.value("site");

        Db::open(DbSettings::fromConfig());
        session().loadCompany();

        const bool closed = one ? SiteYearClosed(*year, grcd, code, book) : YearClosed(*year, book);
        if (closed && !p.isSet("yes")) {
            cliOut() << QStringLiteral("%1 is already closed in %2%3; nothing changed (--yes replaces it)\n")
                            .arg(*year)
                            .arg(table, one ? QStringLiteral(" for %1 %2").arg(grcd, code) : QString());
            return 1;
        }
        const int rows = one ? YearClosingOfSite(*year, grcd, code, book) : YearClosing(*year, book);
        cliOut() << QStringLiteral("closed %1 in %2%3: %4 rows written\n")
                        .arg(*year)
                        .arg(table, one ? QStringLiteral(" for %1 %2").arg(grcd, code) : QString())
                        .arg(rows);
        return 0;
    }});
