// Reading a hive from the text that the registry editor exports.

#include <cctype>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "platform/registry.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::platform {

namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";

[[noreturn]] void Fail(std::size_t line, const std::string& reason) {
    runtime::Raise(runtime::err::kInvalidProcedureCall, std::string(runtime::kComponentSource),
                   "Registry file, line " + std::to_string(line) + ": " + reason);
}

void AppendUtf8(std::string& out, std::uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// UTF-16LE to the narrow (UTF-8) text the narrow calls hand out. NULs are kept: they are
// the terminators and separators of the stored strings. A surrogate without its partner
// becomes U+FFFD, as the system's own conversion makes it, so the text is always UTF-8.
std::string NarrowFromUtf16(const std::uint8_t* data, std::size_t size) {
    constexpr std::uint32_t kReplacement = 0xFFFD;
    std::string out;
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        std::uint32_t unit = data[i] | (static_cast<std::uint32_t>(data[i + 1]) << 8);
        if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < size) {
            const std::uint32_t low = data[i + 2] | (static_cast<std::uint32_t>(data[i + 3]) << 8);
            if (low >= 0xDC00 && low < 0xE000) {
                unit = 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            }
        }
        AppendUtf8(out, unit >= 0xD800 && unit < 0xE000 ? kReplacement : unit);
    }
    return out;
}

std::optional<std::uint32_t> ParseHex(std::string_view digits, std::size_t maxDigits) {
    if (digits.empty() || digits.size() > maxDigits)
        return std::nullopt;
    std::uint32_t value = 0;
    for (char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::tolower(static_cast<unsigned char>(c)) - 'a' + 10;
        value = value * 16 + static_cast<std::uint32_t>(digit);
    }
    return value;
}

class LineParser {
  public:
    LineParser(std::string_view text, std::size_t line) : text_(text), line_(line) {}

    // A quoted name or text with the exporter's two escapes, \\ and \".
    std::string Quoted() {
        if (!Take('"'))
            Fail(line_, "expected a quoted text");
        std::string out;
        while (pos_ < text_.size()) {
            const char c = text_[pos_++];
            if (c == '"')
                return out;
            if (c == '\\' && pos_ < text_.size() && (text_[pos_] == '\\' || text_[pos_] == '"')) {
                out += text_[pos_++];
            } else {
                out += c;
            }
        }
        Fail(line_, "a quoted text is not closed");
    }

    bool Take(char c) {
        SkipBlanks();
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    bool Peek(char c) {
        SkipBlanks();
        return pos_ < text_.size() && text_[pos_] == c;
    }

    bool TakeWord(std::string_view word) {
        SkipBlanks();
        if (!runtime::StartsWithNoCase(text_.substr(pos_), word))
            return false;
        pos_ += word.size();
        return true;
    }

    std::string_view Until(char c) {
        const std::size_t end = text_.find(c, pos_);
        if (end == std::string_view::npos)
            Fail(line_, std::string("expected '") + c + "'");
        const std::string_view part = text_.substr(pos_, end - pos_);
        pos_ = end + 1;
        return part;
    }

    std::string_view Rest() {
        const std::string_view rest = text_.substr(pos_);
        pos_ = text_.size();
        return rest;
    }

    void ExpectEnd() {
        if (!runtime::Trim(text_.substr(pos_)).empty())
            Fail(line_, "unexpected text after the value");
    }

  private:
    void SkipBlanks() {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t'))
            ++pos_;
    }

    std::string_view text_;
    std::size_t line_;
    std::size_t pos_ = 0;
};

std::vector<std::uint8_t> HexBytes(std::string_view list, std::size_t line) {
    std::vector<std::uint8_t> bytes;
    list = runtime::Trim(list);
    if (list.empty())
        return bytes;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = list.find(',', start);
        const std::string_view token = runtime::Trim(
            list.substr(start, comma == std::string_view::npos ? comma : comma - start));
        const auto byte = ParseHex(token, 2);
        if (!byte)
            Fail(line, "'" + std::string(token) + "' is not a hexadecimal byte");
        bytes.push_back(static_cast<std::uint8_t>(*byte));
        if (comma == std::string_view::npos)
            break;
        start = comma + 1;
    }
    return bytes;
}

