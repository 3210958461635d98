#include "app/cli/Cli.h"
#include "data/Db.h"
#include "data/Session.h"
#include "reports/engine/ReportExport.h"
#include "reports/engine/ReportLayout.h"
#include "reports/engine/ReportRegistry.h"

#include <QFile>
#include <QSet>

namespace {

const QStringList Formats = {"pdf", "xlsx", "txt", "csv", ReportFileSuffix};

// The options of every registered report, each once.
QList<ReportOption> allReportOptions()
{
    QList<ReportOption> all;
    QSet<QString> seen = {QStringLiteral("level")};
    for (const RegisteredReport& r : registeredReports())
        for (const ReportOption& o : r.options)
            if (!seen.contains(o.name)) {
                seen.insert(o.name);
                all << o;
            }
    return all;
}

void list()
{
    for (const RegisteredReport& r : registeredReports()) {
        cliOut() << r.name << " (" << r.templateName << ")  " << r.title << "\n";
        for (const ReportOption& o : r.options)
            cliOut() << "    --" << o.name << ' ' << o.valueName << (o.required ? "  (required)  " : "  ") << o.help
                     << "\n";
    }
}

bool isDateOption(const ReportOption& o) { return o.valueName == QLatin1String("YYYY-MM-DD"); }

int run(const QCommandLineParser& p)
{
    if (p.isSet(QStringLiteral("list"))) {
        list();
        return 0;
    }
    const QStringList args = p.positionalArguments();
    if (args.size() != 1)
        throw CliUsageError(QStringLiteral("name one report (see varer-cli report --list)"));
    const RegisteredReport* report = findReport(args.first());
    if (!report)
        throw CliUsageError(QStringLiteral("unknown report '%1' (see varer-cli report --list)").arg(args.first()));

    const QString format = p.value(QStringLiteral("format"));
    if (!Formats.contains(format))
        throw CliUsageError(QStringLiteral("--format: one of %1").arg(Formats.join(QLatin1Char('|'))));
    const QString level = p.value(QStringLiteral("level"));
    if (!QStringList{LevelP, LevelQ, LevelR}.contains(level))
        throw CliUsageError(QStringLiteral("--level: P, Q or R"));

    ReportParams params;
    QSet<QString> own;
    for (const ReportOption& o : report->options) {
        own.insert(o.name);
        if (p.isSet(o.name))
            params.set(o.name, isDateOption(o) ? cliDate(p, o.name) : p.value(o.name));
        else if (o.required)
            throw CliUsageError(QStringLiteral("report %1 needs --%2").arg(report->name, o.name));
    }
    for (const ReportOption& o : allReportOptions())
        if (!own.contains(o.name) && p.isSet(o.name))
            throw CliUsageError(QStringLiteral("report %1 does not take --%2").arg(report->name, o.name));

    Db::open(DbSettings::fromConfig());
    session().loadCompany();
    session().SessionLevel = level;
    const ReportDocument doc = layoutReport(report->build(params));

    QString out = p.value(QStringLiteral("out"));
    const bool toStdout = out.isEmpty() && (format == QLatin1String("csv") || format == QLatin1String("txt"));
    if (toStdout) {
        cliOut().flush();
        QFile stdOut;
        if (!stdOut.open(stdout, QIODevice::WriteOnly))
            throw std::runtime_error("cannot write to standard output");
        stdOut.write(format == QLatin1String("csv") ? ReportExport::csv(doc) : ReportExport::text(doc));
        return 0;
    }
    if (out.isEmpty())
        out = report->name + QLatin1Char('.') + format;
    ReportExport::write(doc, format, out);
    cliOut() << "wrote " << out << " (" << doc.pageCount() << " pages, " << doc.printedRows.size() << " rows)\n";
    return 0;
}

} // namespace

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("report"),
    QStringLiteral("Write a report to a file (pdf, xlsx, txt, csv); --list names the reports."),
    false,
    [](QCommandLineParser& p) {
        p.addPositionalArgument(QStringLiteral("name"), QStringLiteral("The report (see --list)."));
        p.addOption({QStringLiteral("list"), QStringLiteral("Name every report and its options.")});
        p.addOption({QStringLiteral("format"), QStringLiteral("pdf, xlsx, txt, csv or vrp (the previewer's file)."),
                     QStringLiteral("FORMAT"), QStringLiteral("pdf")});
        p.addOption({QStringLiteral("out"),
                     QStringLiteral("The file to write; csv and txt go to standard output without it, "
                                    "pdf and xlsx to NAME.FORMAT."),
                     QStringLiteral("FILE")});
        p.addOption({QStringLiteral("level"),
                     QStringLiteral("Processing class P, Q or R for reports that follow it (default Q: every row)."),
                     QStringLiteral("P|Q|R"), QStringLiteral("Q")});
        // Reports give the same option different meanings: --list tells each one's.
        for (const ReportOption& o : allReportOptions())
            p.addOption({o.name, QStringLiteral("For the reports that take it (see --list)."), o.valueName});
    },
    run});
