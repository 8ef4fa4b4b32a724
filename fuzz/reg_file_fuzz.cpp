// The .reg reader on arbitrary text. Oracle: it either reads a hive in which every key line of
// the file names a key, and so does the line's path without its last name, or refuses with
// "Registry file, line N: ..." for a line N of the file. Memory stays in proportion to the input
// (run with -rss_limit_mb).

#include <charconv>
#include <string>
#include <vector>

#include "oracle.h"
#include "platform/registry.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace {

using namespace xfer;

// The key paths of the file's key lines, found the simple way: lines joined where a trailing
// backslash continues them, trimmed, between '[' and ']'. Only for text without a UTF-16 byte
// order mark, which the reader decodes first.
std::vector<std::string> keyLines(std::string_view text) {
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        start = end + 1;
    }
    std::vector<std::string> keys;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        std::string logical(runtime::Trim(lines[i]));
        while (!logical.empty() && logical.back() == '\\' && i + 1 < lines.size()) {
            logical.pop_back();
            logical += runtime::Trim(lines[++i]);
        }
        if (logical.size() >= 2 && logical.front() == '[' && logical.back() == ']')
            keys.push_back(logical.substr(1, logical.size() - 2));
    }
    return keys;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::asText(data, size));
    try {
        const platform::Hive hive = platform::ParseRegFile(text);
        if (text.starts_with("\xFF\xFE"))
            return 0;
        for (const std::string& key :
             keyLines(text.starts_with("\xEF\xBB\xBF") ? text.substr(3) : text)) {
            XFER_ORACLE(hive.findKey(key).has_value(), "a key line names a key of the hive");
            if (const auto at = key.rfind('\\'); at != std::string::npos)
                XFER_ORACLE(hive.findKey(key.substr(0, at)).has_value(), "a key's parent is a key");
        }
    } catch (const runtime::Error& e) {
        constexpr std::string_view kPrefix = "Registry file, line ";
        const std::string& message = e.description();
        XFER_ORACLE(message.starts_with(kPrefix), "the message says where");
        std::size_t line = 0;
        const char* first = message.data() + kPrefix.size();
        const auto [end, ec] = std::from_chars(first, message.data() + message.size(), line);
        XFER_ORACLE(ec == std::errc{} && std::string_view(end).starts_with(": "),
                    "the message names a line");
        // A line feed is a byte 0x0A in UTF-8 and in UTF-16 alike.
        XFER_ORACLE(line >= 1 && line <= fuzz::lineCount(text), "the line is one of the file's");
    }
    return 0;
}
