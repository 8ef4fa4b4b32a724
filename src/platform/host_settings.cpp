#include "platform/host_settings.h"

#include <cstdlib>

namespace xfer::platform {

std::optional<std::string> ProcessSettings::environmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> ProcessSettings::hostOption(const std::string& name) {
    const auto found = options_.find(name);
    if (found == options_.end())
        return std::nullopt;
    return found->second;
}

}  // namespace xfer::platform
