#pragma once
// What the process is told from outside the machine's own settings: its environment variables
// and the options its host was started with. A seam so that tests set them without touching
// the process environment.

#include <map>
#include <optional>
#include <string>

namespace xfer::platform {

class HostSettings {
  public:
    virtual ~HostSettings() = default;
    // The variable's value; nothing when it is not set.
    virtual std::optional<std::string> environmentVariable(const std::string& name) = 0;
    // A command-line option the host was given (by its spelling, e.g. "--database").
    virtual std::optional<std::string> hostOption(const std::string& name) = 0;
};

// The process environment and the options the host program passes in.
class ProcessSettings final : public HostSettings {
  public:
    explicit ProcessSettings(std::map<std::string, std::string> options = {})
        : options_(std::move(options)) {}
    std::optional<std::string> environmentVariable(const std::string& name) override;
    std::optional<std::string> hostOption(const std::string& name) override;

  private:
    std::map<std::string, std::string> options_;
};

}  // namespace xfer::platform
