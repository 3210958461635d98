#pragma once
// The daily deposit journal of one day of a deposit book, as the session's
// processing class sees it (session().SessionLevel). Throws ReportError for a
// bad date or book, DbError when the database fails.
#include "reports/engine/ReportData.h"

#include <QString>

ReportJob depositJournalJob(const QString& ilja, int bookMode);
