#pragma once
// What the host program's commands share: the command line they came from, the exit status
// they leave, and the options every command spells the same way.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <nlohmann/json.hpp>
#include <string>

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

// A configuration, partition or node number: a 16-bit number in plain decimal, required. A
// configuration builder passes decimal numbers: "010", "0x10", "1e3" or " 5" are mistakes,
// refused with a message rather than read another way.
void AddId(CLI::App* command, const std::string& name, std::int16_t& value,
           const std::string& what);

// The database must be there before a command uses it; says on stderr where it was looked for.
bool RequireDatabase(const platform::Platform& platform);

// Each command's subcommand, registered on the program's command line.
void AddOpenCommand(CLI::App& app, Program& program);
void AddDemoCommand(CLI::App& app, Program& program);
void AddListCommand(CLI::App& app, Program& program);
void AddWhereCommand(CLI::App& app, Program& program);
void AddCheckCommand(CLI::App& app, Program& program);
void AddRefsCommand(CLI::App& app, Program& program);
void AddDatabaseCommands(CLI::App& app, Program& program);

// No command: the chooser on a display, else the help on stderr and kNoDisplay.
int RunWithoutCommand(const CLI::App& app, Program& program);

}  // namespace xfer::app
