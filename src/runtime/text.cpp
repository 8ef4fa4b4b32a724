#include "runtime/text.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <string>

namespace xfer::runtime {

namespace {
// ASCII only, whatever the process's locale: a byte of a UTF-8 character (0x80 and up) is never
// changed, so case changes and trimming cannot cut a character in half.
char Upper(char c) noexcept {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}
bool IsBlank(char c) noexcept {
    return c == ' ' || (c >= '\t' && c <= '\r');
}
}  // namespace

std::string ToUpper(std::string_view s) {
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), Upper);
    return out;
}

std::string_view Trim(std::string_view s) noexcept {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool EqualsNoCase(std::string_view a, std::string_view b) noexcept {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Upper(x) == Upper(y); });
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) noexcept {
    return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string ZeroPad(long long n, int digits) {
    std::string body = std::to_string(n < 0 ? -n : n);
    if (static_cast<int>(body.size()) < digits) {
        body.insert(0, static_cast<std::size_t>(digits) - body.size(), '0');
    }
    return n < 0 ? "-" + body : body;
}

std::string NowText() {
    const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
    std::tm local{};
    localtime_r(&now, &local);
    char buf[32];
    std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M:%S", &local);
    return buf;
}

}  // namespace xfer::runtime
