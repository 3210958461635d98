#pragma once
// Every report registers itself here with its name, the options it takes and
// the code that builds a fresh run (definition, rows, labels) from them. The
// windows and `varer-cli report` both find reports here.
#include "reports/engine/ReportData.h"

#include <QList>
#include <QMap>
#include <QString>
#include <functional>

struct ReportOption {
    QString name;       // command-line name without dashes: date, from, to, customer, site, book, level, ...
    QString valueName;  // shown in help: YYYY-MM-DD, CODE, P|Q|R
    QString help;
    bool required = false;
};

// The option values of one run, by option name.
class ReportParams {
public:
    ReportParams() = default;
    ReportParams(std::initializer_list<std::pair<const QString, QString>> values) : values_(values) {}
    void set(const QString& name, const QString& value) { values_.insert(name, value); }
    QString value(const QString& name, const QString& fallback = QString()) const
    {
        return values_.value(name, fallback);
    }
    bool has(const QString& name) const { return values_.contains(name); }
    const QMap<QString, QString>& values() const { return values_; }
private:
    QMap<QString, QString> values_;
};

struct RegisteredReport {
    QString name;          // command-line name, e.g. customers
    QString templateName;  // e.g. qr_cust_f1
    QString title;         // Korean title
    QList<ReportOption> options;
    // Builds a fresh run from the options: queries the database, fills the
    // labels. Throws DbError or ReportError.
    std::function<ReportJob(const ReportParams&)> build;
};

bool registerReport(const RegisteredReport& report);
const QList<RegisteredReport>& registeredReports();
// By command-line name or template name; nullptr when unknown.
const RegisteredReport* findReport(const QString& name);

// Registers a report from a static initialiser in its own source file:
// VARER_REPORT(RegisteredReport{...});
#define VARER_REPORT_CONCAT2(a, b) a##b
#define VARER_REPORT_CONCAT(a, b) VARER_REPORT_CONCAT2(a, b)
#define VARER_REPORT(...) \
    static const bool VARER_REPORT_CONCAT(varerReportRegistered_, __LINE__) = registerReport(__VA_ARGS__)
