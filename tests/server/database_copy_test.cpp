// Whole databases on the server: the schema made from schema/schema.sql defines what the file
// defines, copy-db carries every row from file to server and back, and neither copy-db nor
// init-db ever fills a server database that is not empty.

#include "data/database_copy.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "data/schema.h"
#include "runtime/error.h"
#include "support/temp_database.h"
#include "support/test_server.h"

namespace xfer::data {
namespace {

using test::ServerDatabase;
using test::TempFolder;
using Table = std::vector<std::vector<std::string>>;
using Tables = std::map<std::string, Table>;

// Every row of every table of a database file, each value quoted as SQL (NULL is not ''),
// sorted.
Tables FileRows(const std::string& path) {
    Tables tables;
    for (const SchemaTable& table : SchemaTables()) {
        std::string columns;
        for (const SchemaColumn& column : table.columns)
            columns += (columns.empty() ? "quote(" : ", quote(") + column.name + ")";
        Table rows = test::FileRows(path, "SELECT " + columns + " FROM " + table.name);
        std::sort(rows.begin(), rows.end());
        tables[table.name] = std::move(rows);
    }
    return tables;
}

std::set<std::string> Entries(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string Refusal(const std::function<void()>& attempt) {
    try {
        attempt();
    } catch (const runtime::Error& e) {
        return e.description();
    }
    return "taken";
}

// What neither copy-db nor init-db does is fill a server database that is not empty: the rows
// copied back are still exactly the file's.
TEST(DatabaseCopy, FileToServerToFileKeepsEveryRowAndATargetThatIsNotEmptyIsRefused) {
    TempFolder folder;
    const std::string first = (folder.path() / "first.mdb").string();
    std::filesystem::create_directory(folder.path() / "back");
    const std::string back = (folder.path() / "back" / "NewDB.mdb").string();
    CreateConfigurationDatabase(first, true);
    ServerDatabase serverDatabase;
    const auto server = ParseDatabaseAddress(serverDatabase.connectionInfo());
    const auto toServer = CopyDatabase(ParseDatabaseAddress(first), server);
    EXPECT_THAT(Refusal([&] { CopyDatabase(ParseDatabaseAddress(first), server); }),
                testing::HasSubstr("is not empty: it has 34 tables"));
    EXPECT_THAT(Refusal([&] { CreateServerDatabase(server.location, false); }),
                testing::HasSubstr("is not empty"));  // init-db
    const auto toFile = CopyDatabase(server, ParseDatabaseAddress(back));

    ASSERT_EQ(toServer.size(), SchemaTables().size());
    const Tables before = FileRows(first);
    long long rows = 0;
    for (std::size_t i = 0; i < toServer.size(); ++i) {
        EXPECT_EQ(toServer[i].rows, static_cast<long long>(before.at(toServer[i].name).size()));
        EXPECT_EQ(toFile[i].rows, toServer[i].rows) << toServer[i].name;
        rows += toServer[i].rows;
    }
    EXPECT_GT(rows, 300);  // the demo data, not empty tables
    EXPECT_EQ(FileRows(back), before);
}

// A copy from the server into a file, ended by each signal half-way in a child process, leaves
// nothing under the target's name; a signal that can be handled takes the temporary file with
// it, and after a SIGKILL the retry clears what is left. The retry copies every row.
TEST(DatabaseCopy, AnInterruptedCopyIntoAFileLeavesNothingAndARetryWorks) {
    TempFolder folder;
    const std::string source = (folder.path() / "source.mdb").string();
    CreateConfigurationDatabase(source, true);
    ServerDatabase serverDatabase;
    const auto server = ParseDatabaseAddress(serverDatabase.connectionInfo());
    CopyDatabase(ParseDatabaseAddress(source), server);
    const Tables expected = FileRows(source);

    for (const int sig : {SIGINT, SIGTERM, SIGHUP, SIGKILL}) {
        SCOPED_TRACE(strsignal(sig));
        TempFolder target;
        const std::string path = (target.path() / "NewDB.mdb").string();
        const pid_t child = ::fork();
        ASSERT_NE(child, -1);
        if (child == 0) {
            try {
                CopyDatabase(server, ParseDatabaseAddress(path), [&](const CopyProgress& done) {
                    if (done.tables == 3)
                        ::raise(sig);
                });
            } catch (...) {
            }
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == sig) << status;
        const std::set<std::string> left = Entries(target.path());
        EXPECT_EQ(left.count("NewDB.mdb"), 0u);
        if (sig != SIGKILL)
            EXPECT_TRUE(left.empty()) << *left.begin();
        else
            EXPECT_FALSE(left.empty());  // the temporary file, which the retry must not mind

        const auto copied = CopyDatabase(server, ParseDatabaseAddress(path));
        EXPECT_EQ(copied.size(), SchemaTables().size());
        EXPECT_EQ(Entries(target.path()), std::set<std::string>{"NewDB.mdb"});
        EXPECT_EQ(FileRows(path), expected);
    }
}

// A target that is no new file in a folder that exists is refused, and nothing is created.
TEST(DatabaseCopy, RefusesATargetThatIsNoNewFileInAFolderThatExists) {
    TempFolder folder;
    ServerDatabase serverDatabase;
    const auto server = ParseDatabaseAddress(serverDatabase.connectionInfo());
    CreateServerDatabase(server.location, false);
    const std::string taken = (folder.path() / "taken.mdb").string();
    CreateConfigurationDatabase(taken, false);
    const struct {
        std::string to;
        std::string says;
    } cases[] = {
        {"db1",
         "\"db1\" names neither a database file nor a server: write a file as a path "
         "with a folder (./db1) or a name ending in .mdb"},
        {(folder.path() / "no" / "such" / "x.mdb").string(),
         "the folder " + (folder.path() / "no" / "such").string() + " does not exist"},
        {taken, "File already exists: " + taken},
    };
    for (const auto& c : cases) {
        EXPECT_THAT(Refusal([&] { CopyDatabase(server, ParseDatabaseAddress(c.to)); }),
                    testing::HasSubstr(c.says));
    }
    EXPECT_EQ(Entries(folder.path()), std::set<std::string>{"taken.mdb"});
}

// The server's tables as the server describes them, in the file's words.
std::map<std::string, std::string> ServerShape(test::TempDatabase& db) {
    std::map<std::string, std::string> shape;
    for (const auto& r :
         db.rows("SELECT table_name, column_name, data_type, is_nullable, coalesce(column_default, "
                 "'') FROM information_schema.columns WHERE table_schema = current_schema() "
                 "ORDER BY table_name, ordinal_position")) {
        std::string def = r[4].substr(0, r[4].find("::"));
        // Only a BIGINT holds what an SQLite INTEGER holds.
        const std::string type = r[2] == "bigint" ? "integer" : r[2] == "integer" ? "int4" : r[2];
        shape[r[0]] += r[1] + " " + type + (r[3] == "NO" ? " not null" : "") +
                       (def.empty() ? "" : " = " + def) + "; ";
    }
    for (const auto& r :
         db.rows("SELECT t.relname, i.indisprimary, x.relname, string_agg(a.attname, ',' ORDER BY "
                 "k.n) FROM pg_index i JOIN pg_class t ON t.oid = i.indrelid JOIN pg_class x ON "
                 "x.oid = i.indexrelid JOIN pg_namespace s ON s.oid = t.relnamespace, "
                 "unnest(i.indkey) WITH ORDINALITY k(attnum, n) JOIN pg_attribute a ON a.attnum = "
                 "k.attnum WHERE a.attrelid = t.oid AND s.nspname = current_schema() GROUP BY "
                 "t.relname, i.indisprimary, x.relname ORDER BY 1, 2 DESC, 3")) {
        shape[r[0]] += (r[1] == "t" ? "key (" : "index " + r[2] + " (") + r[3] + "); ";
    }
    return shape;
}

// The file's tables as SQLite describes them.
std::map<std::string, std::string> FileShape(const std::string& path) {
    std::map<std::string, std::string> shape;
    const std::string columns =
        " FROM sqlite_master m, pragma_table_info(m.name) p WHERE m.type = 'table'";
    for (const auto& c : test::FileRows(path,
                                        "SELECT lower(m.name), lower(p.name), lower(p.type), "
                                        "p.\"notnull\", p.dflt_value" +
                                            columns + " ORDER BY m.name, p.cid")) {
        shape[c[0]] += c[1] + " " + c[2] + (c[3] == "1" ? " not null" : "") +
                       (c[4].empty() ? "" : " = " + c[4]) + "; ";
    }
    for (const auto& k : test::FileRows(path,
                                        "SELECT t, group_concat(c) FROM (SELECT "
                                        "lower(m.name) t, lower(p.name) c" +
                                            columns +
                                            " AND p.pk > 0 ORDER BY m.name, p.pk) GROUP "
                                            "BY t")) {
        shape[k[0]] += "key (" + k[1] + "); ";
    }
    for (const auto& i :
         test::FileRows(path,
                        "SELECT lower(m.name), lower(i.name), group_concat(lower(c.name)) FROM "
                        "sqlite_master m, pragma_index_list(m.name) i, pragma_index_info(i.name) c "
                        "WHERE m.type = 'table' AND i.origin = 'c' GROUP BY 1, 2 ORDER BY 1, 2")) {
        shape[i[0]] += "index " + i[1] + " (" + i[2] + "); ";
    }
    return shape;
}

// One source, two dialects: the server's tables (made as init-db makes them) have the file's
// columns, types, nullability, defaults, keys and indexes.
TEST(ServerSchema, DefinesTheFilesTablesColumnsTypesAndKeys) {
    test::TempDatabase server(false);
    TempFolder folder;
    const std::string file = (folder.path() / "NewDB.mdb").string();
    CreateConfigurationDatabase(file, false);
    const auto expected = FileShape(file);
    EXPECT_EQ(expected.size(), SchemaTables().size());
    EXPECT_EQ(ServerShape(server), expected);
}

}  // namespace
}  // namespace xfer::data
