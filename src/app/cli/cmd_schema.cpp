#include "app/cli/Cli.h"
#include "data/Schema.h"

VARER_CLI_COMMAND(CliCommand{
    QStringLiteral("schema-version"),
    QStringLiteral("Print the schema version of the database and of this program."),
    true,
    nullptr,
    [](const QCommandLineParser&) {
        cliOut() << "database " << Schema::databaseVersion() << "\nprogram " << Schema::programVersion() << "\n";
        return 0;
    }});
