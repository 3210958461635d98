// Receivable balances over a large office: the balance at one day of every
// receivable holder (a) with the single-holder routine, (b) with the
// set-based form, and (c) one full scan of the sales and deposit books; then
// the closing of the last year.
//
//   bench_balances [--database PATH] [--years N] [--customers C] [--sites S]
//                  [--seed K] [--sample H] [--day YYYY-MM-DD]
//
// A database that does not exist yet is created and filled by the office
// generator first (10 years, 1,000 customers, 5,000 sites by default). The
// single-holder routine runs on every holder when --sample is 0, otherwise on
// an even sample of H holders, and its time for all holders is extrapolated.
// The closing of the last year rewrites that year's closing rows.
#include "data/Db.h"
#include "data/Session.h"
#include "data/Sql.h"
#include "receivables/Balance.h"
#include "receivables/OfficeGenerator.h"
#include "receivables/YearClosing.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

void say(const QString& line) { std::printf("%s\n", line.toUtf8().constData()); std::fflush(stdout); }

QString ms(double v) { return QString::number(v, 'f', v < 10 ? 2 : 0) + QStringLiteral(" ms"); }

// Processor time of the whole process (the embedded engine runs inside it), in milliseconds.
double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Elapsed and processor time of one run, in milliseconds.
struct Took {
    double wall = 0;
    double cpu = 0;
    QString text() const { return ms(wall) + QStringLiteral(" (cpu ") + ms(cpu) + QStringLiteral(")"); }
};

template <typename Fn> Took timed(Fn fn)
{
    QElapsedTimer timer;
    const double c0 = cpuMs();
    timer.start();
    fn();
    return {timer.nsecsElapsed() / 1e6, cpuMs() - c0};
}

// The run with the least processor time of `runs` runs.
template <typename Fn> Took best(int runs, Fn fn)
{
    Took t{1e300, 1e300};
    for (int i = 0; i < runs; ++i) {
        const Took r = timed(fn);
        if (r.cpu < t.cpu)
            t = r;
    }
    return t;
}

} // namespace

