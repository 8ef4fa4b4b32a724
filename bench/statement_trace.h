#pragma once
// The database engine's own floor for a piece of editor work: every SQL statement the editor's
// connections ran, recorded from SQLite itself (text, bound values, connection), then replayed
// through SQLite's C API alone with prepared statements, stepping every row.

#include <cstddef>
#include <string>
#include <vector>

namespace xfer::bench {

struct Recording {
    enum class Kind { Open, Run, Close };
    struct Event {
        Kind kind;
        int connection;                   // in the order the connections were opened
        std::string sql;                  // Run: the statement as prepared (?N parameters)
        std::vector<std::string> values;  // Run: the values bound to ?1, ?2, ...
    };
    std::vector<Event> events;
    std::size_t runs() const;
    int connections() const;
};

// While one lives, every connection that SQLite opens in this process is traced. One at a time.
class StatementRecorder {
  public:
    StatementRecorder();
    ~StatementRecorder();
    StatementRecorder(const StatementRecorder&) = delete;
    StatementRecorder& operator=(const StatementRecorder&) = delete;

    Recording take();

    struct State;

  private:
    State* state_;
};

// Replays a recording on the database file at `path`: opens each connection when the editor
// opened it, prepares each statement once per connection on first use, binds the values as text
// and steps every row, and closes each connection when the editor closed it.
class FloorReplay {
  public:
    FloorReplay(const Recording& recording, std::string path);
    // One replay; returns the number of rows stepped.
    long long run() const;

  private:
    struct Op {
        Recording::Kind kind;
        int connection;
        int slot;  // Run: the statement's slot (one per connection and SQL text)
        std::vector<std::string> values;
    };
    std::string path_;
    std::vector<Op> ops_;
    std::vector<std::string> slotSql_;
    std::vector<int> slotConnection_;
    int connections_ = 0;
};

}  // namespace xfer::bench
