#pragma once
// The one database connection of the program ("asc"), on an embedded
// database file or on a Firebird server ("host:path").
#include <QSqlDatabase>
#include <QString>

struct DbSettings {
    QString database; // a file path (embedded) or host:path / host/port:path (server)
    QString user;
    QString password;

    // From Config (settings file, environment, command line).
    static DbSettings fromConfig();
    bool isRemote() const;
};

namespace Db {

inline constexpr char ConnectionName[] = "asc";

// Makes embedded Firebird usable by several processes at once (the desktop
// and varer-cli on one file): points FIREBIRD at a private root whose
// firebird.conf says ServerMode = SuperClassic, and sets the lock folder.
// Runs before the first Firebird call; leaves variables the user set alone.
void prepareEnvironment();

// Opens the shared connection and brings the schema up to date.
// Throws DbError naming the location and the server's reason.
void open(const DbSettings& s);
void close();
bool isOpen();
QSqlDatabase connection();
const DbSettings& current();

// Creates an empty database (dialect 3, UTF8, page size 8192). Refuses an
// existing local file unless replace is set. Does not open it.
void create(const DbSettings& s, bool replace = false);

// True when a local database file exists at the location (always true for a server).
bool exists(const DbSettings& s);

} // namespace Db
