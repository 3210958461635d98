#include "data/Backup.h"
#include "data/Config.h"
#include "data/Sql.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QStandardPaths>
#include <ibase.h>

namespace {

QString statusText(const ISC_STATUS* status)
{
    QStringList parts;
    char buf[1024];
    const ISC_STATUS* p = status;
    while (fb_interpret(buf, sizeof buf, &p))
        parts << QString::fromUtf8(buf);
    return parts.join(QLatin1Char(' '));
}

void appendShort(QByteArray& b, int v)
{
    b.append(char(v & 0xff)).append(char((v >> 8) & 0xff));
}

void appendLong(QByteArray& b, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        b.append(char((v >> (8 * i)) & 0xff));
}

// A parameter with a two-byte length, as the start of a service action takes it.
void appendString(QByteArray& b, char tag, const QByteArray& value)
{
    b.append(tag);
    appendShort(b, int(value.size()));
    b.append(value);
}

int readInt(const char*& p, int bytes)
{
    const int v = int(isc_vax_integer(p, short(bytes)));
    p += bytes;
    return v;
}

// The service manager that serves a database location and the database's
// name as that service manager sees it.
struct Where {
    QByteArray service;
    QByteArray database;
};

Where whereOf(const DbSettings& s)
{
    if (s.isRemote()) {
        const int colon = int(s.database.indexOf(QLatin1Char(':')));
        return {s.database.left(colon).toUtf8() + ":service_mgr", s.database.mid(colon + 1).toUtf8()};
    }
    return {"service_mgr", QFile::encodeName(QFileInfo(s.database).absoluteFilePath())};
}

// One attachment to a service manager running one action.
class Service {
public:
    explicit Service(const DbSettings& s)
    {
        Db::prepareEnvironment(); // the embedded service manager must share the program's engine settings
        const Where w = whereOf(s);
        QByteArray spb;
        spb.append(char(isc_spb_version)).append(char(isc_spb_current_version));
        const QByteArray user = (s.user.isEmpty() ? QStringLiteral("SYSDBA") : s.user).toUtf8();
        spb.append(char(isc_spb_user_name)).append(char(user.size())).append(user);
        if (!s.password.isEmpty()) {
            const QByteArray pw = s.password.toUtf8();
            spb.append(char(isc_spb_password)).append(char(pw.size())).append(pw);
        }
        ISC_STATUS_ARRAY st{};
        if (isc_service_attach(st, 0, w.service.constData(), &handle_, static_cast<unsigned short>(spb.size()),
                               spb.constData()))
            throw DbError(QStringLiteral("%1: %2").arg(QString::fromUtf8(w.service), statusText(st)));
    }

    ~Service()
    {
        if (handle_) {
            ISC_STATUS_ARRAY st{};
            isc_service_detach(st, &handle_);
        }
    }

    Service(const Service&) = delete;
    Service& operator=(const Service&) = delete;

    void start(const QByteArray& spb)
    {
        ISC_STATUS_ARRAY st{};
        if (isc_service_start(st, &handle_, nullptr, static_cast<unsigned short>(spb.size()), spb.constData()))
            throw DbError(statusText(st));
    }

    // Copies what the running action writes to its standard output into out
    // until the action ends. A failure of the action arrives as the error of
    // a query.
    void follow(QIODevice& out)
    {
        const char items[] = {char(isc_info_svc_to_eof)};
        QByteArray poll; // wait at most a second for each answer
        poll.append(char(isc_info_svc_timeout));
        appendShort(poll, 4);
        appendLong(poll, 1);
        poll.append(char(isc_info_end));

        QByteArray result(32000, '\0');
        for (;;) {
            ISC_STATUS_ARRAY st{};
            if (isc_service_query(st, &handle_, nullptr, static_cast<unsigned short>(poll.size()), poll.constData(),
                                  sizeof items, items, static_cast<unsigned short>(result.size()), result.data()))
                throw DbError(statusText(st));

            bool more = false;
            const char* p = result.constData();
            const char* const end = p + result.size();
            while (p < end && *p != isc_info_end) {
                const char tag = *p++;
                switch (tag) {
                case isc_info_svc_to_eof: {
                    const int len = readInt(p, 2);
                    if (len > 0) {
                        more = true;
                        if (out.write(p, len) != len)
                            throw DbError(out.errorString());
                    }
                    p += len;
                    break;
                }
                case isc_info_truncated:
                case isc_info_svc_timeout:
                case isc_info_data_not_ready:
                    more = true;
                    break;
                default:
                    throw DbError(QStringLiteral("unexpected answer %1 from the service manager").arg(int(tag)));
                }
            }
            if (!more)
                return;
        }
    }

private:
    isc_svc_handle handle_ = 0;
};

QString gbakProgram()
{
    QString p = QStandardPaths::findExecutable(QStringLiteral("gbak"));
    if (p.isEmpty())
        p = QStandardPaths::findExecutable(QStringLiteral("gbak"), {QStringLiteral("/usr/lib/x86_64-linux-gnu/firebird/3.0/bin"),
                                                                  QStringLiteral("/opt/firebird/bin")});
    return p;
}

} // namespace

