#pragma once
// What the host program's commands share: the command line they came from, the exit status
// they leave, and the options every command spells the same way.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "data/database.h"
#include "platform/platform.h"
#include "runtime/error.h"

namespace xfer::app {

inline constexpr const char* kProgram = "xfer-node-editor";

// Exit statuses beyond CLI11's own for bad arguments.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;     // the database or the session failed
inline constexpr int kBadScript = 2;  // the script cannot be read
inline constexpr int kNoDisplay = 3;  // nothing to show the editor on
inline constexpr int kError = 2;      // check, refs: the database could not be read

struct Program {
    int argc = 0;
    char** argv = nullptr;
    int status = kOk;
    std::string database = {};  // --database: the server to use instead of the file

    // The machine's platform parts with the host's options in them: every command builds its
    // services on these.
    platform::PlatformParts machine() const;

    // Runs a command's body as the subcommand's callback: its result becomes the exit status,
    // and a component error is reported on stderr with status kFailed.
    void run(const std::function<int()>& body);
};

// Says on stderr what went wrong in the component or the database.
void ReportError(const runtime::Error& error);

// A text in double quotes, as the reports show labels.
std::string Quoted(const std::string& text);

// A stored number for a JSON report: the number, or null when it is none (a Null column).
nlohmann::ordered_json NumberOrNull(const std::string& text);

// Text read from the database as the reports show it. Another tool may have stored text that
// is not UTF-8 (a legacy code page): it is shown with U+FFFD, and the XFER nodes it came from
// are named in one warning on stderr when the report is written.
class StoredText {
  public:
    // For JSON and CSV: valid UTF-8, control characters as they are (the format quotes them).
    std::string valid(std::string_view text, std::int16_t node);
    // For a text report's line: valid, and control characters written as escapes.
    std::string oneLine(std::string_view text, std::int16_t node);
    // The one warning, when any text was replaced.
    void warn() const;

  private:
    std::set<std::int16_t> nodes_;
};

// Names on stderr the XFER nodes whose stored text was shown with U+FFFD (nothing when none).
void WarnInvalidText(const std::vector<std::int16_t>& nodes);

// A configuration, partition or node number: a 16-bit number in plain decimal, required. A
// configuration builder passes decimal numbers: "010", "0x10", "1e3" or " 5" are mistakes,
// refused with a message rather than read another way.
void AddId(CLI::App* command, const std::string& name, std::int16_t& value,
           const std::string& what);

// The database must be there before a command uses it; says on stderr where it was looked for.
bool RequireDatabase(const platform::Platform& platform);

// The partition must have a node (a row in Node_General_Pool): a configuration or partition
// without any is a typo, said on stderr, never an empty report.
bool RequireNodes(data::DataBase& db, std::int16_t config, std::int16_t partition);

// Each command's subcommand, registered on the program's command line.
void AddOpenCommand(CLI::App& app, Program& program);
void AddDemoCommand(CLI::App& app, Program& program);
void AddListCommand(CLI::App& app, Program& program);
void AddWhereCommand(CLI::App& app, Program& program);
void AddCheckCommand(CLI::App& app, Program& program);
void AddRefsCommand(CLI::App& app, Program& program);
void AddDatabaseCommands(CLI::App& app, Program& program);
void AddRepairCommand(CLI::App& app, Program& program);
void AddExportCommand(CLI::App& app, Program& program);
void AddDiffCommand(CLI::App& app, Program& program);
void AddImportCommand(CLI::App& app, Program& program);

// No command: the chooser on a display, else the help on stderr and kNoDisplay.
int RunWithoutCommand(const CLI::App& app, Program& program);

}  // namespace xfer::app
