#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

#include "data/database.h"
#include "data/folders.h"
#include "data/seeded_database.h"
#include "runtime/error.h"

namespace xfer::data {
namespace {

using platform::RegistryValue;

constexpr const char* kTestKey = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Test";

TEST(Folders, ConnectionStringFollowsTheShellFolderThenTheRegistry) {
    test::TempFolder shell;
    std::filesystem::create_directories(shell.path() / "Quorvel" / "VDACOM+");
    test::TempFolder bare;  // a shell folder without the product folder
    const std::string shellKey = std::string("HKEY_LOCAL_MACHINE\\") + kShellFoldersKey;

    const struct {
        const char* what;
        std::string shellFolder;
        std::optional<RegistryValue> commonAppData;  // REG_NONE: the key without the value
        std::string expected;                        // the database path, or "error N"
    } cases[] = {
        {"under the shell folder", shell.path().string(), std::nullopt,
         shell.path().string() + "/Quorvel/VDACOM+/Database/NewDB.mdb"},
        {"registry fallback", bare.path().string(), RegistryValue{platform::REG_SZ, {'/', 'v', 0}},
         "/v/Quorvel/VDACOM+/Database/NewDB.mdb"},
        {"expandable string unexpanded", "",
         RegistryValue{platform::REG_EXPAND_SZ, {'%', 'P', '%', 0}},
         "%P%/Quorvel/VDACOM+/Database/NewDB.mdb"},
        {"empty value: root", "", RegistryValue{platform::REG_SZ, {0}},
         "/Quorvel/VDACOM+/Database/NewDB.mdb"},
        {"no value", "", RegistryValue{platform::REG_NONE, {}}, "error 1001"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fixture::TestServices services(c.shellFolder);
        if (c.commonAppData && c.commonAppData->type == platform::REG_NONE) {
            services.registry->hive().createKey(shellKey);
        } else if (c.commonAppData) {
            services.registry->hive().set(shellKey, kCommonAppDataValue, *c.commonAppData);
        }
        try {
            DataBase db(services.view());
            const std::string expected =
                "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + c.expected;
            EXPECT_EQ(db.GetConnectionString(), expected);
            EXPECT_EQ(db.Conn.connectionString(), expected);
        } catch (const runtime::Error& e) {
            EXPECT_EQ("error " + std::to_string(e.number()), c.expected);
        }
        EXPECT_EQ(services.registry->openKeys(), 0);
    }
}

TEST(Folders, RegistryValuesConvertByType) {
    using Bytes = runtime::Variant::Bytes;
    const std::string big(3000, 'x');
    Bytes bigData(big.begin(), big.end());
    bigData.push_back(0);

    const struct {
        const char* what;
        std::optional<RegistryValue> value;
        runtime::Variant expected;  // Empty: error 1001 with no source
    } cases[] = {
        {"multi-string keeps its separators",
         RegistryValue{platform::REG_MULTI_SZ, {'a', 0, 'b', 'c', 0, 0}}, std::string("a\0bc", 4)},
        {"more than 1024 bytes read whole", RegistryValue{platform::REG_SZ, bigData}, big},
        {"binary", RegistryValue{platform::REG_BINARY, {1, 2, 3}}, Bytes{1, 2, 3}},
        {"dword is signed", RegistryValue{platform::REG_DWORD, {0xfe, 0xff, 0xff, 0xff}}, -2},
        {"missing value", std::nullopt, {}},
        {"unknown type", RegistryValue{11, {1, 2}}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fixture::TestServices services("");
        services.registry->hive().createKey(kTestKey);
        if (c.value)
            services.registry->hive().set(kTestKey, "V", *c.value);
        try {
            EXPECT_EQ(VDACOMPlusFilesAndFolders(services.view())
                          .GetRegistryValue(platform::HKEY_LOCAL_MACHINE, "SOFTWARE\\Test", "V"),
                      c.expected);
        } catch (const runtime::Error& e) {
            EXPECT_TRUE(c.expected.isEmpty());
            EXPECT_EQ(e.number(), 1001);
            EXPECT_EQ(e.source(), "");
            EXPECT_EQ(e.description(), "Unsupported value type");
        }
        EXPECT_EQ(services.registry->openKeys(), 0);
    }
}

// The connection string carries a path only if it comes back unchanged from it.
TEST(Folders, PathsTheConnectionStringCannotCarryAreRefusedWithTheReason) {
    using namespace std::string_literals;
    const struct {
        std::string path;
        const char* reason;  // nullptr: carried
    } cases[] = {
        {"/srv/q/NewDB.mdb", nullptr},
        {"/a b/=x/'q/NewDB.mdb", nullptr},
        {"/a;b/NewDB.mdb", "contains ';'"},
        {"/a\0b/NewDB.mdb"s, "contains a NUL character"},
        {" /a/NewDB.mdb", "begins or ends with white space"},
        {"/a/NewDB.mdb\t", "begins or ends with white space"},
        {"'/a/NewDB.mdb'", "is enclosed in quotes"},
    };
    for (const auto& c : cases) {
        std::string refused;
        try {
            CheckConnectablePath(c.path);
        } catch (const runtime::Error& e) {
            refused = e.description();
        }
        if (c.reason == nullptr) {
            EXPECT_EQ(refused, "") << c.path;
            EXPECT_EQ(ParseConnectionString(std::string("Provider=") + kProviderName +
                                            ";Data Source=" + c.path)
                          .dataSource,
                      c.path);
        } else {
            EXPECT_NE(refused.find(c.reason), std::string::npos) << c.path << ": " << refused;
        }
    }
}

}  // namespace
}  // namespace xfer::data
