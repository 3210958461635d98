#include "app/cli/Cli.h"
#include "data/Progress.h"
#include "receivables/OfficeGenerator.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

int positiveOption(const QCommandLineParser& p, const QString& name, int minimum = 1)
{
    bool ok = false;
    const int v = p.value(name).toInt(&ok);
    if (!ok || v < minimum)
        throw CliUsageError(QStringLiteral("--%1: a whole number of at least %2, not %3").arg(name).arg(minimum)
                                .arg(p.value(name)));
    return v;
}

// Prints a line per generated year on stderr (the months go on gauge 1).
class YearLines final : public Progress {
public:
    void start(int gauge, int maximum) override
    {
        if (gauge == 1)
            maximum_ = maximum;
    }
    void step(int gauge, int position) override
    {
        if (gauge == 1 && (position % 12 == 0 || position == maximum_))
            std::fprintf(stderr, "generate: %d of %d months\n", position, maximum_);
    }
    void finish(int) override {}
private:
    int maximum_ = 0;
};

} // namespace

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("generate"),
    QStringLiteral("Fill an empty database with a large deterministic office (benchmarks)."),
    true,
    [](QCommandLineParser& p) {
        p.addOption({"years", "Years of books (default 10).", "N", "10"});
        p.addOption({"last-year", "The last year of the books (default 2024).", "YYYY", "2024"});
        p.addOption({"customers", "Number of customers (default 1000).", "C", "1000"});
        p.addOption({"sites", "Number of construction sites, at least one per customer (default 5000).", "S", "5000"});
        p.addOption({"seed", "Seed of the draws (default 1).", "K", "1"});
        p.addOption({"rate", "Chance in per cent that an active site takes concrete on a working day (default 30).",
                     "P", "30"});
    },
    [](const QCommandLineParser& p) {
        GenerateOptions o;
        o.years = positiveOption(p, "years");
        o.lastYear = positiveOption(p, "last-year", o.years);
        o.customers = positiveOption(p, "customers");
        o.sites = positiveOption(p, "sites", o.customers);
        o.seed = quint32(positiveOption(p, "seed", 0));
        o.deliveryRate = positiveOption(p, "rate");
        if (o.customers > 26 * 999 || o.lastYear > 9999 || o.deliveryRate > 100)
            throw CliUsageError(QStringLiteral("at most 25974 customers, a year up to 9999, a rate up to 100"));
        YearLines lines;
        Progress::install(&lines);
        QElapsedTimer timer;
        timer.start();
        GenerateSummary s;
        try {
            s = GenerateOffice(o);
        } catch (...) {
            Progress::install(nullptr);
            throw;
        }
        Progress::install(nullptr);
        cliOut() << QStringLiteral("books %1 .. %2\n").arg(s.firstDay, s.lastDay)
                 << QStringLiteral("customers %1, sites %2 (receivable holders %3), specs %4, trucks %5, openings %6\n")
                        .arg(s.customers).arg(s.sites).arg(s.holders).arg(s.specs).arg(s.trucks).arg(s.openings)
                 << QStringLiteral("orders %1, loads %2, sales %3, deposits %4, closing rows %5\n")
                        .arg(s.orders).arg(s.loads).arg(s.sales).arg(s.deposits).arg(s.closings)
                 << QStringLiteral("took %1 s\n").arg(timer.elapsed() / 1000.0, 0, 'f', 1);
        return 0;
    }});
