#include "data/database.h"

#include <vector>

#include "data/database_choice.h"
#include "data/folders.h"
#include "runtime/error.h"

namespace xfer::data {

namespace {

constexpr const char* kConnectionPrefix = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=";

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

DataBase::DataBase(const platform::Platform& platform) : platform_(platform) {
    DataEnvironment_Initialize();
}

void DataBase::DataEnvironment_Initialize() {
    Conn.setConnectionString(GetConnectionString());
}

std::string DataBase::GetConnectionString() const {
    if (const DatabaseChoice choice = ChooseDatabase(platform_); choice.onServer())
        return kServerConnectionPrefix + choice.server;
    return kConnectionPrefix + VDACOMPlusFilesAndFolders(platform_).GetDatabaseFolder() +
           names::kDatabaseFile;
}

void DataBase::Execute(CommandId id, const Params& params) {
    if (params.size() != ParameterCounts().at(Index(id))) {
        runtime::RaiseRuntime(runtime::err::kWrongNumberOfArguments);
    }
    const CommandDef& def = Command(id);
    if (!def.returnsRows) {
        Conn.execute(def.name, def.sql, params, nullptr);
        return;
    }
    // The previous rows go even when the new run fails: a stale result set is never read.
    results_[Index(id)].close();
    Conn.execute(def.name, def.sql, params, &results_[Index(id)]);
}

Recordset& DataBase::ResultSet(CommandId id) {
    return results_.at(Index(id));
}

}  // namespace xfer::data
