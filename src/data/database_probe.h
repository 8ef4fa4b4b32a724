#pragma once
// Whether a configuration database is there and answers with its tables, in the words of what
// is wrong when it does not: no file, a file that cannot be opened or is not a database, a
// server that does not answer, a database without tables, or tables the role may not read.

#include <string>

namespace xfer::data {

struct DatabaseProbe {
    bool answers = false;  // opened (the file) or connected (the server)
    long long tables = 0;  // tables of its schema, whether the role may read them or not
    // Why it cannot be used, in the engine's words ("" when it answers and can be read).
    std::string problem;
    bool ready() const noexcept { return answers && tables > 0 && problem.empty(); }
};

// Opens the file read-only, never creating it.
DatabaseProbe ProbeDatabaseFile(const std::string& path);
DatabaseProbe ProbeDatabaseServer(const std::string& connectionInfo);

}  // namespace xfer::data
