#pragma once
#include <QList>
#include <QString>
#include <QStringList>

struct TableDef {
    QString name;
    QString columns;   // the parenthesised column list of CREATE TABLE
    QStringList indexes;
};

QList<TableDef> schemaTables();
QStringList salesIndexes(const QString& table);
QStringList depositIndexes(const QString& table);
