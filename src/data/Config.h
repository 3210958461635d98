#pragma once
// Run-time configuration: database location, credentials and folders.
// Sources, weakest first: the settings file, VARER_* environment variables,
// command-line options. Nothing here has a built-in credential.
#include <QMap>
#include <QString>
#include <QStringList>

namespace Config {

// Keys understood everywhere: database, user, password, backup_dir, picture_dir.
QString value(const QString& key, const QString& fallback = {});

// Command-line values win over everything else; the programs call this once
// after parsing their options.
void setOverride(const QString& key, const QString& value);
void clearOverrides();

// The settings file: $VARER_CONFIG, else <config dir>/varer/varer.ini.
QString settingsFile();

// The embedded database used when nothing names one: <data dir>/varer/zididir.fdb.
QString defaultDatabase();

// The folder that receives backups when none is configured.
QString defaultBackupDir();

} // namespace Config
