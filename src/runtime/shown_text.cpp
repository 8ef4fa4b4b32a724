#include "runtime/shown_text.h"

#include <utf8.h>

#include <cstdio>

namespace xfer::runtime {

std::string ValidText(std::string_view text) {
    if (::utf8::is_valid(text.begin(), text.end()))
        return std::string(text);
    std::string valid;
    valid.reserve(text.size() + 8);
    ::utf8::replace_invalid(text.begin(), text.end(), std::back_inserter(valid), 0xFFFD);
    return valid;
}

std::string OneLineText(std::string_view text) {
    const std::string valid = ValidText(text);
    std::string out;
    out.reserve(valid.size());
    for (auto it = valid.begin(); it != valid.end();) {
        const auto from = it;
        const std::uint32_t code = ::utf8::unchecked::next(it);
        char escape[8];
        switch (code) {
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\\':
                out += "\\\\";
                break;
            default:
                if (code < 0x20 || code == 0x7F) {
                    std::snprintf(escape, sizeof escape, "\\x%02X", static_cast<unsigned>(code));
                    out += escape;
                } else if (code >= 0x80 && code <= 0x9F) {
                    std::snprintf(escape, sizeof escape, "\\u%04X", static_cast<unsigned>(code));
                    out += escape;
                } else {
                    out.append(from, it);
                }
        }
    }
    return out;
}

}  // namespace xfer::runtime
