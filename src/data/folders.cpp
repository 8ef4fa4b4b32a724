#include "data/folders.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "runtime/error.h"

namespace xfer::data {

namespace {

constexpr std::uint32_t kFirstQuerySize = 1024;

std::string ProductFolderUnder(const std::string& commonAppData) {
    return commonAppData + kSeparator + names::kCompanyFolder + kSeparator + names::kProductFolder +
           kSeparator;
}

}  // namespace

VDACOMPlusFilesAndFolders::VDACOMPlusFilesAndFolders(const platform::Platform& platform)
    : platform_(platform) {}

std::string VDACOMPlusFilesAndFolders::GetSpecialFolder(long folderId) const {
    const auto path = platform_.shell.specialFolderPath(static_cast<int>(folderId));
    if (!path)
        return {};
    // The shell hands back a NUL-terminated buffer: the path ends at its first NUL.
    return path->substr(0, path->find('\0'));
}

runtime::Variant VDACOMPlusFilesAndFolders::GetRegistryValue(
    platform::HKEY root, const std::string& subKey, const std::string& valueName,
    const runtime::Variant& defaultValue) const {
    auto& registry = platform_.registry;
    platform::HKEY key = 0;
    if (registry.RegOpenKeyEx(root, subKey, platform::KEY_READ, key) != platform::ERROR_SUCCESS) {
        return defaultValue;
    }

    std::vector<std::uint8_t> buffer(kFirstQuerySize);
    std::uint32_t size = kFirstQuerySize;
    std::uint32_t type = platform::REG_NONE;
    const long answer = registry.RegQueryValueEx(key, valueName, type, buffer.data(), size);
    if (answer == platform::ERROR_MORE_DATA) {
        buffer.assign(size, 0);
        type = platform::REG_NONE;
        registry.RegQueryValueEx(key, valueName, type, buffer.data(), size);
    }
    // Never read past what the buffer holds, whatever size the registry reports.
    const std::size_t length = std::min<std::size_t>(size, buffer.size());
    const auto firstBytes = [&](std::size_t dropped) {
        const std::size_t n = length > dropped ? length - dropped : 0;
        return std::string(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(n));
    };

    runtime::Variant result;
    switch (type) {
        case platform::REG_SZ:
        case platform::REG_EXPAND_SZ:
            // Environment references of an expandable string stay as they are.
            result = firstBytes(1);
            break;
        case platform::REG_BINARY:
            result = runtime::Variant::Bytes(buffer.begin(),
                                             buffer.begin() + static_cast<std::ptrdiff_t>(length));
            break;
        case platform::REG_DWORD: {
            std::int32_t number = 0;
            std::memcpy(&number, buffer.data(), sizeof number);
            result = static_cast<long>(number);
            break;
        }
        case platform::REG_MULTI_SZ:
            // The separating NULs stay in the text; only the final double NUL goes.
            result = firstBytes(2);
            break;
        default:
            registry.RegCloseKey(key);
            runtime::Raise(runtime::err::kUnsupportedValueType, std::string(),
                           "Unsupported value type");
    }
    registry.RegCloseKey(key);
    return result;
}

std::string VDACOMPlusFilesAndFolders::GetCommonAppDataFolder() const {
    return GetRegistryValue(platform::HKEY_LOCAL_MACHINE, kShellFoldersKey, kCommonAppDataValue,
                            runtime::Variant(std::string()))
        .toText();
}

std::string VDACOMPlusFilesAndFolders::GetProductFolder() const {
    const std::string candidate =
        ProductFolderUnder(GetSpecialFolder(platform::kCsidlCommonAppData));
    if (platform_.fileSystem.FolderExists(candidate))
        return candidate;
    const std::string folder = GetCommonAppDataFolder();
    // The file system would take the path only up to the NUL, and make folders there.
    if (const auto nul = folder.find('\0'); nul != std::string::npos) {
        const std::string origin = platform_.registry.origin(platform::HKEY_LOCAL_MACHINE,
                                                             kShellFoldersKey, kCommonAppDataValue);
        runtime::Raise(runtime::err::kInvalidProcedureCall, std::string(runtime::kComponentSource),
                       (origin.empty() ? "" : origin + ": ") + "The registry value \"" +
                           kCommonAppDataValue + "\" holds a NUL character (byte " +
                           std::to_string(nul + 1) + " of " + std::to_string(folder.size()) +
                           "): a folder path cannot contain one");
    }
    return ProductFolderUnder(folder);
}

std::string VDACOMPlusFilesAndFolders::GetDatabaseFolder() const {
    return GetProductFolder() + names::kDatabaseFolder + kSeparator;
}

std::string VDACOMPlusFilesAndFolders::productFolderSource() const {
    const std::string candidate =
        ProductFolderUnder(GetSpecialFolder(platform::kCsidlCommonAppData));
    return platform_.fileSystem.FolderExists(candidate) ? "shell" : "registry";
}

}  // namespace xfer::data
