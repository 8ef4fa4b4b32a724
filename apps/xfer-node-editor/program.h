#pragma once
// What the host program's commands share: the command line they came from, the exit status
// they leave, and the options every command spells the same way.

#include <CLI/CLI.hpp>
#include <cstdint>
#include <functional>
#include <string>

#include "platform/platform.h"

namespace xfer::app {

inline constexpr const char* kProgram = "xfer-node-editor";

// Exit statuses beyond CLI11's own for bad arguments.
inline constexpr int kOk = 0;
inline constexpr int kFailed = 1;     // the database or the session failed
inline constexpr int kBadScript = 2;  // the script cannot be read
inline constexpr int kNoDisplay = 3;  // nothing to show the editor on

struct Program {
    int argc = 0;
    char** argv = nullptr;
    int status = kOk;

    // Runs a command's body as the subcommand's callback: its result becomes the exit status,
    // and a component error is reported on stderr with status kFailed.
    void run(const std::function<int()>& body);
};

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

}  // namespace xfer::app
