#pragma once
// A fresh embedded database for one test: a copy of a database made once per
// test process with the current schema, opened as the shared connection.
#include <QString>
#include <QTemporaryDir>

class TestDb {
public:
    TestDb();
    ~TestDb();
    QString path() const { return path_; }
    // A second, empty location in the same folder (for restore, init tests).
    QString scratchPath(const QString& name) const { return dir_.filePath(name); }
private:
    QTemporaryDir dir_;
    QString path_;
};

// Inserts a row given as column → value pairs; a short way for tests to build fixtures.
void insertRow(const QString& table, const QList<QPair<QString, QVariant>>& values);

// Path of the varer-cli executable under test (set by CTest).
QString cliPath();
