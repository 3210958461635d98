#pragma once
// The database's tables, created and upgraded by varer itself. A database
// records its schema version in varer_schema; opening it upgrades an older
// one in place and refuses one newer than the program.
#include <QList>
#include <QString>
#include <QStringList>

namespace Schema {

// One upgrade: the statements that take a database from version (to - 1) to `to`.
struct Step {
    int to;
    QStringList statements;
};

// The version this program writes and reads.
int programVersion();

// The version recorded in the open database; 0 when it has no version table.
int databaseVersion();

// Upgrades the open database through `steps` (default: the program's own).
// A step's statements run one by one; CREATE TABLE and CREATE INDEX of an
// object that exists are skipped, so a step broken off half-way runs again
// cleanly, and the version moves only once the whole step is done.
// Throws DbError when the database is newer than the last step.
void ensureCurrent();
void upgrade(const QList<Step>& steps);

// The program's upgrade steps.
const QList<Step>& steps();

// Every table the system uses, lower case.
QStringList tableNames();

} // namespace Schema
