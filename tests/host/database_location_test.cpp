// Where the database is: a folder the connection string cannot carry, or a registry folder
// that no path can hold, is refused with the reason before anything is created on disk.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "data/database.h"
#include "data/folders.h"
#include "host/database_location.h"
#include "runtime/error.h"
#include "support/platform_doubles.h"
#include "support/temp_database.h"

namespace xfer::host {
namespace {

namespace fs = std::filesystem;

TEST(DatabaseLocation, UnusablePathsAreRefusedBeforeAnythingIsCreated) {
    using namespace std::string_literals;
    const struct {
        const char* what;
        std::string shellFolder;    // under the temp folder; "" for none
        bool productFolder;         // Quorvel/VDACOM+ exists under the shell folder
        std::string commonAppData;  // the registry value, under the temp folder; "" for none
        bool located;               // the editor looks there (else only the demo goes there)
        std::string message;
    } cases[] = {
        {"';' in the shell folder", "a;b", false, "", false,
         "/a;b/Quorvel/VDACOM+/Database/NewDB.mdb contains ';', which would end the connection "
         "string's Data Source"},
        {"';' in the shell folder that has the product folder", "a;b", true, "", true,
         "contains ';'"},
        {"';' in the registry's folder", "", false, "c;d", true, "/c;d/Quorvel/VDACOM+/Database"},
        {"NUL in the registry's folder", "", false, "e\0f"s, true,
         "The registry value \"Common AppData\" holds a NUL character (byte "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        test::TempFolder temp;
        const std::string root = temp.path().string();
        if (c.productFolder)
            fs::create_directories(temp.path() / c.shellFolder / "Quorvel" / "VDACOM+");
        const auto before = std::distance(fs::recursive_directory_iterator(temp.path()),
                                          fs::recursive_directory_iterator());
        platform::PlatformParts parts;
        parts.shell = std::make_unique<test::FixedShell>(
            c.shellFolder.empty() ? std::nullopt : std::optional(root + "/" + c.shellFolder));
        platform::Hive hive;
        if (!c.commonAppData.empty()) {
            hive.setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kShellFoldersKey,
                           data::kCommonAppDataValue, root + "/" + c.commonAppData);
        }
        parts.registry = std::make_unique<platform::HiveRegistry>(std::move(hive));
        const platform::PlatformServices services(std::move(parts));

        const auto refused = [&](const std::function<void()>& attempt) {
            try {
                attempt();
                return std::string("taken");
            } catch (const runtime::Error& e) {
                return e.description();
            }
        };
        EXPECT_NE(refused([&] { EnsureDemoDatabase(services.view()); }).find(c.message),
                  std::string::npos);
        if (c.located) {
            EXPECT_NE(refused([&] { LocateDatabase(services.view()); }).find(c.message),
                      std::string::npos);
            EXPECT_NE(refused([&] { data::DataBase db(services.view()); }).find(c.message),
                      std::string::npos);
        }
        EXPECT_EQ(std::distance(fs::recursive_directory_iterator(temp.path()),
                                fs::recursive_directory_iterator()),
                  before);
    }
}

}  // namespace
}  // namespace xfer::host
