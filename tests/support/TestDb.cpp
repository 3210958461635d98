#include "support/TestDb.h"
#include "data/Db.h"
#include "data/Sql.h"

#include <QFile>
#include <QStringList>
#include <QVariant>

namespace {
QString templatePath()
{
    static QTemporaryDir dir;
    static QString path;
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("template.fdb"));
        DbSettings s;
        s.database = path;
        Db::create(s);
        Db::open(s); // creates the schema
        Db::close();
    }
    return path;
}
} // namespace

TestDb::TestDb()
{
    Db::prepareEnvironment();
    path_ = dir_.filePath(QStringLiteral("test.fdb"));
    if (!QFile::copy(templatePath(), path_))
        throw DbError(QStringLiteral("cannot copy the test database"));
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner);
    DbSettings s;
    s.database = path_;
    Db::open(s);
}

TestDb::~TestDb() { Db::close(); }

void insertRow(const QString& table, const QList<QPair<QString, QVariant>>& values)
{
    QStringList cols, marks;
    Sql::Binds binds;
    for (const auto& [c, v] : values) {
        cols << c;
        marks << QStringLiteral("?");
        binds << v;
    }
    Sql::exec(QStringLiteral("insert into %1 (%2) values (%3)").arg(table, cols.join(','), marks.join(',')), binds);
}

QString cliPath() { return qEnvironmentVariable("VARER_CLI"); }
