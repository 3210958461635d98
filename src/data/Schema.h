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
// Each step runs in one transaction with its version mark: a failed step
// leaves the database at the previous version with every row. CREATE TABLE
// and CREATE INDEX of an object that exists are skipped (a database made
// before varer kept a version gets only what it lacks). Statements that use
// a column or table are not in the step that creates it.
// Throws DbError when the database is newer than the last step.
void ensureCurrent();
void upgrade(const QList<Step>& steps);

// The program's upgrade steps.
const QList<Step>& steps();

// Every table the system uses, lower case.
QStringList tableNames();

} // namespace Schema
