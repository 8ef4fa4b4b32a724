// What schema/schema.sql defines, read from its text, and the same text in the server's
// dialect. The script is the one source of both databases' tables.

#include <cctype>
#include <map>
#include <string>

#include "data/schema.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

bool IsWordChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

// The script without its comments: the statements alone.
std::string WithoutComments(std::string_view sql) {
    std::string out;
    for (std::size_t i = 0; i < sql.size(); ++i) {
        if (sql[i] == '\'') {
            const std::size_t end = sql.find('\'', i + 1);
            const std::size_t stop = end == std::string_view::npos ? sql.size() : end + 1;
            out.append(sql.substr(i, stop - i));
            i = stop - 1;
        } else if (sql.substr(i, 2) == "--") {
            i = std::min(sql.find('\n', i), sql.size()) - 1;
        } else {
            out += sql[i];
        }
    }
    return out;
}

std::string Unquoted(std::string_view name) {
    name = runtime::Trim(name);
    if (name.size() >= 2 && (name.front() == '"' || name.front() == '`'))
        return std::string(name.substr(1, name.size() - 2));
    return std::string(name);
}

// The comma-separated items at the top level of a parenthesised list.
std::vector<std::string> Items(std::string_view list) {
    std::vector<std::string> items;
    int depth = 0;
    std::string current;
    for (const char c : list) {
        if (c == ',' && depth == 0) {
            items.emplace_back(runtime::Trim(current));
            current.clear();
            continue;
        }
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        current += c;
    }
    if (!runtime::Trim(current).empty())
        items.emplace_back(runtime::Trim(current));
    return items;
}

std::string_view Between(std::string_view text, char open, char close) {
    const std::size_t first = text.find(open);
    const std::size_t last = text.rfind(close);
    if (first == std::string_view::npos || last == std::string_view::npos || last < first)
        return {};
    return text.substr(first + 1, last - first - 1);
}

std::vector<std::string> NameList(std::string_view list) {
    std::vector<std::string> names;
    for (const std::string& item : Items(list))
        names.push_back(Unquoted(item));
    return names;
}

// The words of a statement's head: CREATE TABLE name, CREATE INDEX name ON table.
std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        if (std::isspace(static_cast<unsigned char>(text[i])) != 0) {
            ++i;
            continue;
        }
        if (text[i] == '(')
            break;
        std::size_t end = i;
        while (end < text.size() && std::isspace(static_cast<unsigned char>(text[end])) == 0 &&
               text[end] != '(')
            ++end;
        words.push_back(Unquoted(text.substr(i, end - i)));
        i = end;
    }
    return words;
}

std::vector<SchemaTable> ReadTables(std::string_view script) {
    std::vector<SchemaTable> tables;
    const std::string sql = WithoutComments(script);
    std::size_t start = 0;
    while (start < sql.size()) {
        std::size_t end = sql.find(';', start);
        if (end == std::string::npos)
            end = sql.size();
        const std::string_view statement =
            runtime::Trim(std::string_view(sql).substr(start, end - start));
        start = end + 1;
        const std::vector<std::string> words = Words(statement);
        if (words.size() >= 3 && runtime::EqualsNoCase(words[0], "CREATE") &&
            runtime::EqualsNoCase(words[1], "TABLE")) {
            SchemaTable table{words[2], {}, {}, {}};
            for (const std::string& item : Items(Between(statement, '(', ')'))) {
                if (runtime::StartsWithNoCase(item, "PRIMARY KEY")) {
                    table.primaryKey = NameList(Between(item, '(', ')'));
                    continue;
                }
                const std::vector<std::string> parts = Words(item);
                table.columns.push_back({parts.at(0), runtime::ToUpper(parts.at(1))});
            }
            tables.push_back(std::move(table));
        } else if (words.size() >= 5 && runtime::EqualsNoCase(words[0], "CREATE") &&
                   runtime::EqualsNoCase(words[1], "INDEX")) {
            for (SchemaTable& table : tables) {
                if (runtime::EqualsNoCase(table.name, words[4]))
                    table.indexes.push_back({words[2], NameList(Between(statement, '(', ')'))});
            }
        }
    }
    return tables;
}

}  // namespace

const std::vector<SchemaTable>& SchemaTables() {
    static const std::vector<SchemaTable> tables = ReadTables(SchemaSql());
    return tables;
}

std::string_view CanonicalName(std::string_view name) {
    static const std::map<std::string, std::string> names = [] {
        std::map<std::string, std::string> result;
        for (const SchemaTable& table : SchemaTables()) {
            result.try_emplace(Lower(table.name), table.name);
            for (const SchemaColumn& column : table.columns)
                result.try_emplace(Lower(column.name), column.name);
        }
        return result;
    }();
    const auto found = names.find(Lower(name));
    return found == names.end() ? name : std::string_view(found->second);
}

std::string ServerSchemaSql() {
    const std::string_view sql = SchemaSql();
    std::string out;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        if (sql.substr(i, 2) == "--") {
            const std::size_t end = std::min(sql.find('\n', i), sql.size());
            out.append(sql.substr(i, end - i));
            i = end;
        } else if (c == '\'') {
            const std::size_t end = std::min(sql.find('\'', i + 1), sql.size() - 1) + 1;
            out.append(sql.substr(i, end - i));
            i = end;
        } else if (c == '"') {
            // A quoted name becomes the folded name the commands' unquoted spelling meets.
            const std::size_t end = std::min(sql.find('"', i + 1), sql.size());
            out += Lower(sql.substr(i + 1, end - i - 1));
            i = end + 1;
        } else if (IsWordChar(c)) {
            std::size_t end = i;
            while (end < sql.size() && IsWordChar(sql[end]))
                ++end;
            const std::string_view word = sql.substr(i, end - i);
            if (runtime::EqualsNoCase(word, "PRAGMA") || runtime::EqualsNoCase(word, "BEGIN") ||
                runtime::EqualsNoCase(word, "COMMIT")) {
                // A setting of the SQLite file goes, and so does the script's transaction:
                // the caller makes the tables and their rows in one transaction of its own.
                end = std::min(sql.find(';', end), sql.size() - 1) + 1;
                if (end < sql.size() && sql[end] == '\n')
                    ++end;
            } else if (runtime::EqualsNoCase(word, "INTEGER")) {
                out += "BIGINT";
            } else if (!runtime::EqualsNoCase(word, "STRICT")) {
                out.append(word);
            }
            i = end;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}

}  // namespace xfer::data
