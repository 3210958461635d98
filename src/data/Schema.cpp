#include "data/Schema.h"
#include "data/SchemaTables.h"
#include "data/Sql.h"

#include <QRegularExpression>

namespace {

bool relationExists(const QString& name)
{
    return Sql::exists(QStringLiteral("select 1 from rdb$relations where rdb$relation_name = ?"),
                       {name.toUpper()});
}

bool indexExists(const QString& name)
{
    return Sql::exists(QStringLiteral("select 1 from rdb$indices where rdb$index_name = ?"), {name.toUpper()});
}

// A CREATE TABLE or CREATE INDEX whose object is already there is skipped, so
// a database made before varer kept a version (the office's own tables) gets
// only what it lacks, and a step can be run again after a failure.
bool alreadyDone(const QString& stmt)
{
    static const QRegularExpression table(QStringLiteral("^\\s*CREATE\\s+TABLE\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression index(QStringLiteral("^\\s*CREATE\\s+(?:UNIQUE\\s+)?INDEX\\s+(\\w+)"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (auto m = table.match(stmt); m.hasMatch())
        return relationExists(m.captured(1));
    if (auto m = index.match(stmt); m.hasMatch())
        return indexExists(m.captured(1));
    return false;
}

void ensureVersionTable()
{
    if (relationExists(QStringLiteral("VARER_SCHEMA")))
        return;
    Sql::exec(QStringLiteral("CREATE TABLE varer_schema (version INTEGER NOT NULL)"));
    Sql::exec(QStringLiteral("INSERT INTO varer_schema (version) VALUES (0)"));
}

QList<Schema::Step> buildSteps()
{
    QStringList v1;
    for (const TableDef& t : schemaTables()) {
        v1 << QStringLiteral("CREATE TABLE %1 %2").arg(t.name, t.columns);
        v1 << t.indexes;
    }
    return {{1, v1}};
}

} // namespace

namespace Schema {

const QList<Step>& steps()
{
    static const QList<Step> s = buildSteps();
    return s;
}

int programVersion() { return steps().last().to; }

int databaseVersion()
{
    if (!relationExists(QStringLiteral("VARER_SCHEMA")))
        return 0;
    return Sql::scalar(QStringLiteral("select max(version) from varer_schema")).toInt();
}

void ensureCurrent() { upgrade(steps()); }

void upgrade(const QList<Step>& all)
{
    const int target = all.isEmpty() ? 0 : all.last().to;
    int version = databaseVersion();
    if (version > target)
        throw DbError(QStringLiteral("데이터베이스가 이 프로그램보다 새 버전입니다 (데이터베이스 %1, 프로그램 %2). "
                                     "새 버전의 varer를 설치하십시오.")
                          .arg(version)
                          .arg(target));
    if (version == target)
        return;
    ensureVersionTable();
    for (const Step& step : all) {
        if (step.to <= version)
            continue;
        // Firebird applies DDL at commit and keeps it transactional: a step
        // and its version mark commit together or not at all. A step that
        // fills a column must come after the step that adds it.
        Transaction tx;
        for (const QString& stmt : step.statements) {
            if (!alreadyDone(stmt))
                Sql::exec(stmt);
        }
        Sql::exec(QStringLiteral("UPDATE varer_schema SET version = ?"), {step.to});
        tx.commit();
        version = step.to;
    }
}

QStringList tableNames()
{
    QStringList names;
    for (const TableDef& t : schemaTables())
        names << t.name;
    return names;
}

} // namespace Schema
