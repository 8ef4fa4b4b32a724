#include "host/database_location.h"

#include <cstdlib>
#include <filesystem>

#include "data/database.h"
#include "data/database_choice.h"
#include "data/database_copy.h"
#include "data/folders.h"
#include "data/schema.h"
#include "runtime/error.h"

namespace xfer::host {

namespace {
bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
}  // namespace

DatabaseLocation LocateDatabase(const platform::Platform& platform) {
    if (const data::DatabaseChoice choice = data::ChooseDatabase(platform); choice.onServer())
        return {choice.server, choice.how, false, true};
    const data::VDACOMPlusFilesAndFolders folders(platform);
    DatabaseLocation where{folders.GetDatabaseFolder() + data::names::kDatabaseFile, {}, false};
    const std::string shellFolder = folders.GetSpecialFolder(platform::kCsidlCommonAppData);
    if (folders.productFolderSource() == "shell") {
        const char* env = std::getenv("PROGRAMDATA");
        where.how = "shell folder: common application data is " + shellFolder +
                    (env != nullptr && *env != '\0' ? " (from PROGRAMDATA)" : " (the default)");
    } else {
        const std::string folder = folders.GetCommonAppDataFolder();
        where.how =
            "registry: \"Common AppData\" in " + std::string(platform::kDefaultRegistryFile) +
            (folder.empty() ? " is not set" : " is " + folder) + " (no " + shellFolder + "/" +
            data::names::kCompanyFolder + "/" + data::names::kProductFolder + " folder)";
    }
    data::CheckConnectablePath(where.path);
    where.exists = IsFile(where.path);
    return where;
}

ServerState ProbeServer(const std::string& connectionInfo) {
    try {
        return {true, data::ServerTableCount(connectionInfo), {}};
    } catch (const runtime::Error& error) {
        return {false, 0, error.description()};
    }
}

namespace {

// Where a new database file goes: with no registry answer the database goes under the shell
// folder, where the next resolution finds it.
std::string NewFilePath(const platform::Platform& platform, const DatabaseLocation& where) {
    const data::VDACOMPlusFilesAndFolders folders(platform);
    const bool byRegistry =
        folders.productFolderSource() == "registry" && !folders.GetCommonAppDataFolder().empty();
    const std::string target =
        byRegistry ? where.path
                   : folders.GetSpecialFolder(platform::kCsidlCommonAppData) + "/" +
                         data::names::kCompanyFolder + "/" + data::names::kProductFolder + "/" +
                         data::names::kDatabaseFolder + "/" + data::names::kDatabaseFile;
    // Refused before anything is created on disk.
    data::CheckConnectablePath(target);
    return target;
}

}  // namespace

std::string NewDatabaseFile(const platform::Platform& platform) {
    return NewFilePath(platform, LocateDatabase(platform));
}

std::string InitDatabase(const platform::Platform& platform, bool withDemoData) {
    const DatabaseLocation where = LocateDatabase(platform);
    if (where.server) {
        data::CreateServerDatabase(where.path, withDemoData);
        return where.path;
    }
    const std::string target = NewFilePath(platform, where);
    data::CreateConfigurationDatabase(target, withDemoData);
    return target;
}

DemoDatabase EnsureDemoDatabase(const platform::Platform& platform) {
    const DatabaseLocation where = LocateDatabase(platform);
    if (where.server) {
        // What is said about it never shows a password.
        const std::string shown = data::ShownConnectionInfo(where.path);
        if (data::ServerTableCount(where.path) != 0)
            return {shown, false};
        data::CreateServerDatabase(where.path, true);
        return {shown, true};
    }
    if (where.exists)
        return {where.path, false};
    const std::string target = NewFilePath(platform, where);
    data::CreateConfigurationDatabase(target, true);
    return {target, true};
}

}  // namespace xfer::host
