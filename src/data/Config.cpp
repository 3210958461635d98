#include "data/Config.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace {
QMap<QString, QString>& overrides()
{
    static QMap<QString, QString> m;
    return m;
}

QString homeBased(QStandardPaths::StandardLocation loc, const QString& envVar, const QString& fallback)
{
    const QString env = qEnvironmentVariable(envVar.toUtf8().constData());
    if (!env.isEmpty())
        return env;
    const QString p = QStandardPaths::writableLocation(loc);
    return p.isEmpty() ? QDir::homePath() + fallback : p;
}
} // namespace

namespace Config {

QString settingsFile()
{
    const QString env = qEnvironmentVariable("VARER_CONFIG");
    if (!env.isEmpty())
        return env;
    return homeBased(QStandardPaths::GenericConfigLocation, "XDG_CONFIG_HOME", "/.config")
        + "/varer/varer.ini";
}

QString defaultDatabase()
{
    return homeBased(QStandardPaths::GenericDataLocation, "XDG_DATA_HOME", "/.local/share")
        + "/varer/zididir.fdb";
}

QString defaultBackupDir()
{
    return homeBased(QStandardPaths::GenericDataLocation, "XDG_DATA_HOME", "/.local/share")
        + "/varer/backup";
}

QString value(const QString& key, const QString& fallback)
{
    if (auto it = overrides().constFind(key); it != overrides().constEnd())
        return it.value();
    const QByteArray envName = "VARER_" + key.toUpper().toUtf8();
    if (qEnvironmentVariableIsSet(envName.constData()))
        return qEnvironmentVariable(envName.constData());
    QSettings s(settingsFile(), QSettings::IniFormat);
    const QVariant v = s.value(key);
    if (v.isValid())
        return v.toString();
    if (key == "database")
        return defaultDatabase();
    if (key == "backup_dir")
        return defaultBackupDir();
    return fallback;
}

void setOverride(const QString& key, const QString& v) { overrides().insert(key, v); }
void clearOverrides() { overrides().clear(); }

} // namespace Config
