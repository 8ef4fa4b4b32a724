#include "platform/shell.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace xfer::platform {

std::optional<std::string> EnvironmentShell::specialFolderPath(int csidl) {
    if (csidl != kCsidlCommonAppData)
        return std::nullopt;
    const char* env = std::getenv("PROGRAMDATA");
    if (env != nullptr && *env != '\0')
        return std::string(env);
    return std::string("/var/lib");
}

bool StdFileSystem::FolderExists(const std::string& path) {
    std::error_code ec;
    return !path.empty() && std::filesystem::is_directory(path, ec);
}

}  // namespace xfer::platform
