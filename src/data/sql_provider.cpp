#include "data/sql_provider.h"

#include <cctype>
#include <unordered_map>
#include <utility>

#include "data/provider_session.h"
#include "data/shared_sessions.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

constexpr long kProviderNotFound = 3706;
constexpr long kBadConnectionString = -2147217805;
constexpr long kObjectOpen = 3705;

constexpr std::string_view kParameterPrefix = "Given_";
constexpr std::string_view kDataSource = "Data Source";

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsParameterName(std::string_view word) {
    if (!runtime::StartsWithNoCase(word, kParameterPrefix) ||
        word.size() == kParameterPrefix.size())
        return false;
    for (char c : word) {
        if (!IsIdentifierChar(c))
            return false;
    }
    return true;
}

// How a provider writes what the scan finds: the n-th parameter, and a quoted name.
struct Dialect {
    char parameterMark;    // ?N or $N
    bool foldQuotedNames;  // `Name` and [Name] become "name"
};

std::string FoldedName(std::string_view name) {
    std::string out = "\"";
    for (const char c : name) {
        if (c == '"')
            out += '"';
        out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out + '"';
}

std::string Rewrite(std::string_view sql, std::vector<std::string>* names, Dialect dialect) {
    std::string out;
    out.reserve(sql.size());
    std::unordered_map<std::string, int> numbers;  // upper-cased name -> number
    std::vector<std::string> order;
    const auto number = [&](std::string_view name) {
        const auto [it, added] =
            numbers.try_emplace(runtime::ToUpper(name), static_cast<int>(numbers.size()) + 1);
        if (added)
            order.emplace_back(name);
        return dialect.parameterMark + std::to_string(it->second);
    };

    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (c == '\'' || c == '"') {
            // A literal is copied untouched, doubled quotes included.
            std::size_t end = i + 1;
            while (end < sql.size()) {
                if (sql[end] == c) {
                    if (end + 1 < sql.size() && sql[end + 1] == c) {
                        end += 2;
                        continue;
                    }
                    break;
                }
                ++end;
            }
            end = std::min(end + 1, sql.size());
            out.append(sql.substr(i, end - i));
            i = end;
        } else if (c == '`' || (c == '[' && dialect.foldQuotedNames)) {
            const std::size_t close = sql.find(c == '`' ? '`' : ']', i + 1);
            if (close == std::string_view::npos) {
                out.append(sql.substr(i));
                break;
            }
            const std::string_view inner = sql.substr(i + 1, close - i - 1);
            if (IsParameterName(inner)) {
                out += number(inner);
                // A digit right after the closing quote would run into the number
                // (`Given_A`0 must not read as ?10).
                if (close + 1 < sql.size() &&
                    std::isdigit(static_cast<unsigned char>(sql[close + 1])))
                    out += ' ';
            } else if (dialect.foldQuotedNames) {
                out += FoldedName(inner);
            } else {
                out.append(sql.substr(i, close + 1 - i));
            }
            i = close + 1;
        } else if (IsIdentifierChar(c)) {
            std::size_t end = i;
            while (end < sql.size() && IsIdentifierChar(sql[end]))
                ++end;
            const std::string_view word = sql.substr(i, end - i);
            if (IsParameterName(word)) {
                out += number(word);
            } else {
                out.append(word);
            }
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    if (names != nullptr)
        *names = std::move(order);
    return out;
}

}  // namespace

void RaiseProvider(long number, std::string description) {
    runtime::Raise(number, kProviderSource, std::move(description));
}

bool ConnectionString::onServer() const {
    return runtime::EqualsNoCase(provider, kServerProviderName);
}

ConnectionString ParseConnectionString(std::string_view text) {
    ConnectionString result;
    bool haveProvider = false;
    bool haveSource = false;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(';', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view part = runtime::Trim(text.substr(start, end - start));
        const std::size_t partStart = start;
        start = end + 1;
        if (part.empty())
            continue;
        const std::size_t eq = part.find('=');
        if (eq == std::string_view::npos) {
            RaiseProvider(kBadConnectionString, "The connection string is not valid: '" +
                                                    std::string(part) + "' has no value.");
        }
        const std::string_view keyword = runtime::Trim(part.substr(0, eq));
        if (haveProvider && result.onServer() && runtime::EqualsNoCase(keyword, kDataSource)) {
            // The server's connection string is the rest of the text, semicolons and all.
            const std::size_t value = text.find('=', partStart) + 1;
            result.dataSource = std::string(runtime::Trim(text.substr(value)));
            haveSource = true;
            break;
        }
        const std::string value(Unquote(runtime::Trim(part.substr(eq + 1))));
        if (runtime::EqualsNoCase(keyword, "Provider")) {
            result.provider = value;
            haveProvider = true;
        } else if (runtime::EqualsNoCase(keyword, kDataSource)) {
            result.dataSource = value;
            haveSource = true;
        }
        // Other keywords (user, password, modes) do not change how the file is opened.
    }
    if (!haveProvider ||
        !(runtime::EqualsNoCase(result.provider, kProviderName) || result.onServer())) {
        RaiseProvider(kProviderNotFound,
                      "Provider cannot be found. It may not be properly installed. (Provider: " +
                          result.provider + ")");
    }
    if (!haveSource || result.dataSource.empty()) {
        RaiseProvider(kProviderFailure, "The connection string names no Data Source.");
    }
    return result;
}

std::string RewriteParameters(std::string_view sql, std::vector<std::string>* names) {
    return Rewrite(sql, names, {'?', false});
}

std::string AdaptForServer(std::string_view sql, std::vector<std::string>* names) {
    return Rewrite(sql, names, {'$', true});
}

long ServerErrorNumber(std::string_view sqlstate) {
    long number = 0;
    for (std::size_t i = 0; i < sqlstate.size() && i < 5; ++i)
        number |= static_cast<long>((sqlstate[i] - '0') & 0x3F) << (6 * i);
    return number;
}

Connection::Connection(SharedSessions* shared) : shared_(shared) {}

Connection::~Connection() = default;

void Connection::setConnectionString(std::string text) {
    if (isOpen()) {
        RaiseProvider(kObjectOpen, "Operation is not allowed when the object is open.");
    }
    connectionString_ = std::move(text);
}

bool Connection::isOpen() const noexcept {
    return session_ != nullptr;
}

void Connection::close() noexcept {
    session_.reset();
}

Connection::Session& Connection::session() {
    if (session_ && !session_->usable())
        session_.reset();  // lost while another connection used the shared session
    if (!session_) {
        const ConnectionString parsed = ParseConnectionString(connectionString_);
        if (shared_ != nullptr)
            session_ = shared_->open(parsed, busyTimeout_);
        else if (parsed.onServer())
            session_ = OpenServerSession(parsed.dataSource, busyTimeout_);
        else
            session_ = OpenFileSession(parsed.dataSource, busyTimeout_);
    }
    return *session_;
}

void Connection::execute(std::string_view key, std::string_view sql,
                         const std::vector<std::string>& values, Recordset* rows,
                         RowReading reading) {
    Session& open = session();
    try {
        open.execute(key, sql, values, rows, reading, busyTimeout_);
    } catch (...) {
        if (!open.usable())
            session_.reset();  // the server has gone: the next command connects again
        throw;
    }
}

void Connection::sendAhead(const std::vector<StatementAhead>& statements) noexcept {
    try {
        session().sendAhead(statements, busyTimeout_);
    } catch (...) {
        // Only a saving: each statement still runs, and reports its failure, when asked.
        if (session_ && !session_->usable())
            session_.reset();
    }
}

void Connection::forgetAhead() noexcept {
    if (session_)
        session_->forgetAhead();
}

bool Connection::sendsAhead() const noexcept {
    try {
        return ParseConnectionString(connectionString_).onServer();
    } catch (...) {
        return false;  // the first command reports the connection string
    }
}

void Connection::begin(TransactionMode mode) {
    session().begin(mode);
}

void Connection::commit() {
    if (!session_)
        RaiseProvider(kProviderFailure, "No transaction is open on the connection.");
    session_->commit();
}

void Connection::rollback() noexcept {
    if (session_)
        session_->rollback();
}

}  // namespace xfer::data