std::vector<std::uint8_t> Terminated(const std::string& text) {
    std::vector<std::uint8_t> bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

// The data after '=': "text", dword:, hex: or hex(N):.
RegistryValue ParseData(LineParser& p, bool version5, std::size_t line) {
    if (p.Peek('"')) {
        RegistryValue value{REG_SZ, Terminated(p.Quoted())};
        p.ExpectEnd();
        return value;
    }
    if (p.Take('-'))
        Fail(line, "removing values is not supported");
    if (p.TakeWord("dword:")) {
        const auto number = ParseHex(runtime::Trim(p.Rest()), 8);
        if (!number)
            Fail(line, "a dword needs one to eight hexadecimal digits");
        RegistryValue value{REG_DWORD, {}};
        for (int shift = 0; shift < 32; shift += 8) {
            value.data.push_back(static_cast<std::uint8_t>(*number >> shift));
        }
        return value;
    }
    std::uint32_t type = REG_BINARY;
    if (p.TakeWord("hex(")) {
        const auto number = ParseHex(runtime::Trim(p.Until(')')), 8);
        if (!number)
            Fail(line, "hex(N) needs a hexadecimal type number");
        type = *number;
        if (!p.Take(':'))
            Fail(line, "expected ':' after hex(N)");
    } else if (!p.TakeWord("hex:")) {
        Fail(line, "unknown value data");
    }
    RegistryValue value{type, HexBytes(p.Rest(), line)};
    // Version 5 files hold the string types as UTF-16LE; the narrow calls hand out bytes.
    const bool stringType = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    if (version5 && stringType) {
        if (value.data.size() % 2 != 0)
            Fail(line, "UTF-16 string data needs an even length");
        const std::string narrow = NarrowFromUtf16(value.data.data(), value.data.size());
        value.data.assign(narrow.begin(), narrow.end());
    }
    return value;
}

std::string DecodeFileText(const std::string& raw) {
    if (raw.size() >= 2 && static_cast<std::uint8_t>(raw[0]) == 0xFF &&
        static_cast<std::uint8_t>(raw[1]) == 0xFE) {
        return NarrowFromUtf16(reinterpret_cast<const std::uint8_t*>(raw.data()) + 2,
                               raw.size() - 2);
    }
    if (raw.starts_with("\xEF\xBB\xBF"))
        return raw.substr(3);
    return raw;
}

// The number of key names in a key line's path, stray separators not counted.
std::size_t KeyDepth(std::string_view path) {
    std::size_t depth = 0;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] != '\\' && (i == 0 || path[i - 1] == '\\'))
            ++depth;
    }
    return depth;
}

std::string BytesText(std::size_t n) {
    return std::to_string(n) + " bytes";
}

}  // namespace

Hive ParseRegFile(const std::string& fileText) {
    if (fileText.size() > kMaxRegFileSize) {
        Fail(1, "the file has " + BytesText(fileText.size()) + ", more than the " +
                    BytesText(kMaxRegFileSize) + " a registry file may have");
    }
    const std::string text = DecodeFileText(fileText);
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string_view line(text.data() + start, end - start);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.size() > kMaxRegLineLength) {
            Fail(lines.size() + 1, "the line has " + BytesText(line.size()) + ", more than the " +
                                       BytesText(kMaxRegLineLength) + " a line may have");
        }
        lines.push_back(line);
        start = end + 1;
    }
    const std::string_view header = lines.empty() ? std::string_view() : runtime::Trim(lines[0]);
    const bool version5 = header == kVersion5Header;
    if (!version5 && header != kVersion4Header) {
        Fail(1, "expected \"" + std::string(kVersion5Header) + "\" or \"" +
                    std::string(kVersion4Header) + "\"");
    }

    Hive hive;
    std::optional<Hive::KeyId> key;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::size_t lineNumber = i + 1;
        std::string logical(runtime::Trim(lines[i]));
        // A trailing backslash continues the value on the next line.
        while (!logical.empty() && logical.back() == '\\' && i + 1 < lines.size()) {
            logical.pop_back();
            logical += runtime::Trim(lines[++i]);
            if (logical.size() > kMaxRegLineLength) {
                Fail(lineNumber, "the value's continued lines have more than the " +
                                     BytesText(kMaxRegLineLength) + " a line may have");
            }
        }
        if (logical.empty() || logical.front() == ';')
            continue;

        if (logical.front() == '[') {
            if (logical.back() != ']')
                Fail(lineNumber, "a key line must end with ']'");
            const std::string path = logical.substr(1, logical.size() - 2);
            if (path.empty() || path.front() == '-') {
                Fail(lineNumber, "removing keys is not supported");
            }
            if (!runtime::StartsWithNoCase(path, "HKEY_"))
                Fail(lineNumber, "unknown root key");
            if (const std::size_t depth = KeyDepth(path); depth > kMaxRegKeyDepth) {
                Fail(lineNumber, "the key is nested " + std::to_string(depth) +
                                     " levels deep, more than the " +
                                     std::to_string(kMaxRegKeyDepth) + " the registry allows");
            }
            key = hive.createKey(path);
            continue;
        }
        if (!key)
            Fail(lineNumber, "a value must follow a key line");

        LineParser p(logical, lineNumber);
        std::string name;
        if (!p.Take('@'))
            name = p.Quoted();
        if (!p.Take('='))
            Fail(lineNumber, "expected '=' after the value name");

        RegistryValue value = ParseData(p, version5, lineNumber);
        value.line = lineNumber;
        hive.set(*key, name, std::move(value));
    }
    return hive;
}

Hive LoadRegFile(const std::string& path) {
    const auto fail = [&](const std::string& reason) {
        runtime::Raise(runtime::err::kInvalidProcedureCall, std::string(runtime::kComponentSource),
                       "Cannot read the registry file " + path + ": " + reason);
    };
    std::error_code ec;
    const auto status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found)
        return Hive{};
    if (status.type() != std::filesystem::file_type::regular)
        fail("it is not a regular file");
    if (const auto size = std::filesystem::file_size(path, ec); !ec && size > kMaxRegFileSize) {
        fail("it has " + BytesText(size) + ", more than the " + BytesText(kMaxRegFileSize) +
             " a registry file may have");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        fail(std::strerror(errno));
    // Never more than the limit and one byte, should the file grow while it is read.
    std::string raw(kMaxRegFileSize + 1, '\0');
    in.read(raw.data(), static_cast<std::streamsize>(raw.size()));
    raw.resize(static_cast<std::size_t>(in.gcount()));
    try {
        Hive hive = ParseRegFile(raw);
        hive.file = path;
        return hive;
    } catch (const runtime::Error& e) {
        runtime::Raise(e.number(), e.source(), path + ": " + e.description());
    }
}

}  // namespace xfer::platform
