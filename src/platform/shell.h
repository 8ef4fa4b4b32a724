#pragma once
// Shell special folders and the file system's folder test.

#include <optional>
#include <string>

namespace xfer::platform {

inline constexpr int kCsidlCommonAppData = 35;

class Shell {
  public:
    virtual ~Shell() = default;
    // The folder's path without a trailing separator, or nothing when it cannot be resolved.
    virtual std::optional<std::string> specialFolderPath(int csidl) = 0;
};

// Folder 35 is $PROGRAMDATA when set and non-empty, else /var/lib; other folders are unknown.
class EnvironmentShell final : public Shell {
  public:
    std::optional<std::string> specialFolderPath(int csidl) override;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    virtual bool FolderExists(const std::string& path) = 0;
};

class StdFileSystem final : public FileSystem {
  public:
    bool FolderExists(const std::string& path) override;
};

}  // namespace xfer::platform
