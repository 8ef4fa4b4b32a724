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

// Calls `part` with each name of a key path, upper-cased, a short root name spelled out and
// stray separators dropped, so that "hklm\\Software\\" and "HKEY_LOCAL_MACHINE\\SOFTWARE" name
// the same key. `part` returns false to stop.
template <typename Part>
void ForEachKeyName(std::string_view path, Part&& part) {
    bool first = true;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string_view::npos)
            end = path.size();
        std::string name = runtime::ToUpper(path.substr(start, end - start));
        start = end + 1;
        if (name.empty())
            continue;
        if (first) {
            for (const auto& root : kRoots) {
                if (name == root.shortName)
                    name = std::string(root.name);
            }
            first = false;
        }
        if (!part(std::move(name)))
            return;
    }
}

}  // namespace

Hive::Hive() : keys_(1) {
    for (const auto& root : kRoots)
        createKey(root.name);
}

Hive::KeyId Hive::createKey(std::string_view keyPath) {
    KeyId key = kTop;
    ForEachKeyName(keyPath, [&](std::string name) {
        const auto [child, added] = children_.try_emplace({key, std::move(name)}, keys_.size());
        if (added)
            keys_.emplace_back();
        key = child->second;
        return true;
    });
    return key;
}

std::optional<Hive::KeyId> Hive::findKey(std::string_view subPath, KeyId from) const {
    std::optional<KeyId> key = from;
    ForEachKeyName(subPath, [&](std::string name) {
        const auto child = children_.find({*key, std::move(name)});
        key = child == children_.end() ? std::nullopt : std::optional<KeyId>(child->second);
        return key.has_value();
    });
    return key;
}

void Hive::set(KeyId key, const std::string& valueName, RegistryValue value) {
    keys_.at(key).values[runtime::ToUpper(valueName)] = std::move(value);
}

void Hive::set(const std::string& keyPath, const std::string& valueName, RegistryValue value) {
    set(createKey(keyPath), valueName, std::move(value));
}

void Hive::setString(const std::string& keyPath, const std::string& valueName,
                     const std::string& text, std::uint32_t type) {
    RegistryValue value{type, std::vector<std::uint8_t>(text.begin(), text.end())};
    value.data.push_back(0);
    if (type == REG_MULTI_SZ)
        value.data.push_back(0);
    set(keyPath, valueName, std::move(value));
}

const RegistryValue* Hive::find(KeyId key, const std::string& valueName) const {
    const auto& values = keys_.at(key).values;
    const auto value = values.find(runtime::ToUpper(valueName));
    return value == values.end() ? nullptr : &value->second;
}

const RegistryValue* Hive::find(std::string_view keyPath, const std::string& valueName) const {
    const auto key = findKey(keyPath);
    return key ? find(*key, valueName) : nullptr;
}

std::optional<Hive::KeyId> HiveRegistry::keyOf(HKEY handle) const {
    if (const RootName* named = FindRoot(handle))
        return hive_.findKey(named->name);
    if (const auto open = open_.find(handle); open != open_.end())
        return open->second;
    return std::nullopt;
}

long HiveRegistry::RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t /*samDesired*/,
                                HKEY& result) {
    const auto base = keyOf(root);
    if (!base)
        return ERROR_INVALID_HANDLE;
    const auto key = hive_.findKey(subKey, *base);
    if (!key)
        return ERROR_FILE_NOT_FOUND;
    result = next_++;
    open_.emplace(result, *key);
    return ERROR_SUCCESS;
}

long HiveRegistry::RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t& type,
                                   std::uint8_t* data, std::uint32_t& size) {
    const auto open = keyOf(key);
    if (!open)
        return ERROR_INVALID_HANDLE;
    const RegistryValue* value = hive_.find(*open, valueName);
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

std::string HiveRegistry::origin(HKEY root, const std::string& subKey,
                                 const std::string& valueName) {
    const auto base = keyOf(root);
    const auto key = base ? hive_.findKey(subKey, *base) : std::nullopt;
    const RegistryValue* value = key ? hive_.find(*key, valueName) : nullptr;
    if (value == nullptr || value->line == 0 || hive_.file.empty())
        return {};
    return hive_.file + ": Registry file, line " + std::to_string(value->line);
}

}  // namespace xfer::platform
