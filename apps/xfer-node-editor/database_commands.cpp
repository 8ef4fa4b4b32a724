// --database, init-db and copy-db: which configuration database the program uses, creating
// one, and moving a site's configuration between the file and a database server.

#include <unistd.h>

#include <chrono>
#include <iomanip>
#include <iostream>
#include <memory>

#include "data/database_choice.h"
#include "data/database_copy.h"
#include "host/database_location.h"
#include "program.h"

namespace xfer::app {

namespace {

struct CopyOptions {
    std::string from;
    std::string to;
};

int InitDb(const Program& program, bool demo) {
    const platform::PlatformServices services(program.machine());
    const host::DatabaseLocation where = host::LocateDatabase(services.view());
    const std::string created = host::InitDatabase(services.view(), demo);
    std::cout << "created the configuration database " << (demo ? "with the demo data " : "")
              << (where.server ? "on the PostgreSQL server " + data::ShownConnectionInfo(created)
                               : "at " + created)
              << "\n";
    return kOk;
}

// One line at the end; on a terminal, progress on stderr once the copy has taken a second.
int CopyDb(const CopyOptions& options) {
    const data::DatabaseAddress from = data::ParseDatabaseAddress(options.from);
    const data::DatabaseAddress to = data::ParseDatabaseAddress(options.to);
    const auto start = std::chrono::steady_clock::now();
    const auto seconds = [&] {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    const bool terminal = ::isatty(STDERR_FILENO) != 0;
    bool shown = false;
    const auto tables = data::CopyDatabase(from, to, [&](const data::CopyProgress& done) {
        if (!terminal || seconds() < 1.0)
            return;
        std::cerr << "\rcopying: " << done.tables << " of " << done.totalTables << " tables, "
                  << done.rows << " rows" << std::flush;
        shown = true;
    });
    if (shown)
        std::cerr << "\n";
    long long rows = 0;
    for (const data::CopiedTable& table : tables)
        rows += table.rows;
    std::cout << "copied " << from.describe() << " to " << to.describe() << ": " << tables.size()
              << " tables, " << rows << " rows in " << std::fixed << std::setprecision(1)
              << seconds() << " s\n";
    return kOk;
}

}  // namespace

platform::PlatformParts Program::machine() const {
    platform::PlatformParts parts;
    std::map<std::string, std::string> options;
    if (!database.empty())
        options[data::kDatabaseOption] = database;
    parts.settings = std::make_unique<platform::ProcessSettings>(std::move(options));
    return parts;
}

void AddDatabaseCommands(CLI::App& app, Program& program) {
    app.add_option(data::kDatabaseOption, program.database,
                   "use this PostgreSQL server instead of the database file: a libpq connection "
                   "string or a service name (overrides " +
                       std::string(data::kDatabaseServerVariable) + " and the registry value " +
                       data::kDatabaseServerValue + ")");
    // Accepted after the command's name too: `where --database SERVER`. Commands made later
    // inherit this; those made already are told.
    app.fallthrough();
    for (CLI::App* command : app.get_subcommands({}))
        command->fallthrough();

    auto demo = std::make_shared<bool>(false);
    CLI::App* init = app.add_subcommand(
        "init-db",
        "create an empty configuration database where the editor looks for it (on a "
        "server: in its empty database)");
    init->add_flag("--demo", *demo, "fill it with the demo data");
    init->callback([&program, demo] { program.run([&] { return InitDb(program, *demo); }); });

    auto copy = std::make_shared<CopyOptions>();
    CLI::App* copyDb = app.add_subcommand(
        "copy-db",
        "copy a whole configuration database between a file and a server; the target "
        "must be empty (a file that does not exist, a database without tables)");
    copyDb->add_option("FROM", copy->from, "a database file, or a server's connection string")
        ->required();
    copyDb->add_option("TO", copy->to, "a database file, or a server's connection string")
        ->required();
    copyDb->callback([&program, copy] { program.run([&] { return CopyDb(*copy); }); });
}

}  // namespace xfer::app
