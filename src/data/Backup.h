#pragma once
// Backup and restore with Firebird's own backup (the services API of the
// client library). The backup is a consistent snapshot taken while others keep
// working; the live database file is never copied. The backup data travels
// through the service connection, so the file is written on this machine for
// an embedded database and for a server alike.
#include "data/Db.h"

#include <QDate>
#include <QString>

namespace Backup {

// "20240102.fbk": the file a backup of that day is written to.
QString fileNameFor(const QDate& day);

// Writes a backup of the database to the file. An existing file is replaced
// only when the backup succeeded; on failure nothing is left behind.
// Throws DbError with the reason.
void toFile(const DbSettings& database, const QString& file);

// Writes today's backup (fileNameFor) into the folder, replacing a backup of
// the same day. The folder must exist and be writable; only the default
// backup folder is created when missing. Returns the file written.
QString toFolder(const DbSettings& database, const QString& folder, const QDate& day = QDate::currentDate());

// Restores a backup file into a new database at the target location. An
// existing database is refused unless replace is set. Throws DbError.
void restore(const QString& file, const DbSettings& target, bool replace = false);

} // namespace Backup
