#pragma once
// Carries out a scripted editing session: opens an XFER node as a host does, with message
// boxes, confirmation prompts and a window system that follow the script, runs the steps
// through UserActions inside the modal show, and writes a transcript of everything the user
// would have seen, ending with the node as stored.

#include <cstdint>
#include <iosfwd>
#include <vector>

#include "host/session_script.h"
#include "platform/platform.h"

namespace xfer::host {

struct SessionTarget {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    std::int16_t node = 0;
};

// `machine` gives the shell, registry and file system (empty parts take the machine's
// defaults); the session supplies the rest. Returns whether every step could be carried out
// and every question was answered.
bool RunSessionScript(const std::vector<ScriptStep>& steps, const SessionTarget& target,
                      platform::PlatformParts machine, std::ostream& out);

}  // namespace xfer::host
