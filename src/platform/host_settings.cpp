#include "platform/host_settings.h"

#include <cstdlib>

namespace xfer::platform {

namespace {
std::optional<std::string> Find(const std::map<std::string, std::string>& values,
                                const std::string& name) {
    const auto found = values.find(name);
    if (found == values.end())
        return std::nullopt;
    return found->second;
}
}  // namespace

std::optional<std::string> ProcessSettings::EnvironmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> ProcessSettings::HostOption(const std::string& name) {
    return Find(options_, name);
}

std::optional<std::string> FixedSettings::EnvironmentVariable(const std::string& name) {
    return Find(environment_, name);
}

std::optional<std::string> FixedSettings::HostOption(const std::string& name) {
    return Find(options_, name);
}

}  // namespace xfer::platform
