#include "platform/registry.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string_view>
#include <utility>

#include "runtime/text.h"

namespace xfer::platform {

namespace {

struct RootName {
    HKEY handle;
    std::string_view name;
    std::string_view shortName;
};

constexpr std::array<RootName, 5> kRoots{{
    {HKEY_CLASSES_ROOT, "HKEY_CLASSES_ROOT", "HKCR"},
    {HKEY_CURRENT_USER, "HKEY_CURRENT_USER", "HKCU"},
    {HKEY_LOCAL_MACHINE, "HKEY_LOCAL_MACHINE", "HKLM"},
    {HKEY_USERS, "HKEY_USERS", "HKU"},
    {0x80000005u, "HKEY_CURRENT_CONFIG", "HKCC"},
}};

const RootName* FindRoot(HKEY handle) {
    for (const auto& root : kRoots) {
        if (root.handle == handle)
            return &root;
    }
    return nullptr;
}

// Upper-cased, with a short root name spelled out and stray separators dropped, so that
// "hklm\\Software\\" and "HKEY_LOCAL_MACHINE\\SOFTWARE" name the same key.
std::string NormalizeKeyPath(std::string_view path) {
    std::string out;
    std::size_t start = 0;
    bool first = true;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string part = runtime::UCase(path.substr(start, end - start));
        if (!part.empty()) {
            if (first) {
                for (const auto& root : kRoots) {
                    if (part == root.shortName)
                        part = std::string(root.name);
                }
                first = false;
            } else {
                out += '\\';
            }
            out += part;
        }
        start = end + 1;
    }
    return out;
}

}  // namespace

void Hive::Set(const std::string& keyPath, const std::string& valueName, RegistryValue value) {
    CreateKey(keyPath);
    keys_[NormalizeKeyPath(keyPath)][runtime::UCase(valueName)] = std::move(value);
}

void Hive::SetString(const std::string& keyPath, const std::string& valueName,
                     const std::string& text, std::uint32_t type) {
    RegistryValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    if (type == REG_MULTI_SZ)
        value.data.push_back(0);
    Set(keyPath, valueName, std::move(value));
}

// A key implies its parents, as in the real registry.
void Hive::CreateKey(const std::string& keyPath) {
    const std::string path = NormalizeKeyPath(keyPath);
    for (std::size_t pos = path.find('\\'); pos != std::string::npos;
         pos = path.find('\\', pos + 1)) {
        keys_.try_emplace(path.substr(0, pos));
    }
    keys_.try_emplace(path);
}

bool Hive::HasKey(const std::string& keyPath) const {
    return keys_.contains(NormalizeKeyPath(keyPath));
}

const RegistryValue* Hive::Find(const std::string& keyPath, const std::string& valueName) const {
    const auto key = keys_.find(NormalizeKeyPath(keyPath));
    if (key == keys_.end())
        return nullptr;
    const auto value = key->second.find(runtime::UCase(valueName));
    return value == key->second.end() ? nullptr : &value->second;
}

long HiveRegistry::RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t /*samDesired*/,
                                HKEY& result) {
    std::string base;
    if (const RootName* named = FindRoot(root)) {
        base = std::string(named->name);
    } else if (const auto open = open_.find(root); open != open_.end()) {
        base = open->second;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    const std::string path = NormalizeKeyPath(subKey.empty() ? base : base + '\\' + subKey);
    // A root key always exists, even in an empty hive.
    if (path.find('\\') != std::string::npos && !hive_.HasKey(path))
        return ERROR_FILE_NOT_FOUND;
    result = next_++;
    open_.emplace(result, path);
    return ERROR_SUCCESS;
}

long HiveRegistry::RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t& type,
                                   std::uint8_t* data, std::uint32_t& size) {
    std::string path;
    if (const RootName* named = FindRoot(key)) {
        path = std::string(named->name);
    } else if (const auto open = open_.find(key); open != open_.end()) {
        path = open->second;
    } else {
        return ERROR_INVALID_HANDLE;
    }
    const RegistryValue* value = hive_.Find(path, valueName);
    if (value == nullptr) {
        type = REG_NONE;
        return ERROR_FILE_NOT_FOUND;
    }
    type = value->type;
    const auto needed = static_cast<std::uint32_t>(value->data.size());
    if (data == nullptr || size < needed) {
        size = needed;
        return ERROR_MORE_DATA;
    }
    if (needed > 0)
        std::memcpy(data, value->data.data(), needed);
    size = needed;
    return ERROR_SUCCESS;
}

long HiveRegistry::RegCloseKey(HKEY key) {
    if (FindRoot(key) != nullptr)
        return ERROR_SUCCESS;
    return open_.erase(key) == 1 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

}  // namespace xfer::platform
