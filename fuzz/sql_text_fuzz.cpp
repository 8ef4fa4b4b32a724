// The provider's text parsers on arbitrary text: the Given_ parameter rewriting and the
// connection string. Oracles:
// - rewriting numbers the distinct parameter names (letter case ignored) by first occurrence:
//   the ?N in the result appear as 1, 2, 3... each new one the next number, as many as there
//   are names, each name a Given_ identifier; rewriting the result again changes nothing;
// - a connection string either is refused with an error, or names the provider and a data
//   source; and any path that the database path check accepts comes back unchanged from the
//   connection string built around it.

#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "data/database.h"
#include "data/sql_provider.h"
#include "oracle.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace {

using namespace xfer;

void checkRewriting(std::string_view sql) {
    // A '?' of the input would read as one of the numbers.
    if (sql.find('?') != std::string_view::npos)
        return;
    std::vector<std::string> names;
    const std::string rewritten = data::RewriteParameters(sql, &names);
    std::set<std::string> distinct;
    for (const std::string& name : names) {
        XFER_ORACLE(runtime::StartsWithNoCase(name, "Given_") && name.size() > 6,
                    "a parameter is a Given_ name");
        XFER_ORACLE(distinct.insert(runtime::ToUpper(name)).second, "each name is numbered once");
    }
    std::size_t highest = 0;
    for (std::size_t at = rewritten.find('?'); at != std::string::npos;
         at = rewritten.find('?', at + 1)) {
        std::size_t number = 0;
        std::size_t end = at + 1;
        while (end < rewritten.size() && std::isdigit(static_cast<unsigned char>(rewritten[end])))
            number = number * 10 + static_cast<std::size_t>(rewritten[end++] - '0');
        XFER_ORACLE(number >= 1 && number <= highest + 1, "numbered by first occurrence");
        highest = std::max(highest, number);
    }
    XFER_ORACLE(highest == names.size(), "as many numbers as names");
    std::vector<std::string> again;
    XFER_ORACLE(data::RewriteParameters(rewritten, &again) == rewritten && again.empty(),
                "rewriting the result changes nothing");
}

void checkConnectionString(std::string_view text) {
    try {
        const data::ConnectionString parsed = data::ParseConnectionString(text);
        XFER_ORACLE(runtime::EqualsNoCase(parsed.provider, data::kProviderName),
                    "a parsed string names the provider");
        XFER_ORACLE(!parsed.dataSource.empty(), "a parsed string names a data source");
    } catch (const runtime::Error&) {
    }
}

void checkPathRoundTrip(const std::string& path) {
    if (path.empty())
        return;
    try {
        data::CheckConnectablePath(path);
    } catch (const runtime::Error&) {
        return;
    }
    const auto parsed = data::ParseConnectionString(std::string("Provider=") + data::kProviderName +
                                                    ";Data Source=" + path);
    XFER_ORACLE(parsed.dataSource == path, "an accepted path comes back unchanged");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(fuzz::asText(data, size));
    checkRewriting(text);
    checkConnectionString(text);
    checkPathRoundTrip(text);
    return 0;
}
