#pragma once
// Carries out scripted editing sessions: opens an XFER node as a host does, with message
// boxes, confirmation prompts and a window system that follow the script, runs the steps
// through UserActions inside the modal show, checks what the script expects to see, and writes
// a transcript of everything the user would have seen, ending with the node as stored.
//
// One runner keeps one host (one component, one window system) for every session it runs, so
// that the same script can be run on many nodes in one process.

#include <iosfwd>
#include <memory>
#include <vector>

#include "host/session_script.h"
#include "host/session_transcript.h"
#include "platform/platform.h"

namespace xfer::data {
class DataBase;
}

namespace xfer::host {

class SessionRunner {
  public:
    // `machine` gives the shell, registry and file system (empty parts take the machine's
    // defaults); the runner supplies the message boxes, prompts and window system.
    // A preview runs every session on a snapshot of the database (data/preview_sessions.h):
    // what they store is seen by the runner and the sessions that follow, never stored.
    SessionRunner(platform::PlatformParts machine, Transcript& transcript, bool preview = false);
    ~SessionRunner();
    SessionRunner(const SessionRunner&) = delete;
    SessionRunner& operator=(const SessionRunner&) = delete;

    // Runs the script on one node. An error of the component or the database ends the
    // session as failed, with the error in the transcript.
    SessionOutcome run(const std::vector<ScriptStep>& steps, const SessionTarget& target);

    // The runner's own connection, for reading what the sessions do not show (the node list of
    // a partition, the stored nodes). Making the host may raise, as run() would report.
    data::DataBase& database();

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// One session with a text transcript; true when it passed (SessionOutcome::passed).
bool RunSessionScript(const std::vector<ScriptStep>& steps, const SessionTarget& target,
                      platform::PlatformParts machine, std::ostream& out);

}  // namespace xfer::host
