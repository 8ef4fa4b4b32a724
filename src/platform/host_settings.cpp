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

std::optional<std::string> ProcessSettings::environmentVariable(const std::string& name) {
    const char* value = std::getenv(name.c_str());
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

std::optional<std::string> ProcessSettings::hostOption(const std::string& name) {
    return Find(options_, name);
}

std::optional<std::string> FixedSettings::environmentVariable(const std::string& name) {
    return Find(environment_, name);
}

std::optional<std::string> FixedSettings::hostOption(const std::string& name) {
    return Find(options_, name);
}

}  // namespace xfer::platform
