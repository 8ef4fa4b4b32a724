#include "host/database_location.h"

#include <cstdlib>
#include <filesystem>

#include "data/database.h"
#include "data/folders.h"
#include "data/schema.h"

namespace xfer::host {

namespace {
bool IsFile(const std::string& path) {
    std::error_code ec;
    return std::filesystem::is_regular_file(path, ec);
}
}  // namespace

DatabaseLocation LocateDatabase(const platform::Platform& platform) {
    const data::VDACOMPlusFilesAndFolders folders(platform);
    DatabaseLocation where{folders.GetDatabaseFolder() + data::names::kDatabaseFile, {}, false};
    const std::string shellFolder = folders.GetSpecialFolder(platform::kCsidlCommonAppData);
    if (folders.ProductFolderSource() == "shell") {
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
    data::checkConnectablePath(where.path);
    where.exists = IsFile(where.path);
    return where;
}

DemoDatabase EnsureDemoDatabase(const platform::Platform& platform) {
    const DatabaseLocation where = LocateDatabase(platform);
    if (where.exists)
        return {where.path, false};
    // With no registry answer the database goes under the shell folder, where the next
    // resolution finds it.
    const data::VDACOMPlusFilesAndFolders folders(platform);
    const bool byRegistry =
        folders.ProductFolderSource() == "registry" && !folders.GetCommonAppDataFolder().empty();
    const std::string target =
        byRegistry ? where.path
                   : folders.GetSpecialFolder(platform::kCsidlCommonAppData) + "/" +
                         data::names::kCompanyFolder + "/" + data::names::kProductFolder + "/" +
                         data::names::kDatabaseFolder + "/" + data::names::kDatabaseFile;
    data::checkConnectablePath(target);
    data::CreateConfigurationDatabase(target, true);
    return {target, true};
}

}  // namespace xfer::host
