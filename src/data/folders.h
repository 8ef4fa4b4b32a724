#pragma once
// VDACOMPlusFilesAndFolders: the product's common folders and file names, and the shell and
// registry look-ups that resolve where the configuration database lives.

#include <string>

#include "platform/platform.h"
#include "runtime/variant.h"

namespace xfer::data {

namespace names {
inline constexpr const char* kCompanyFolder = "Quorvel";
inline constexpr const char* kProductFolder = "VDACOM+";
inline constexpr const char* kAppDataFolder = "AppData";
inline constexpr const char* kAppDocsFolder = "AppDocs";
inline constexpr const char* kMsgsFolder = "Msgs";
inline constexpr const char* kCanMsgsFolder = "CanMsgs";
inline constexpr const char* kDatabaseFolder = "Database";
inline constexpr const char* kConfigsFolder = "Configs";
inline constexpr const char* kSchedulerFolder = "Scheduler";
inline constexpr const char* kStatsFolder = "Stats";
inline constexpr const char* kFirmwareFolder = "Firmware";
inline constexpr const char* kMiscFolder = "Misc";
inline constexpr const char* kTempFolder = "Temp";
inline constexpr const char* kSystemFolder = "System";
inline constexpr const char* kSAMELogsFolder = "SAMELogs";
inline constexpr const char* kSettingsFile = "VDACOMPlus.ini";
inline constexpr const char* kDatabaseFile = "NewDB.mdb";
inline constexpr const char* kDatabaseBackupFile = "NewDBBak.mdb";
inline constexpr const char* kCompletedSchedule = "completed.sch";
inline constexpr const char* kErrorSchedule = "error.sch";
inline constexpr const char* kCancelledSchedule = "cancelled.sch";
inline constexpr const char* kIndexSchedule = "index.sch";
inline constexpr const char* kRescheduleSchedule = "reschedule.sch";
inline constexpr const char* kCompletedToProcessSchedule = "CompletedToProcess.sch";
inline constexpr const char* kErrorToProcessSchedule = "ErrorToProcess.sch";
inline constexpr const char* kCancelledToProcessSchedule = "CancelledToProcess.sch";
}  // namespace names

// The path separator of this platform; the original joins with a backslash.
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
    std::string ProductFolderSource() const;

  private:
    platform::Platform platform_;
};

}  // namespace xfer::data
