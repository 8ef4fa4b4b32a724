#include "data/database_choice.h"

#include <libpq-fe.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

constexpr long kBadSetting = 5;  // Invalid procedure call or argument

[[noreturn]] void RaiseSetting(const std::string& description) {
    runtime::Raise(kBadSetting, std::string(runtime::kComponentSource), description);
}

std::string SettingName() {
    return std::string("the registry value ") + kDatabaseServerValue +
           " under HKEY_LOCAL_MACHINE\\" + kProductKey + " (" + platform::kDefaultRegistryFile +
           ")";
}

// The machine-wide value as text; nothing when the key or the value is not there.
std::optional<std::string> RegistrySetting(platform::Registry& registry) {
    platform::HKEY key = 0;
    if (registry.RegOpenKeyEx(platform::HKEY_LOCAL_MACHINE, kProductKey, platform::KEY_READ, key) !=
        platform::ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> buffer(256);
    std::uint32_t size = static_cast<std::uint32_t>(buffer.size());
    std::uint32_t type = platform::REG_NONE;
    long answer = registry.RegQueryValueEx(key, kDatabaseServerValue, type, buffer.data(), size);
    if (answer == platform::ERROR_MORE_DATA) {
        buffer.assign(size, 0);
        answer = registry.RegQueryValueEx(key, kDatabaseServerValue, type, buffer.data(), size);
    }
    registry.RegCloseKey(key);
    if (answer != platform::ERROR_SUCCESS)
        return std::nullopt;
    if (type != platform::REG_SZ && type != platform::REG_EXPAND_SZ)
        RaiseSetting(SettingName() + " must be a string naming the database server.");
    std::string text(buffer.begin(), buffer.begin() + std::min<std::size_t>(size, buffer.size()));
    return text.substr(0, text.find('\0'));
}

using ConnectionOptions = std::unique_ptr<PQconninfoOption, void (*)(PQconninfoOption*)>;

// The options a connection string gives; null when libpq cannot read it (connecting will say
// why).
ConnectionOptions Options(const std::string& connectionInfo) {
    char* error = nullptr;
    ConnectionOptions options(PQconninfoParse(connectionInfo.c_str(), &error), PQconninfoFree);
    PQfreemem(error);
    return options;
}

bool Given(const PQconninfoOption& option) {
    return option.val != nullptr && *option.val != '\0';
}

bool HoldsPassword(const std::string& connectionInfo) {
    const ConnectionOptions options = Options(connectionInfo);
    for (const PQconninfoOption* o = options.get(); o != nullptr && o->keyword != nullptr; ++o) {
        if (std::string_view(o->keyword) == "password" && Given(*o))
            return true;
    }
    return false;
}

std::optional<std::string> NonEmpty(std::optional<std::string> value) {
    if (value && runtime::Trim(*value).empty())
        return std::nullopt;
    return value;
}

}  // namespace

std::string ServerConnectionInfo(std::string_view setting) {
    const std::string_view text = runtime::Trim(setting);
    const bool connectionString = text.find('=') != std::string_view::npos ||
                                  text.starts_with("postgresql://") ||
                                  text.starts_with("postgres://");
    return connectionString ? std::string(text) : "service=" + std::string(text);
}

std::string ShownConnectionInfo(const std::string& connectionInfo) {
    const ConnectionOptions options = Options(connectionInfo);
    if (!options) {
        // Unreadable: nothing from the word password on is shown.
        const std::size_t at = runtime::ToUpper(connectionInfo).find("PASSWORD");
        return at == std::string::npos ? connectionInfo : connectionInfo.substr(0, at) + "***";
    }
    if (!HoldsPassword(connectionInfo))
        return connectionInfo;
    std::string shown;
    for (const PQconninfoOption* o = options.get(); o->keyword != nullptr; ++o) {
        if (!Given(*o))
            continue;
        const std::string value = std::string_view(o->keyword) == "password" ? "***" : o->val;
        const bool quote = value.find_first_of(" '\\") != std::string::npos;
        shown += (shown.empty() ? "" : " ") + std::string(o->keyword) + "=" +
                 (quote ? "'" + value + "'" : value);
    }
    return shown;
}

DatabaseChoice ChooseDatabase(const platform::Platform& platform) {
    if (const auto option = NonEmpty(platform.settings.hostOption(kDatabaseOption))) {
        return {ServerConnectionInfo(*option), std::string("the ") + kDatabaseOption + " option"};
    }
    if (const auto variable =
            NonEmpty(platform.settings.environmentVariable(kDatabaseServerVariable))) {
        return {ServerConnectionInfo(*variable),
                std::string("the environment variable ") + kDatabaseServerVariable};
    }
    if (const auto value = NonEmpty(RegistrySetting(platform.registry))) {
        const std::string server = ServerConnectionInfo(*value);
        if (HoldsPassword(server)) {
            RaiseSetting(SettingName() +
                         " holds a password. Passwords belong in libpq's password file "
                         "(~/.pgpass or PGPASSFILE) or its service file, never in the "
                         "machine-wide registry file.");
        }
        return {server, SettingName()};
    }
    return {};
}

}  // namespace xfer::data
