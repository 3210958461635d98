#pragma once
// The daily sales journal of one day of a book, as the session's processing
// class sees it (session().SessionLevel). Throws ReportError for a bad date
// or book, DbError when the database fails.
#include "reports/engine/ReportData.h"

#include <QString>

ReportJob salesJournalJob(const QString& ilja, int bookMode);
