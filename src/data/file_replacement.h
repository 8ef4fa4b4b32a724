#pragma once
// A new database file written whole or not at all: it is made under a temporary name in the
// target's folder and renamed to the target's name only when the writer says it is complete.
// SIGINT, SIGTERM and SIGHUP meanwhile remove the temporary file (and its journal and WAL
// files) before the process ends as the signal wants; after a SIGKILL only a temporary file
// can be left, never a file under the target's name, and the next attempt removes it.

#include <string>

namespace xfer::data {

class FileReplacement {
  public:
    // Refuses (runtime::Error) a target that exists, whose folder does not exist (no folder is
    // created) or that is not a file name; removes the temporary files that writers which
    // have died left for the same target.
    explicit FileReplacement(std::string target);
    // Removes the temporary file unless it was put in place.
    ~FileReplacement();
    FileReplacement(const FileReplacement&) = delete;
    FileReplacement& operator=(const FileReplacement&) = delete;

    // Where to write.
    const std::string& temporary() const noexcept { return temporary_; }
    // Renames the temporary file to the target's name, never over a file that appeared there
    // meanwhile; raises when it cannot.
    void commit();

  private:
    std::string target_;
    std::string temporary_;
    bool committed_ = false;
};

}  // namespace xfer::data
