#pragma once
// Platform seams for tests: a fixed common application-data folder (and the machine parts with
// which a host finds a test's database), message boxes that record every box and answer from a
// script, and a confirmation dialog that does the same.

#include <deque>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "data/database_choice.h"
#include "platform/components.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace xfer::test {

// Fixed environment variables and host options, so that a test never reads the process's own.
class FixedSettings final : public platform::HostSettings {
  public:
    FixedSettings(std::map<std::string, std::string> environment = {},
                  std::map<std::string, std::string> options = {})
        : environment_(std::move(environment)), options_(std::move(options)) {}
    std::optional<std::string> environmentVariable(const std::string& name) override {
        return Find(environment_, name);
    }
    std::optional<std::string> hostOption(const std::string& name) override {
        return Find(options_, name);
    }

  private:
    static std::optional<std::string> Find(const std::map<std::string, std::string>& values,
                                           const std::string& name) {
        const auto found = values.find(name);
        return found == values.end() ? std::nullopt : std::optional(found->second);
    }
    std::map<std::string, std::string> environment_;
    std::map<std::string, std::string> options_;
};

// A registry over a hive that counts the keys left open, so that a test sees every key closed.
class CountingRegistry final : public platform::Registry {
  public:
    explicit CountingRegistry(platform::Hive hive) : inner_(std::move(hive)) {}
    long RegOpenKeyEx(platform::HKEY root, const std::string& subKey, std::uint32_t sam,
                      platform::HKEY& result) override {
        const long status = inner_.RegOpenKeyEx(root, subKey, sam, result);
        open_ += status == platform::ERROR_SUCCESS ? 1 : 0;
        return status;
    }
    long RegQueryValueEx(platform::HKEY key, const std::string& valueName, std::uint32_t& type,
                         std::uint8_t* data, std::uint32_t& size) override {
        return inner_.RegQueryValueEx(key, valueName, type, data, size);
    }
    long RegCloseKey(platform::HKEY key) override {
        const long status = inner_.RegCloseKey(key);
        open_ -= status == platform::ERROR_SUCCESS ? 1 : 0;
        return status;
    }
    std::string origin(platform::HKEY root, const std::string& subKey,
                       const std::string& valueName) override {
        return inner_.origin(root, subKey, valueName);
    }
    platform::Hive& hive() { return inner_.hive(); }
    int openKeys() const { return open_; }

  private:
    platform::HiveRegistry inner_;
    int open_ = 0;
};

// Answers folder 35 with a fixed folder (or none); other folders are unknown.
class FixedShell final : public platform::Shell {
  public:
    explicit FixedShell(std::optional<std::string> commonAppData)
        : folder_(std::move(commonAppData)) {}
    std::optional<std::string> specialFolderPath(int csidl) override {
        return csidl == platform::kCsidlCommonAppData ? folder_ : std::nullopt;
    }

  private:
    std::optional<std::string> folder_;
};

// The machine a host finds a test's database on: the common application-data folder at `root`,
// and a machine-wide registry that names `server` (none: the file under `root`). Whatever names
// a server in this process's environment is ignored. Other parts are left empty.
inline platform::PlatformParts MachineParts(const std::string& root, const std::string& server) {
    platform::PlatformParts parts;
    parts.shell = std::make_unique<FixedShell>(root);
    platform::Hive hive;
    if (!server.empty()) {
        hive.setString(std::string("HKEY_LOCAL_MACHINE\\") + data::kProductKey,
                       data::kDatabaseServerValue, server);
    }
    parts.registry = std::make_unique<platform::HiveRegistry>(std::move(hive));
    parts.settings = std::make_unique<FixedSettings>();
    return parts;
}

// Records every box and answers from a script; with the script used up it answers the box's
// first button.
class RecordingMessageBoxes final : public platform::MessageBoxes {
  public:
    int show(const platform::MessageBoxRequest& request) override {
        shown_.push_back(request);
        if (script_.empty())
            return platform::DefaultAnswer(request.buttons);
        const int code = script_.front();
        script_.pop_front();
        return code;
    }

    void Answer(int code) { script_.push_back(code); }
    const std::vector<platform::MessageBoxRequest>& shown() const { return shown_; }
    void Clear() {
        script_.clear();
        shown_.clear();
    }

  private:
    std::deque<int> script_;
    std::vector<platform::MessageBoxRequest> shown_;
};

// Answers from a script and records every prompt; with the script used up it answers "closed".
// Every dialog the factory makes shares one script.
class ScriptedConfirmationDialog final : public platform::ConfirmationDialog {
  public:
    struct Shared {
        std::deque<long> answers;
        std::vector<std::string> prompts;
    };
    explicit ScriptedConfirmationDialog(std::shared_ptr<Shared> shared)
        : shared_(std::move(shared)) {}
    long show(short, const std::string& prompt, long, long, const std::string&) override {
        shared_->prompts.push_back(prompt);
        if (shared_->answers.empty())
            return platform::confirm::kClosed;
        const long answer = shared_->answers.front();
        shared_->answers.pop_front();
        return answer;
    }

  private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace xfer::test
