#include "data/sql_provider.h"

#include <sqlite3.h>

#include <cctype>
#include <filesystem>
#include <map>
#include <system_error>
#include <unordered_map>
#include <utility>

#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

// The provider's catch-all failure number (E_FAIL), used where the engine has no code.
constexpr long kProviderFailure = -2147467259;
constexpr long kProviderNotFound = 3706;
constexpr long kBadConnectionString = -2147217805;
constexpr long kObjectOpen = 3705;

constexpr std::string_view kParameterPrefix = "Given_";

[[noreturn]] void RaiseProvider(long number, std::string description) {
    runtime::Raise(number, kProviderSource, std::move(description));
}

[[noreturn]] void RaiseEngine(sqlite3* db) {
    RaiseProvider(sqlite3_extended_errcode(db), sqlite3_errmsg(db));
}

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

}  // namespace

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
        start = end + 1;
        if (part.empty())
            continue;
        const std::size_t eq = part.find('=');
        if (eq == std::string_view::npos) {
            RaiseProvider(kBadConnectionString, "The connection string is not valid: '" +
                                                    std::string(part) + "' has no value.");
        }
        const std::string_view keyword = runtime::Trim(part.substr(0, eq));
        const std::string value(Unquote(runtime::Trim(part.substr(eq + 1))));
        if (runtime::EqualsNoCase(keyword, "Provider")) {
            result.provider = value;
            haveProvider = true;
        } else if (runtime::EqualsNoCase(keyword, "Data Source")) {
            result.dataSource = value;
            haveSource = true;
        }
        // Other keywords (user, password, modes) do not change how the file is opened.
    }
    if (!haveProvider || !runtime::EqualsNoCase(result.provider, kProviderName)) {
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
    std::string out;
    out.reserve(sql.size());
    std::unordered_map<std::string, int> numbers;  // upper-cased name -> number
    std::vector<std::string> order;
    const auto number = [&](std::string_view name) {
        const auto [it, added] =
            numbers.try_emplace(runtime::UCase(name), static_cast<int>(numbers.size()) + 1);
        if (added)
            order.emplace_back(name);
        return "?" + std::to_string(it->second);
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
        } else if (c == '`') {
            const std::size_t close = sql.find('`', i + 1);
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

struct Connection::Impl {
    struct Statement {
        sqlite3_stmt* stmt = nullptr;
        std::shared_ptr<const Recordset::Columns> columns;  // null for an action statement
    };

    sqlite3* db = nullptr;
    std::map<std::string, Statement, std::less<>> statements;

    ~Impl() { Close(); }

    void Close() noexcept {
        for (auto& [key, statement] : statements)
            sqlite3_finalize(statement.stmt);
        statements.clear();
        if (db != nullptr)
            sqlite3_close_v2(db);
        db = nullptr;
    }

    void Open(const std::string& connectionString, std::chrono::milliseconds busyTimeout) {
        const ConnectionString parsed = ParseConnectionString(connectionString);
        // Opened read-write and never created: a missing database is an error, not a new file.
        // A connection is only used on the component's one thread, so SQLite need not lock it
        // on every call (reading a row's columns took a mutex per value).
        const int rc = sqlite3_open_v2(parsed.dataSource.c_str(), &db,
                                       SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
        if (rc != SQLITE_OK) {
            std::error_code ec;
            const bool missing = !std::filesystem::exists(parsed.dataSource, ec);
            const long code = db != nullptr ? sqlite3_extended_errcode(db) : rc;
            std::string message = db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
            Close();
            if (missing) {
                RaiseProvider(kProviderFailure, "Could not find file '" + parsed.dataSource + "'.");
            }
            RaiseProvider(code, message + " (" + parsed.dataSource + ")");
        }
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, static_cast<int>(busyTimeout.count()));
        // Read the schema now, so that a file that is not a database fails on opening and the
        // next command tries again instead of running on a broken connection.
        char* error = nullptr;
        if (sqlite3_exec(db, "PRAGMA foreign_keys = OFF; SELECT count(*) FROM sqlite_master",
                         nullptr, nullptr, &error) != SQLITE_OK) {
            const long code = sqlite3_extended_errcode(db);
            std::string message = error != nullptr ? error : sqlite3_errmsg(db);
            sqlite3_free(error);
            Close();
            RaiseProvider(code, message + " (" + parsed.dataSource + ")");
        }
    }

    Statement& Prepare(std::string_view key, std::string_view sql) {
        if (const auto found = statements.find(key); found != statements.end()) {
            return found->second;
        }
        const std::string rewritten = RewriteParameters(sql);
        Statement statement;
        if (sqlite3_prepare_v3(db, rewritten.c_str(), static_cast<int>(rewritten.size()),
                               SQLITE_PREPARE_PERSISTENT, &statement.stmt, nullptr) != SQLITE_OK) {
            sqlite3_finalize(statement.stmt);
            RaiseEngine(db);
        }
        if (const int count = sqlite3_column_count(statement.stmt); count > 0) {
            std::vector<std::string> names;
            for (int i = 0; i < count; ++i)
                names.emplace_back(sqlite3_column_name(statement.stmt, i));
            statement.columns = Recordset::MakeColumns(std::move(names));
        }
        return statements.emplace(std::string(key), statement).first->second;
    }
};

namespace {

// One look-up of the column's value per field: each sqlite3_column_* call checks the
// statement anew. The value is read at once, on the connection's one thread.
void AppendColumn(RecordsetBuilder& rows, sqlite3_stmt* stmt, int column) {
    sqlite3_value* value = sqlite3_column_value(stmt, column);
    switch (sqlite3_value_type(value)) {
        case SQLITE_INTEGER:
            rows.Integer(sqlite3_value_int64(value));
            return;
        case SQLITE_FLOAT:
            rows.Real(sqlite3_value_double(value));
            return;
        case SQLITE_TEXT: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
            rows.Text(std::string_view(text, static_cast<std::size_t>(sqlite3_value_bytes(value))));
            return;
        }
        case SQLITE_BLOB: {
            const auto* data = static_cast<const std::uint8_t*>(sqlite3_value_blob(value));
            rows.Blob({data, static_cast<std::size_t>(sqlite3_value_bytes(value))});
            return;
        }
        default:
            rows.Null();
            return;
    }
}

// Leaves the statement ready for its next run on every path, so that no read lock is held
// between commands.
class StatementRun {
  public:
    explicit StatementRun(sqlite3_stmt* stmt) : stmt_(stmt) {}
    ~StatementRun() {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
    StatementRun(const StatementRun&) = delete;
    StatementRun& operator=(const StatementRun&) = delete;

  private:
    sqlite3_stmt* stmt_;
};

}  // namespace

Connection::Connection() : impl_(std::make_unique<Impl>()) {}

Connection::~Connection() = default;

void Connection::setConnectionString(std::string text) {
    if (isOpen()) {
        RaiseProvider(kObjectOpen, "Operation is not allowed when the object is open.");
    }
    connectionString_ = std::move(text);
}

bool Connection::isOpen() const noexcept {
    return impl_->db != nullptr;
}

void Connection::close() noexcept {
    impl_->Close();
}

void Connection::execute(std::string_view key, std::string_view sql,
                         const std::vector<std::string>& values, Recordset* rows) {
    if (!isOpen())
        impl_->Open(connectionString_, busyTimeout_);
    sqlite3_busy_timeout(impl_->db, static_cast<int>(busyTimeout_.count()));
    Impl::Statement& statement = impl_->Prepare(key, sql);
    sqlite3_stmt* stmt = statement.stmt;
    StatementRun run(stmt);

    if (static_cast<std::size_t>(sqlite3_bind_parameter_count(stmt)) != values.size()) {
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    }
    // Every value goes in as text; the column's type converts it.
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (sqlite3_bind_text(stmt, static_cast<int>(i) + 1, values[i].data(),
                              static_cast<int>(values[i].size()), SQLITE_TRANSIENT) != SQLITE_OK) {
            RaiseEngine(impl_->db);
        }
    }

    if (!statement.columns || rows == nullptr) {
        // Nothing to keep: run it to the end.
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(impl_->db);
        }
        return;
    }
    try {
        RecordsetBuilder builder(*rows, statement.columns);
        const int columnCount = sqlite3_column_count(stmt);
        for (int rc = sqlite3_step(stmt); rc != SQLITE_DONE; rc = sqlite3_step(stmt)) {
            if (rc != SQLITE_ROW)
                RaiseEngine(impl_->db);
            for (int i = 0; i < columnCount; ++i)
                AppendColumn(builder, stmt, i);
        }
    } catch (...) {
        rows->close();  // half a result is never read
        throw;
    }
}

}  // namespace xfer::data
