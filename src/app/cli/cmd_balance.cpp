#include "app/cli/Cli.h"
#include "receivables/Balance.h"

#include <QRegularExpression>

namespace {

const QStringList kCutoffs = {"before-day", "at-day", "before-month", "at-month"};

void declareCutoffs(QCommandLineParser& p)
{
    p.addOption({"before-day", "Balance before the day (movements dated before it).", "YYYY-MM-DD"});
    p.addOption({"at-day", "Balance at the end of the day.", "YYYY-MM-DD"});
    p.addOption({"before-month", "Balance before the month.", "YYYY-MM"});
    p.addOption({"at-month", "Balance at the end of the month.", "YYYY-MM"});
    p.addOption({"book", "0 the sales book (default), 1 the tax book.", "0|1", "0"});
}

QString monthValue(const QCommandLineParser& p, const QString& option)
{
    static const QRegularExpression month(QStringLiteral("^\\d{4}-(0[1-9]|1[0-2])$"));
    const QString v = p.value(option);
    if (!month.match(v).hasMatch())
        throw CliUsageError(QStringLiteral("--%1: not a month YYYY-MM: %2").arg(option, v));
    return v;
}

int bookValue(const QCommandLineParser& p)
{
    const QString v = p.value("book");
    if (v != QLatin1String("0") && v != QLatin1String("1"))
        throw CliUsageError(QStringLiteral("--book: 0 or 1, not %1").arg(v));
    return v.toInt();
}

// The one cut-off option given, checked; `extra` names further options that
// count as a cut-off (--carried).
QString chosenCutoff(const QCommandLineParser& p, const QStringList& extra = {})
{
    QStringList given;
    for (const QString& o : kCutoffs + extra)
        if (p.isSet(o))
            given << o;
    if (given.size() != 1)
        throw CliUsageError(QStringLiteral("give exactly one of --%1").arg((kCutoffs + extra).join(", --")));
    return given.first();
}

std::pair<Cutoff, QString> cutoffValue(const QCommandLineParser& p, const QString& option)
{
    if (option == QLatin1String("before-day"))
        return {Cutoff::BeforeDay, cliDate(p, option)};
    if (option == QLatin1String("at-day"))
        return {Cutoff::AtDay, cliDate(p, option)};
    if (option == QLatin1String("before-month"))
        return {Cutoff::BeforeMonth, monthValue(p, option)};
    return {Cutoff::AtMonth, monthValue(p, option)};
}

QString won(double v) { return QString::number(v, 'f', 0); }

} // namespace

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("balance"),
    QStringLiteral("Print the receivable balance of one customer and site."),
    true,
    [](QCommandLineParser& p) {
        p.addPositionalArgument("GRCD", "Customer code.");
        p.addPositionalArgument("CODE", "Site code (000 for an integrated customer).");
        declareCutoffs(p);
        p.addOption({"carried", "Balance carried into the year (from the year before).", "YYYY"});
    },
    [](const QCommandLineParser& p) {
        const QStringList args = p.positionalArguments();
        if (args.size() != 2)
            throw CliUsageError(QStringLiteral("give the customer and the site: balance GRCD CODE ..."));
        const QString option = chosenCutoff(p, {"carried"});
        const int book = bookValue(p);
        double balance = 0;
        if (option == QLatin1String("carried")) {
            const QString year = p.value(option);
            if (!QRegularExpression(QStringLiteral("^\\d{4}$")).match(year).hasMatch())
                throw CliUsageError(QStringLiteral("--carried: not a year YYYY: %1").arg(year));
            balance = CarriedBalance(args.at(0), args.at(1), year, book);
        } else {
            const auto [kind, cutoff] = cutoffValue(p, option);
            balance = HolderBalance(args.at(0), args.at(1), kind, cutoff, book);
        }
        cliOut() << won(balance) << "\n";
        return 0;
    }});

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("balances"),
    QStringLiteral("List the receivable balance of every customer and site at a cut-off."),
    true,
    [](QCommandLineParser& p) {
        declareCutoffs(p);
        p.addOption({"level", "Processing class P, Q or R (P hides class T, R shows only T).", "P|Q|R"});
        p.addOption({"from", "First customer code of a range.", "GRCD"});
        p.addOption({"to", "Last customer code of a range.", "GRCD"});
        p.addOption({"format", "Output format: csv (grcd,code,balance).", "csv", "csv"});
    },
    [](const QCommandLineParser& p) {
        const QString option = chosenCutoff(p);
        const auto [kind, cutoff] = cutoffValue(p, option);
        const int book = bookValue(p);
        if (p.value("format") != QLatin1String("csv"))
            throw CliUsageError(QStringLiteral("--format: only csv is known, not %1").arg(p.value("format")));
        HolderFilter filter;
        filter.level = p.value("level");
        if (!filter.level.isEmpty() && !QStringList{"P", "Q", "R"}.contains(filter.level))
            throw CliUsageError(QStringLiteral("--level: P, Q or R, not %1").arg(filter.level));
        filter.fromGrcd = p.value("from");
        filter.toGrcd = p.value("to");
        QTextStream& out = cliOut();
        out << "grcd,code,balance\n";
        for (const HolderBalanceRow& r : HolderBalances(kind, cutoff, book, filter))
            out << r.grcd << ',' << r.code << ',' << won(r.balance) << '\n';
        return 0;
    }});