int main(int argc, char** argv)
{
    Db::prepareEnvironment();
    QCoreApplication app(argc, argv);
    QCommandLineParser p;
    p.addHelpOption();
    p.addOption({"database", "Database file (generated when it does not exist).", "PATH"});
    p.addOption({"years", "Years to generate.", "N", "10"});
    p.addOption({"customers", "Customers to generate.", "C", "1000"});
    p.addOption({"sites", "Sites to generate.", "S", "5000"});
    p.addOption({"seed", "Seed of the generator.", "K", "1"});
    p.addOption({"sample", "Holders timed with the single-holder routine (0: all).", "H", "500"});
    p.addOption({"day", "The cut-off day (default: the last day with sales).", "YYYY-MM-DD"});
    p.process(app);

    QTemporaryDir scratch;
    DbSettings s;
    s.database = p.isSet("database") ? p.value("database") : scratch.filePath(QStringLiteral("bench.fdb"));
    try {
        if (!QFileInfo::exists(s.database)) {
            GenerateOptions o;
            o.years = p.value("years").toInt();
            o.customers = p.value("customers").toInt();
            o.sites = p.value("sites").toInt();
            o.seed = p.value("seed").toUInt();
            say(QStringLiteral("generating %1 years, %2 customers, %3 sites into %4 ...")
                    .arg(o.years).arg(o.customers).arg(o.sites).arg(s.database));
            Db::create(s);
            Db::open(s);
            QElapsedTimer timer;
            timer.start();
            const GenerateSummary g = GenerateOffice(o);
            say(QStringLiteral("generated in %1 s: %2 sales, %3 deposits, %4 orders, %5 loads, %6 closing rows")
                    .arg(timer.elapsed() / 1000.0, 0, 'f', 1)
                    .arg(g.sales).arg(g.deposits).arg(g.orders).arg(g.loads).arg(g.closings));
        } else {
            Db::open(s);
        }
        session().loadCompany();

        const qint64 sales = Sql::scalar(QStringLiteral("select count(*) from r_mast")).toLongLong();
        const qint64 deposits = Sql::scalar(QStringLiteral("select count(*) from r_ipkum")).toLongLong();
        const QString firstDay = Sql::scalar(QStringLiteral("select min(ilja) from r_mast")).toString();
        const QString lastDay = Sql::scalar(QStringLiteral("select max(ilja) from r_mast")).toString();
        const QString day = p.isSet("day") ? p.value("day") : lastDay;
        const int sites = Sql::scalar(QStringLiteral("select count(*) from r_hyunjang")).toInt();
        say(QStringLiteral("office: %1 sales rows and %2 deposit rows from %3 to %4, %5 sites; cut-off %6")
                .arg(sales).arg(deposits).arg(firstDay, lastDay).arg(sites).arg(day));

        // (c) one full scan of the two books.
        const Took scan = best(3, [] {
            Sql::scalar(QStringLiteral("select sum(hap) from r_mast"));
            Sql::scalar(QStringLiteral("select sum(hyun) from r_ipkum"));
        });

        // (b) set-based, every holder.
        QList<HolderBalanceRow> all;
        const Took set = best(3, [&] { all = HolderBalances(Cutoff::AtDay, day); });
        const int holders = int(all.size());

        // (a) one holder at a time, on a sample.
        const int wanted = p.value("sample").toInt();
        const int step = wanted <= 0 || wanted >= holders ? 1 : holders / wanted;
        int sampled = 0, differ = 0, integrated = 0;
        Took sample, integratedSample;
        for (int i = 0; i < holders; i += step) {
            const HolderBalanceRow& r = all.at(i);
            const Took one = timed([&] {
                if (HolderBalance(r.grcd, r.code, Cutoff::AtDay, day) != r.balance)
                    ++differ;
            });
            sample.wall += one.wall;
            sample.cpu += one.cpu;
            ++sampled;
            if (r.code == QLatin1String("000")) {
                integratedSample.wall += one.wall;
                integratedSample.cpu += one.cpu;
                ++integrated;
            }
        }
        const Took perHolder{sample.wall / sampled * holders, sample.cpu / sampled * holders};

        say(QStringLiteral("(a) per holder:  %1 for %2 of %3 holders -> %4 for all%5")
                .arg(sample.text()).arg(sampled).arg(holders).arg(perHolder.text())
                .arg(sampled < holders ? QStringLiteral(" (extrapolated)") : QString()));
        if (integrated > 0 && integrated < sampled)
            say(QStringLiteral("    each: %1 cpu for a site, %2 cpu for a site 000 (its customer's class-G sales)")
                    .arg(ms((sample.cpu - integratedSample.cpu) / (sampled - integrated)))
                    .arg(ms(integratedSample.cpu / integrated)));
        say(QStringLiteral("(b) set-based:   %1 for all %2 holders (best of 3)").arg(set.text()).arg(holders));
        say(QStringLiteral("(c) full scan:   %1 (sum(hap) of r_mast + sum(hyun) of r_ipkum, best of 3)").arg(scan.text()));
        say(QStringLiteral("b/a = %1 elapsed, %2 cpu  (set-based %3 / %4 times faster; target at least 50)")
                .arg(set.wall / perHolder.wall, 0, 'f', 4).arg(set.cpu / perHolder.cpu, 0, 'f', 4)
                .arg(perHolder.wall / set.wall, 0, 'f', 1).arg(perHolder.cpu / set.cpu, 0, 'f', 1));
        say(QStringLiteral("b/c = %1 elapsed, %2 cpu  (target at most 1)")
                .arg(set.wall / scan.wall, 0, 'f', 3).arg(set.cpu / scan.cpu, 0, 'f', 3));
        say(QStringLiteral("per-holder and set-based balances differ for %1 of %2 holders compared").arg(differ).arg(sampled));

        // The closing of the last year.
        const int year = lastDay.left(4).toInt();
        int rows = 0;
        const Took closing = timed([&] { rows = YearClosing(year); });
        say(QStringLiteral("YearClosing %1: %2 rows in %3").arg(year).arg(rows).arg(closing.text()));
        Db::close();
        return differ == 0 ? 0 : 1;
    } catch (const DbError& e) {
        std::fprintf(stderr, "bench_balances: %s\n", e.message().toUtf8().constData());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench_balances: %s\n", e.what());
        return 1;
    }
}