namespace Backup {

QString fileNameFor(const QDate& day)
{
    return day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".fbk");
}

void toFile(const DbSettings& database, const QString& file)
{
    if (database.database.isEmpty())
        throw DbError(QStringLiteral("데이터베이스 위치가 지정되지 않았습니다."));
    if (!Db::exists(database))
        throw DbError(QStringLiteral("%1: 데이터베이스 파일이 없습니다.").arg(database.database));
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        throw DbError(QStringLiteral("%1: 백업 파일을 만들 수 없습니다. %2").arg(file, out.errorString()));

    Service service(database);
    QByteArray spb;
    spb.append(char(isc_action_svc_backup));
    appendString(spb, isc_spb_dbname, whereOf(database).database);
    appendString(spb, isc_spb_bkp_file, "stdout");
    service.start(spb);
    service.follow(out);

    if (out.pos() == 0)
        throw DbError(QStringLiteral("%1: 백업 자료가 비어 있습니다.").arg(file));
    if (!out.commit())
        throw DbError(QStringLiteral("%1: 백업 파일을 쓸 수 없습니다. %2").arg(file, out.errorString()));
}

QString toFolder(const DbSettings& database, const QString& folder, const QDate& day)
{
    if (folder.isEmpty())
        throw DbError(QStringLiteral("백업 폴더가 지정되지 않았습니다."));
    if (!QFileInfo(folder).isDir()) {
        if (QDir::cleanPath(folder) != QDir::cleanPath(Config::defaultBackupDir()) || !QDir().mkpath(folder))
            throw DbError(QStringLiteral("%1: 백업 폴더가 없습니다.").arg(folder));
    }
    const QString file = QDir(folder).filePath(fileNameFor(day));
    toFile(database, file);
    return file;
}

void restore(const QString& file, const DbSettings& target, bool replace)
{
    // The restore runs in Firebird's own gbak as a client of the target: the
    // embedded service manager of Firebird 3.0 can crash its process on exit
    // after a restore, so it is kept out of ours.
    if (target.database.isEmpty())
        throw DbError(QStringLiteral("복원할 데이터베이스 위치가 지정되지 않았습니다."));
    if (!QFileInfo(file).isFile())
        throw DbError(QStringLiteral("%1: 백업 파일이 없습니다.").arg(file));
    const bool existed = !target.isRemote() && QFileInfo::exists(target.database);
    if (existed && !replace)
        throw DbError(QStringLiteral("%1: 이미 있는 데이터베이스입니다.").arg(target.database));
    const QString gbak = gbakProgram();
    if (gbak.isEmpty())
        throw DbError(QStringLiteral("gbak 프로그램을 찾을 수 없습니다 (firebird3.0-utils 패키지)."));
    if (!target.isRemote())
        QDir().mkpath(QFileInfo(target.database).absolutePath());

    Db::prepareEnvironment(); // gbak inherits the program's engine settings
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("ISC_USER"), target.user.isEmpty() ? QStringLiteral("SYSDBA") : target.user);
    if (!target.password.isEmpty())
        env.insert(QStringLiteral("ISC_PASSWORD"), target.password); // not on the command line
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(gbak, {replace ? QStringLiteral("-replace_database") : QStringLiteral("-create_database"),
                   QFileInfo(file).absoluteFilePath(),
                   target.isRemote() ? target.database : QFileInfo(target.database).absoluteFilePath()});
    if (!p.waitForStarted())
        throw DbError(QStringLiteral("%1: %2").arg(gbak, p.errorString()));
    p.closeWriteChannel(); // a truncated file makes gbak ask for the next volume: answer with end of input
    p.waitForFinished(-1);
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        if (!existed && !target.isRemote())
            QFile::remove(target.database); // leave no half-restored database behind
        QString reason = QString::fromLocal8Bit(p.readAll()).simplified();
        if (reason.isEmpty())
            reason = QStringLiteral("gbak: exit status %1").arg(p.exitCode());
        throw DbError(QStringLiteral("%1: 복원하지 못했습니다. %2").arg(target.database, reason));
    }
}

} // namespace Backup
