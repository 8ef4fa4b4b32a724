#pragma once
// The registry seam, with the narrow calls' shape: open a key with an access mask, query a
// value into the caller's buffer (234 and the needed size when it is too small), close.
// HiveRegistry answers from an in-memory hive; a hive can be read from a .reg text file.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace xfer::platform {

using HKEY = std::uintptr_t;
inline constexpr HKEY HKEY_CLASSES_ROOT = 0x80000000u;
inline constexpr HKEY HKEY_CURRENT_USER = 0x80000001u;
inline constexpr HKEY HKEY_LOCAL_MACHINE = 0x80000002u;
inline constexpr HKEY HKEY_USERS = 0x80000003u;

inline constexpr std::uint32_t KEY_READ = 0x20019u;

inline constexpr long ERROR_SUCCESS = 0;
inline constexpr long ERROR_FILE_NOT_FOUND = 2;
inline constexpr long ERROR_INVALID_HANDLE = 6;
inline constexpr long ERROR_MORE_DATA = 234;

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;

class Registry {
  public:
    virtual ~Registry() = default;
    virtual long RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired,
                              HKEY& result) = 0;
    // On entry `size` is the buffer's size; on return the data's size. With a buffer too small
    // (or none) the answer is ERROR_MORE_DATA and `size` the size needed. A missing value
    // answers ERROR_FILE_NOT_FOUND and reports no type.
    virtual long RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t& type,
                                 std::uint8_t* data, std::uint32_t& size) = 0;
    virtual long RegCloseKey(HKEY key) = 0;
    // Where a value was set, as a refusal names it ("FILE: Registry file, line N"); empty when
    // the value is not there or did not come from a file.
    virtual std::string origin(HKEY root, const std::string& subKey, const std::string& valueName) {
        (void)root, (void)subKey, (void)valueName;
        return {};
    }
};

struct RegistryValue {
    std::uint32_t type = REG_SZ;
    std::vector<std::uint8_t> data;  // as stored: strings with their terminating NUL(s)
    std::size_t line = 0;            // the line of the .reg file that set it; 0: none
};

// Keys are full paths with the root's name ("HKEY_LOCAL_MACHINE\\SOFTWARE\\..."), compared
// without regard to letter case, as are value names. A key holds its own name only and points
// to its parent, so a hive takes memory in proportion to the names it holds, however deep its
// keys are nested. The five root keys always exist.
class Hive {
  public:
    using KeyId = std::size_t;

    Hive();

    void set(const std::string& keyPath, const std::string& valueName, RegistryValue value);
    void set(KeyId key, const std::string& valueName, RegistryValue value);
    void setString(const std::string& keyPath, const std::string& valueName,
                   const std::string& text, std::uint32_t type = REG_SZ);
    // Creates the key and the parents it implies; returns the key.
    KeyId createKey(std::string_view keyPath);
    // The key at `subPath` below `from` (the top, above the root keys, when none is given).
    std::optional<KeyId> findKey(std::string_view subPath, KeyId from = kTop) const;
    const RegistryValue* find(std::string_view keyPath, const std::string& valueName) const;
    const RegistryValue* find(KeyId key, const std::string& valueName) const;

    static constexpr KeyId kTop = 0;

    std::string file;  // the .reg file the hive was read from; empty: none

  private:
    struct Key {
        std::map<std::string, RegistryValue> values;  // upper-cased names
    };
    std::vector<Key> keys_;
    std::map<std::pair<KeyId, std::string>, KeyId> children_;  // (parent, upper-cased name)
};

// What a .reg file may hold: the registry's own nesting limit, and lines and files far beyond
// any machine's settings but small enough to read without thinking about memory.
inline constexpr std::size_t kMaxRegKeyDepth = 512;          // key names below the top
inline constexpr std::size_t kMaxRegLineLength = 64 * 1024;  // bytes, continuations joined
inline constexpr std::size_t kMaxRegFileSize = 4 * 1024 * 1024;

// Reads a hive from the text of a .reg file ("Windows Registry Editor Version 5.00" or
// "REGEDIT4"). Raises a runtime error "Registry file, line N: ..." for text it cannot read or
// that passes the limits above.
Hive ParseRegFile(const std::string& text);
// Reads the file at `path`; a missing file gives an empty hive. A file that is not a regular
// file or is larger than kMaxRegFileSize is refused before it is read.
Hive LoadRegFile(const std::string& path);

// The machine-wide registry file that the default registry reads.
inline constexpr const char* kDefaultRegistryFile = "/etc/quorvel/registry.reg";

class HiveRegistry final : public Registry {
  public:
    explicit HiveRegistry(Hive hive) : hive_(std::move(hive)) {}
    long RegOpenKeyEx(HKEY root, const std::string& subKey, std::uint32_t samDesired,
                      HKEY& result) override;
    long RegQueryValueEx(HKEY key, const std::string& valueName, std::uint32_t& type,
                         std::uint8_t* data, std::uint32_t& size) override;
    long RegCloseKey(HKEY key) override;
    std::string origin(HKEY root, const std::string& subKey, const std::string& valueName) override;

    Hive& hive() { return hive_; }

  private:
    std::optional<Hive::KeyId> keyOf(HKEY handle) const;
    Hive hive_;
    std::map<HKEY, Hive::KeyId> open_;
    HKEY next_ = 0x1000;
};

}  // namespace xfer::platform
