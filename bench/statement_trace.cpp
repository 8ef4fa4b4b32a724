#include "statement_trace.h"

#include <sqlite3.h>

#include <cctype>
#include <map>
#include <memory>
#include <stdexcept>
#include <utility>

namespace xfer::bench {

std::size_t Recording::runs() const {
    std::size_t n = 0;
    for (const auto& e : events)
        n += e.kind == Kind::Run ? 1 : 0;
    return n;
}

int Recording::connections() const {
    int n = 0;
    for (const auto& e : events)
        n += e.kind == Kind::Open ? 1 : 0;
    return n;
}

namespace {

// The values of ?N parameters, read back from the statement's text with the values expanded
// into it: both texts agree character for character except where a parameter stands.
std::vector<std::string> BoundValues(const std::string& sql, const std::string& expanded) {
    std::vector<std::string> values;
    std::size_t i = 0;
    std::size_t j = 0;
    char quote = 0;
    while (i < sql.size() && j < expanded.size()) {
        const char c = sql[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"' || c == '`') {
            quote = c;
        } else if (c == '?' && i + 1 < sql.size() &&
                   std::isdigit(static_cast<unsigned char>(sql[i + 1])) != 0) {
            std::size_t end = i + 1;
            while (end < sql.size() && std::isdigit(static_cast<unsigned char>(sql[end])) != 0)
                ++end;
            const auto number =
                static_cast<std::size_t>(std::stoul(sql.substr(i + 1, end - i - 1)));
            std::string value;
            if (expanded[j] != '\'')
                throw std::runtime_error("a value not bound as text in: " + sql);
            for (++j; j < expanded.size(); ++j) {
                if (expanded[j] == '\'') {
                    if (j + 1 < expanded.size() && expanded[j + 1] == '\'') {
                        value += '\'';
                        ++j;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += expanded[j];
            }
            if (values.size() < number)
                values.resize(number);
            values[number - 1] = std::move(value);
            i = end;
            continue;
        }
        if (expanded[j] != c)
            throw std::runtime_error("cannot read the values of: " + sql);
        ++i;
        ++j;
    }
    return values;
}

}  // namespace

struct StatementRecorder::State {
    Recording recording;
    std::map<sqlite3*, int> open;  // connection -> its number
    int next = 0;
    std::string error;
};

namespace {

StatementRecorder::State* gRecorder = nullptr;

int Trace(unsigned mask, void*, void* p, void* x) {
    StatementRecorder::State* state = gRecorder;
    if (state == nullptr)
        return 0;
    if (mask == SQLITE_TRACE_STMT) {
        auto* stmt = static_cast<sqlite3_stmt*>(p);
        const char* text = static_cast<const char*>(x);
        if (text != nullptr && text[0] == '-' && text[1] == '-')
            return 0;  // a trigger's body, not a statement of its own
        const auto found = state->open.find(sqlite3_db_handle(stmt));
        if (found == state->open.end())
            return 0;
        const std::string sql = sqlite3_sql(stmt);
        const std::unique_ptr<char, decltype(&sqlite3_free)> expanded(sqlite3_expanded_sql(stmt),
                                                                      sqlite3_free);
        // Nothing may be thrown through SQLite: a failure is kept and reported by take().
        try {
            if (!expanded)
                throw std::runtime_error("SQLite cannot expand: " + sql);
            state->recording.events.push_back(
                {Recording::Kind::Run, found->second, sql, BoundValues(sql, expanded.get())});
        } catch (const std::exception& e) {
            state->error = e.what();
        }
    } else if (mask == SQLITE_TRACE_CLOSE) {
        const auto found = state->open.find(static_cast<sqlite3*>(p));
        if (found != state->open.end()) {
            state->recording.events.push_back({Recording::Kind::Close, found->second, {}, {}});
            state->open.erase(found);
        }
    }
    return 0;
}

int OnOpen(sqlite3* db, const char**, const sqlite3_api_routines*) {
    StatementRecorder::State* state = gRecorder;
    if (state == nullptr)
        return SQLITE_OK;
    const int number = state->next++;
    state->open[db] = number;
    state->recording.events.push_back({Recording::Kind::Open, number, {}, {}});
    sqlite3_trace_v2(db, SQLITE_TRACE_STMT | SQLITE_TRACE_CLOSE, Trace, nullptr);
    return SQLITE_OK;
}

using EntryPoint = void (*)();

EntryPoint Entry() {
    // SQLite takes every automatic extension as a void(void) pointer and calls it with its
    // real signature.
    return reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(&OnOpen));
}

}  // namespace

StatementRecorder::StatementRecorder() : state_(new State) {
    if (gRecorder != nullptr) {
        delete state_;
        throw std::logic_error("one statement recorder at a time");
    }
    gRecorder = state_;
    sqlite3_auto_extension(Entry());
}

StatementRecorder::~StatementRecorder() {
    sqlite3_cancel_auto_extension(Entry());
    gRecorder = nullptr;
    delete state_;
}

Recording StatementRecorder::take() {
    if (!state_->error.empty())
        throw std::runtime_error(state_->error);
    return std::exchange(state_->recording, {});
}

FloorReplay::FloorReplay(const Recording& recording, std::string path) : path_(std::move(path)) {
    std::map<std::pair<int, std::string>, int> slots;
    for (const auto& e : recording.events) {
        Op op{e.kind, e.connection, -1, e.values};
        connections_ = std::max(connections_, e.connection + 1);
        if (e.kind == Recording::Kind::Run) {
            const auto [it, added] =
                slots.try_emplace({e.connection, e.sql}, static_cast<int>(slotSql_.size()));
            if (added) {
                slotSql_.push_back(e.sql);
                slotConnection_.push_back(e.connection);
            }
            op.slot = it->second;
        }
        ops_.push_back(std::move(op));
    }
}

long long FloorReplay::run() const {
    std::vector<sqlite3*> connections(static_cast<std::size_t>(connections_), nullptr);
    std::vector<sqlite3_stmt*> statements(slotSql_.size(), nullptr);
    const auto fail = [&](sqlite3* db, const std::string& what) {
        const std::string message = what + ": " + sqlite3_errmsg(db);
        for (auto* s : statements)
            sqlite3_finalize(s);
        for (auto* c : connections)
            sqlite3_close_v2(c);
        throw std::runtime_error(message);
    };
    long long rows = 0;
    for (const Op& op : ops_) {
        sqlite3*& db = connections[static_cast<std::size_t>(op.connection)];
        switch (op.kind) {
            case Recording::Kind::Open:
                if (sqlite3_open_v2(path_.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                    nullptr) != SQLITE_OK) {
                    fail(db, "open " + path_);
                }
                break;
            case Recording::Kind::Run: {
                const auto slot = static_cast<std::size_t>(op.slot);
                sqlite3_stmt*& stmt = statements[slot];
                if (stmt == nullptr &&
                    sqlite3_prepare_v3(db, slotSql_[slot].c_str(),
                                       static_cast<int>(slotSql_[slot].size()),
                                       SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) != SQLITE_OK) {
                    fail(db, "prepare " + slotSql_[slot]);
                }
                for (std::size_t i = 0; i < op.values.size(); ++i) {
                    sqlite3_bind_text(stmt, static_cast<int>(i) + 1, op.values[i].data(),
                                      static_cast<int>(op.values[i].size()), SQLITE_STATIC);
                }
                int rc = SQLITE_ROW;
                while ((rc = sqlite3_step(stmt)) == SQLITE_ROW)
                    ++rows;
                if (rc != SQLITE_DONE)
                    fail(db, "step " + slotSql_[slot]);
                sqlite3_reset(stmt);
                break;
            }
            case Recording::Kind::Close:
                for (std::size_t s = 0; s < statements.size(); ++s) {
                    if (slotConnection_[s] == op.connection) {
                        sqlite3_finalize(statements[s]);
                        statements[s] = nullptr;
                    }
                }
                sqlite3_close_v2(db);
                db = nullptr;
                break;
        }
    }
    for (auto* s : statements)
        sqlite3_finalize(s);
    for (auto* c : connections)
        sqlite3_close_v2(c);
    return rows;
}

}  // namespace xfer::bench
