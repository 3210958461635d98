// varer: the desktop program of the sales office.
#include "app/desktop/Artwork.h"
#include "app/desktop/MainWindow.h"
#include "app/desktop/WindowRegistry.h"
#include "data/Config.h"
#include "data/Db.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QLibraryInfo>
#include <QLocale>
#include <QSplashScreen>
#include <QTranslator>
#include <cstdlib>
#include <ibase.h>

// Firebird takes SIGINT and SIGTERM to close its connections first; once it
// has, the program ends as the signal asks (the window loop would otherwise
// run on without a database).
static int endOnSignal(const int reason, const int, void*)
{
    if (reason == fb_shutrsn_signal)
        std::_Exit(1);
    return 0;
}

int main(int argc, char** argv)
{
    Db::prepareEnvironment(); // before the first Firebird call
    QApplication app(argc, argv);
    ISC_STATUS_ARRAY status{};
    fb_shutdown_callback(status, endOnSignal, fb_shut_finish, nullptr);
    QApplication::setApplicationName(QStringLiteral("varer"));
    QApplication::setApplicationDisplayName(QStringLiteral("varer")); // the title until the company is read
    QApplication::setWindowIcon(Artwork::appIcon());
    QApplication::setFont(QFont(QStringLiteral("NanumGothic"), 10)); // the system font has no Hangul

    // Qt's own dialogs (printer set-up, buttons of message boxes) in Korean.
    QTranslator qtKorean;
    if (qtKorean.load(QLocale(QLocale::Korean), QStringLiteral("qtbase"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtKorean);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("레미콘 영업 관리"));
    parser.addHelpOption();
    const QCommandLineOption database(QStringLiteral("database"),
                                      QStringLiteral("Database: a file path (embedded) or host:path (server)."),
                                      QStringLiteral("LOC"));
    const QCommandLineOption user(QStringLiteral("user"), QStringLiteral("Database user."), QStringLiteral("NAME"));
    const QCommandLineOption password(QStringLiteral("password"), QStringLiteral("Database password."),
                                      QStringLiteral("PW"));
    const QCommandLineOption config(QStringLiteral("config"), QStringLiteral("Settings file."), QStringLiteral("FILE"));
    parser.addOptions({database, user, password, config});
    parser.process(app);
    if (parser.isSet(config))
        qputenv("VARER_CONFIG", parser.value(config).toUtf8());
    for (const QCommandLineOption* o : {&database, &user, &password})
        if (parser.isSet(*o))
            Config::setOverride(o->names().first(), parser.value(*o));

    QSplashScreen splash(Artwork::splash());
    splash.show();
    app.processEvents();

    WindowRegistry registry;
    registerAppWindows(registry);
    TZIDIDIR window(registry);
    window.show();
    splash.finish(&window);
    // The first showing connects, reads the company and shows the login; the
    // program ends when the main window closes.
    return app.exec();
}
