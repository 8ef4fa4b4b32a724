#include "data/database.h"

#include <algorithm>
#include <vector>

#include "data/database_choice.h"
#include "data/folders.h"
#include "runtime/error.h"
#include "runtime/text.h"
#include "runtime/utf8.h"

namespace xfer::data {

namespace {

// The number of distinct parameters of each command, counted once from its SQL text, so that
// a wrong call is refused before the database is even opened.
const std::vector<std::size_t>& ParameterCounts() {
    static const std::vector<std::size_t> counts = [] {
        std::vector<std::size_t> result;
        for (const CommandDef& def : Commands()) {
            std::vector<std::string> names;
            RewriteParameters(def.sql, &names);
            result.push_back(names.size());
        }
        return result;
    }();
    return counts;
}

std::size_t Index(CommandId id) {
    return static_cast<std::size_t>(id);
}

// The result sets that their readers walk once, front to back, and close before the command
// runs again read their rows from the statement itself. The others are kept while other
// commands run (a node's row while its targets' labels are read) and are copied out.
RowReading ReadingOf(CommandId id) {
    switch (id) {
        case CommandId::Get_Node_Names:
        case CommandId::Get_Max_NodeNumber:
        case CommandId::Get_Node_Type_can_contain_nodes:
        case CommandId::Get_All_XFER_Nodes:
            return RowReading::Streamed;
        default:
            return RowReading::Buffered;
    }
}

bool ValidParams(CommandId id, const Params& params) {
    return params.size() == ParameterCounts().at(Index(id)) &&
           std::all_of(params.begin(), params.end(),
                       [](const std::string& p) { return runtime::utf8::IsValid(p); });
}

}  // namespace

void CheckConnectablePath(const std::string& path) {
    std::string why;
    if (path.find(';') != std::string::npos) {
        why = "contains ';', which would end the connection string's Data Source";
    } else if (path.find('\0') != std::string::npos) {
        why = "contains a NUL character";
    } else if (runtime::Trim(path).size() != path.size()) {
        why = "begins or ends with white space, which the connection string would drop";
    } else if (path.size() >= 2 && (path.front() == '"' || path.front() == '\'') &&
               path.back() == path.front()) {
        why = "is enclosed in quotes, which the connection string would take away";
    } else {
        return;
    }
    runtime::Raise(runtime::err::kInvalidProcedureCall, std::string(runtime::kComponentSource),
                   "The database path " + path + " " + why +
                       ": the database cannot be opened there. Use a folder without it.");
}

DataBase::DataBase(const platform::Platform& platform, SharedSessions* shared)
    : platform_(platform), Conn(shared) {
    DataEnvironment_Initialize();
}

void DataBase::DataEnvironment_Initialize() {
    Conn.setConnectionString(GetConnectionString());
}

std::string DataBase::GetConnectionString() const {
    if (const DatabaseChoice choice = ChooseDatabase(platform_); choice.onServer())
        return kServerConnectionPrefix + choice.server;
    const std::string path =
        VDACOMPlusFilesAndFolders(platform_).GetDatabaseFolder() + names::kDatabaseFile;
    CheckConnectablePath(path);
    return kFileConnectionPrefix + path;
}

void DataBase::execute(CommandId id, const Params& params) {
    if (params.size() != ParameterCounts().at(Index(id))) {
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    }
    const CommandDef& def = Command(id);
    // The last guard before the database: text that is not UTF-8 is never written, nor
    // looked for, whatever let it through on the way.
    for (std::size_t i = 0; i < params.size(); ++i) {
        if (!runtime::utf8::IsValid(params[i])) {
            runtime::Raise(runtime::err::kInvalidProcedureCall,
                           std::string(runtime::kComponentSource),
                           std::string(def.name) + ": parameter " + std::to_string(i + 1) +
                               " is not valid UTF-8 text; the command was not run");
        }
    }
    if (!def.returnsRows) {
        Conn.execute(def.name, def.sql, params, nullptr);
        return;
    }
    // The previous rows go even when the new run fails: a stale result set is never read.
    results_[Index(id)].close();
    Conn.execute(def.name, def.sql, params, &results_[Index(id)], ReadingOf(id));
}

void DataBase::sendAhead(const std::vector<Ahead>& commands) noexcept {
    try {
        std::vector<StatementAhead> statements;
        statements.reserve(commands.size());
        for (const Ahead& command : commands) {
            const CommandDef& def = Command(command.id);
            if (def.returnsRows && ValidParams(command.id, command.params))
                statements.push_back({def.name, def.sql, command.params});
        }
        Conn.sendAhead(statements);
    } catch (...) {
        // Only a saving (memory ran out): each command runs when asked.
    }
}

Recordset& DataBase::resultSet(CommandId id) {
    return results_.at(Index(id));
}

}  // namespace xfer::data
