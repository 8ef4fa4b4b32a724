#include "data/file_replacement.h"

#include <fcntl.h>
#include <signal.h>
#include <stdio.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "data/schema.h"
#include "runtime/error.h"

namespace xfer::data {

namespace {

namespace fs = std::filesystem;

constexpr long kFileAlreadyExists = 58;
constexpr long kPathNotFound = 76;
constexpr long kPathFileAccessError = 75;
constexpr const char* kSuffix = ".copying";

[[noreturn]] void Fail(long number, const std::string& description) {
    runtime::Raise(number, std::string(runtime::kComponentSource), description);
}

// What the signal handler removes: the temporary file and its companions, as C strings it can
// read without allocating. One replacement at a time is armed.
constexpr std::array<const char*, 4> kCompanions{"", "-wal", "-shm", "-journal"};
constexpr std::size_t kMaxPath = 4096;
char gRemove[kCompanions.size()][kMaxPath + 16];
volatile std::sig_atomic_t gArmed = 0;
constexpr std::array<int, 3> kSignals{SIGINT, SIGTERM, SIGHUP};
struct sigaction gPrevious[kSignals.size()];

extern "C" void RemoveAndEnd(int number) {
    if (gArmed != 0) {
        for (const char* path : gRemove)
            ::unlink(path);
    }
    // Ends the process as the signal would have: the default action, once this returns.
    ::signal(number, SIG_DFL);
    ::raise(number);
}

void Arm(const std::string& temporary) {
    for (std::size_t i = 0; i < kCompanions.size(); ++i) {
        const std::string path = temporary + kCompanions[i];
        std::memcpy(gRemove[i], path.c_str(), path.size() + 1);
    }
    gArmed = 1;
    struct sigaction action {};
    action.sa_handler = RemoveAndEnd;
    sigemptyset(&action.sa_mask);
    for (const int s : kSignals)
        sigaddset(&action.sa_mask, s);  // one handler at a time
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &action, &gPrevious[i]);
}

void Disarm() noexcept {
    for (std::size_t i = 0; i < kSignals.size(); ++i)
        ::sigaction(kSignals[i], &gPrevious[i], nullptr);
    gArmed = 0;
}

// ".NewDB.mdb.<pid>.copying" beside the target: one name per writer, so that one that died
// never blocks the next.
std::string TemporaryName(const fs::path& target, pid_t pid) {
    return "." + target.filename().string() + "." + std::to_string(pid) + kSuffix;
}

// Removes the temporary files of writers of the same target that no longer run.
void RemoveStale(const fs::path& target) {
    const std::string prefix = "." + target.filename().string() + ".";
    std::error_code ec;
    for (const fs::directory_entry& entry : fs::directory_iterator(target.parent_path(), ec)) {
        const std::string name = entry.path().filename().string();
        if (!name.starts_with(prefix) || !name.ends_with(kSuffix))
            continue;
        const std::string digits =
            name.substr(prefix.size(), name.size() - prefix.size() - std::strlen(kSuffix));
        if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos ||
            digits.size() > 9)
            continue;
        const pid_t pid = static_cast<pid_t>(std::stol(digits));
        if (::kill(pid, 0) != 0 && errno == ESRCH)
            RemoveDatabaseFile(entry.path().string());
    }
}

}  // namespace

FileReplacement::FileReplacement(std::string target) : target_(std::move(target)) {
    const fs::path path(target_);
    const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
    std::error_code ec;
    if (path.filename().empty())
        Fail(kPathNotFound, "Path not found: " + target_ + " names a folder, not a file");
    if (!fs::is_directory(folder, ec)) {
        Fail(kPathNotFound, "Path not found: the folder " + folder.string() +
                                " does not exist; create it first (no folder is created)");
    }
    if (fs::exists(fs::symlink_status(path, ec)))
        Fail(kFileAlreadyExists, "File already exists: " + target_);
    temporary_ = (folder / TemporaryName(path, ::getpid())).string();
    if (temporary_.size() + 16 > kMaxPath)
        Fail(kPathFileAccessError, "Path/File access error: the path is too long: " + target_);
    RemoveStale(folder / path.filename());
    Arm(temporary_);
}

FileReplacement::~FileReplacement() {
    if (!committed_)
        RemoveDatabaseFile(temporary_);
    Disarm();
}

void FileReplacement::commit() {
    // RENAME_NOREPLACE: a file that appeared under the target's name meanwhile stays.
    if (::renameat2(AT_FDCWD, temporary_.c_str(), AT_FDCWD, target_.c_str(), RENAME_NOREPLACE) !=
        0) {
        const int error = errno;
        if (error == EEXIST)
            Fail(kFileAlreadyExists, "File already exists: " + target_);
        Fail(kPathFileAccessError,
             "Path/File access error: " + target_ + ": " + std::strerror(error));
    }
    committed_ = true;
}

}  // namespace xfer::data
