#include "data/Db.h"
#include "data/Config.h"
#include "data/Schema.h"
#include "data/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <ibase.h>
#include <unistd.h>

namespace {

DbSettings g_current;

QString firebirdHome()
{
    const QString env = qEnvironmentVariable("VARER_FIREBIRD_HOME");
    if (!env.isEmpty())
        return env;
    for (const char* p : {"/usr/lib/x86_64-linux-gnu/firebird/3.0", "/usr/lib/aarch64-linux-gnu/firebird/3.0",
                          "/usr/lib/firebird/3.0", "/opt/firebird"}) {
        if (QFileInfo::exists(QString::fromLatin1(p) + "/plugins"))
            return QString::fromLatin1(p);
    }
    return {};
}

QString statusText(const ISC_STATUS* status)
{
    QStringList parts;
    char buf[1024];
    const ISC_STATUS* p = status;
    while (fb_interpret(buf, sizeof buf, &p))
        parts << QString::fromUtf8(buf);
    return parts.join(QLatin1Char(' '));
}

QString quoted(QString s)
{
    return QLatin1Char('\'') + s.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

QString effectiveUser(const DbSettings& s)
{
    return s.user.isEmpty() ? QStringLiteral("SYSDBA") : s.user;
}

} // namespace

DbSettings DbSettings::fromConfig()
{
    DbSettings s;
    s.database = Config::value("database");
    s.user = Config::value("user");
    s.password = Config::value("password");
    return s;
}

bool DbSettings::isRemote() const
{
    // "host:path" or "host/port:path"; a single drive letter is not a host.
    const int colon = int(database.indexOf(QLatin1Char(':')));
    return colon > 1 && !database.startsWith(QLatin1Char('/'));
}

namespace Db {

void prepareEnvironment()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    const QString base = QDir::tempPath() + QStringLiteral("/varer-firebird-%1").arg(getuid());
    if (!qEnvironmentVariableIsSet("FIREBIRD_LOCK")) {
        QDir().mkpath(base + "/lock");
        qputenv("FIREBIRD_LOCK", QFile::encodeName(base + "/lock"));
    }
    if (qEnvironmentVariableIsSet("FIREBIRD"))
        return;
    const QString home = firebirdHome();
    if (home.isEmpty())
        return;
    const QString root = base + "/root";
    QDir().mkpath(root);
    for (const char* name : {"plugins", "intl", "firebird.msg", "plugins.conf", "lib", "UDF"}) {
        const QString link = root + "/" + QLatin1String(name);
        const QString target = home + "/" + QLatin1String(name);
        if (QFileInfo::exists(target) && !QFileInfo(link).isSymLink())
            QFile::link(target, link);
    }
    QFile conf(root + "/firebird.conf");
    if (conf.open(QIODevice::WriteOnly | QIODevice::Truncate))
        conf.write("# written by varer: embedded databases shared by several processes\n"
                   "ServerMode = SuperClassic\n");
    qputenv("FIREBIRD", QFile::encodeName(root));
}

bool exists(const DbSettings& s)
{
    return s.isRemote() || QFileInfo::exists(s.database);
}

void create(const DbSettings& s, bool replace)
{
    prepareEnvironment();
    if (s.database.isEmpty())
        throw DbError(QStringLiteral("데이터베이스 위치가 지정되지 않았습니다."));
    if (!s.isRemote()) {
        QFileInfo fi(s.database);
        if (fi.exists()) {
            if (!replace)
                throw DbError(QStringLiteral("%1: 이미 있는 데이터베이스입니다.").arg(s.database));
            if (!QFile::remove(s.database))
                throw DbError(QStringLiteral("%1: 기존 파일을 지울 수 없습니다.").arg(s.database));
        }
        QDir().mkpath(fi.absolutePath());
    } else if (replace) {
        // Drop the server's database first, if it is there.
        ISC_STATUS_ARRAY st{};
        isc_db_handle h = 0;
        QByteArray dpb;
        dpb.append(char(isc_dpb_version1));
        const QByteArray u = effectiveUser(s).toUtf8(), p = s.password.toUtf8();
        dpb.append(char(isc_dpb_user_name)).append(char(u.size())).append(u);
        dpb.append(char(isc_dpb_password)).append(char(p.size())).append(p);
        const QByteArray path = s.database.toUtf8();
        if (!isc_attach_database(st, 0, path.constData(), &h, short(dpb.size()), dpb.constData()))
            isc_drop_database(st, &h);
    }
    QString sql = QStringLiteral("CREATE DATABASE %1 USER %2").arg(quoted(s.database), quoted(effectiveUser(s)));
    if (!s.password.isEmpty())
        sql += QStringLiteral(" PASSWORD %1").arg(quoted(s.password));
    sql += QStringLiteral(" PAGE_SIZE 8192 DEFAULT CHARACTER SET UTF8");
    const QByteArray stmt = sql.toUtf8();
    ISC_STATUS_ARRAY status{};
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;
    if (isc_dsql_execute_immediate(status, &db, &tr, 0, stmt.constData(), 3, nullptr))
        throw DbError(QStringLiteral("%1: %2").arg(s.database, statusText(status)));
    isc_detach_database(status, &db);
}

void open(const DbSettings& s)
{
    prepareEnvironment();
    close();
    if (s.database.isEmpty())
        throw DbError(QStringLiteral("데이터베이스 위치가 지정되지 않았습니다."));
    if (!s.isRemote() && !QFileInfo::exists(s.database))
        throw DbError(QStringLiteral("데이터베이스를 열 수 없습니다: %1\n파일이 없습니다.").arg(s.database));
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QIBASE"), QLatin1String(ConnectionName));
        db.setDatabaseName(s.database);
        db.setUserName(effectiveUser(s));
        db.setPassword(s.password);
        if (!db.open()) {
            const QSqlError e = db.lastError();
            reason = e.databaseText().trimmed();
            if (reason.isEmpty())
                reason = e.text();
        }
    }
    if (!reason.isNull()) {
        close();
        throw DbError(QStringLiteral("데이터베이스를 열 수 없습니다: %1\n%2").arg(s.database, reason));
    }
    g_current = s;
    try {
        Schema::ensureCurrent();
    } catch (...) {
        close();
        throw;
    }
}

void close()
{
    if (QSqlDatabase::contains(QLatin1String(ConnectionName))) {
        {
            QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(QLatin1String(ConnectionName));
    }
}

bool isOpen()
{
    return QSqlDatabase::contains(QLatin1String(ConnectionName))
        && QSqlDatabase::database(QLatin1String(ConnectionName), false).isOpen();
}

QSqlDatabase connection()
{
    QSqlDatabase db = QSqlDatabase::database(QLatin1String(ConnectionName), false);
    if (!db.isOpen())
        throw DbError(QStringLiteral("데이터베이스에 연결되어 있지 않습니다."));
    return db;
}

const DbSettings& current() { return g_current; }

} // namespace Db
