#include "reports/engine/ReportRegistry.h"

#include <algorithm>

namespace {
QList<RegisteredReport>& registry()
{
    static QList<RegisteredReport> r;
    return r;
}
} // namespace

bool registerReport(const RegisteredReport& report)
{
    QList<RegisteredReport>& r = registry();
    const auto at = std::lower_bound(r.begin(), r.end(), report.name,
                                     [](const RegisteredReport& a, const QString& n) { return a.name < n; });
    r.insert(at, report);
    return true;
}

const QList<RegisteredReport>& registeredReports() { return registry(); }

const RegisteredReport* findReport(const QString& name)
{
    for (const RegisteredReport& r : registry())
        if (r.name == name || r.templateName == name)
            return &r;
    return nullptr;
}
