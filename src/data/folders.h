#pragma once
// VDACOMPlusFilesAndFolders: the product's folder and file names that locate the configuration
// database, and the shell and registry look-ups that resolve where it lives.

#include <string>

#include "platform/platform.h"
#include "runtime/variant.h"

namespace xfer::data {

namespace names {
inline constexpr const char* kCompanyFolder = "Quorvel";
inline constexpr const char* kProductFolder = "VDACOM+";
inline constexpr const char* kDatabaseFolder = "Database";
inline constexpr const char* kDatabaseFile = "NewDB.mdb";
}  // namespace names

// Folders are joined with the separator of the platform the editor runs on.
inline constexpr char kSeparator = '/';

inline constexpr const char* kShellFoldersKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline constexpr const char* kCommonAppDataValue = "Common AppData";

class VDACOMPlusFilesAndFolders {
  public:
    explicit VDACOMPlusFilesAndFolders(const platform::Platform& platform);

    // The special folder's path without a trailing separator, or "" when unresolvable.
    std::string GetSpecialFolder(long folderId) const;
    // The value converted by its registry type; raises 1001 "Unsupported value type" (no
    // source) for any other type, a missing value included. A key that cannot be opened
    // gives `defaultValue`.
    runtime::Variant GetRegistryValue(platform::HKEY root, const std::string& subKey,
                                      const std::string& valueName,
                                      const runtime::Variant& defaultValue = {}) const;
    std::string GetCommonAppDataFolder() const;
    // Ends with the separator. Raises 5 when the registry's folder holds a NUL, which no path
    // can carry.
    std::string GetProductFolder() const;
    std::string GetDatabaseFolder() const;

    // How the product folder was found, for a host that explains it: "shell" or "registry".
    std::string productFolderSource() const;

  private:
    platform::Platform platform_;
};

}  // namespace xfer::data
