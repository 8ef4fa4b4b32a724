#include "data/database.h"

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
    Conn.execute(def.name, def.sql, params, &results_[Index(id)]);
}

Recordset& DataBase::resultSet(CommandId id) {
    return results_.at(Index(id));
}

}  // namespace xfer::data
