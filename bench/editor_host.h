#pragma once
// A host program without a display, as the benchmarks need it: the component on a database in
// a given common application-data folder, a session run inside the modal show, questions
// answered "No" (nothing is saved on leaving), other boxes with their first button, and every
// creation agreed (answer 4). It counts boxes and prompts, so that a case can tell that it
// measured the path it meant to.

#include <cstdint>
#include <memory>
#include <string>

#include "host/editor_host.h"
#include "host/session_window_system.h"

namespace xfer::bench {

class EditorHost {
  public:
    // `root` plays the common application-data folder; the database lives under it where the
    // folders module looks for it, unless `server` (a libpq connection string) names a server
    // database, as the machine-wide registry value does.
    explicit EditorHost(const std::string& root, const std::string& server = "");
    ~EditorHost();
    EditorHost(const EditorHost&) = delete;
    EditorHost& operator=(const EditorHost&) = delete;

    // ShowNodeEditor through a host's Business_Rules, `session` inside the modal show; the
    // window's close box is pressed afterwards unless the session closed it.
    void open(std::int16_t config, std::int16_t partition, std::int16_t node,
              host::SessionWindowSystem::Session session = {});

    int boxes() const noexcept;
    const std::string& lastBox() const noexcept;
    int prompts() const noexcept;
    bool shown() const noexcept;
    // What the host's server sessions asked of the server so far.
    std::uint64_t serverConnections() const noexcept;
    std::uint64_t serverRoundTrips() const noexcept;

    static std::string DatabasePath(const std::string& root);

  private:
    struct Seams;
    std::unique_ptr<Seams> seams_;
    std::unique_ptr<host::EditorHost> host_;
};

}  // namespace xfer::bench
