#include "editor_host.h"

#include "data/shared_sessions.h"

#include <filesystem>

#include "platform/platform.h"
#include "support/platform_doubles.h"

namespace xfer::bench {

namespace {

// Answers "No" to a question (nothing is saved on leaving), the first button otherwise.
class CountingMessageBoxes final : public platform::MessageBoxes {
  public:
    int show(const platform::MessageBoxRequest& request) override {
        ++count;
        last = request.text;
        const int buttons = request.buttons & platform::mb::kButtonsMask;
        if (buttons == platform::mb::kYesNo || buttons == platform::mb::kYesNoCancel)
            return platform::answer::kNo;
        return platform::DefaultAnswer(request.buttons);
    }
    int count = 0;
    std::string last;
};

// Keeps only the current pointer: a recorded history would grow with every iteration.
class Pointer final : public platform::MousePointer {
  public:
    void set(platform::Pointer pointer) override { current_ = pointer; }
    platform::Pointer current() const override { return current_; }

  private:
    platform::Pointer current_ = platform::Pointer::Default;
};

class AgreeToAll final : public platform::ConfirmationDialog {
  public:
    explicit AgreeToAll(int& prompts) : prompts_(prompts) {}
    long show(short, const std::string&, long, long, const std::string&) override {
        ++prompts_;
        return platform::confirm::kCreateAll;
    }

  private:
    int& prompts_;
};

}  // namespace

// What the benchmarks look at; the services own the seams.
struct EditorHost::Seams {
    CountingMessageBoxes* boxes = nullptr;
    host::SessionWindowSystem* windows = nullptr;
    int prompts = 0;

    platform::PlatformServices Services(const std::string& root, const std::string& server) {
        platform::PlatformParts parts = test::MachineParts(root, server);
        auto counting = std::make_unique<CountingMessageBoxes>();
        boxes = counting.get();
        parts.messageBoxes = std::move(counting);
        parts.mousePointer = std::make_unique<Pointer>();
        parts.components = platform::DefaultComponents();
        parts.components->registerComponent(platform::kConfirmationProgId, [this] {
            return std::make_shared<AgreeToAll>(prompts);
        });
        auto session = std::make_unique<host::SessionWindowSystem>();
        windows = session.get();
        parts.windows = std::move(session);
        return platform::PlatformServices(std::move(parts));
    }
};

EditorHost::EditorHost(const std::string& root, const std::string& server)
    : seams_(std::make_unique<Seams>()),
      host_(std::make_unique<host::EditorHost>(seams_->Services(root, server))) {}

EditorHost::~EditorHost() = default;

void EditorHost::open(std::int16_t config, std::int16_t partition, std::int16_t node,
                      host::SessionWindowSystem::Session session) {
    seams_->windows->setSession(std::move(session));
    host_->open(config, partition, node);
}

int EditorHost::boxes() const noexcept {
    return seams_->boxes->count;
}
const std::string& EditorHost::lastBox() const noexcept {
    return seams_->boxes->last;
}
int EditorHost::prompts() const noexcept {
    return seams_->prompts;
}
bool EditorHost::shown() const noexcept {
    return seams_->windows->shownCount() > 0;
}

std::uint64_t EditorHost::serverConnections() const noexcept {
    return host_->sessions().traffic().connections;
}
std::uint64_t EditorHost::serverRoundTrips() const noexcept {
    return host_->sessions().traffic().roundTrips;
}

std::string EditorHost::DatabasePath(const std::string& root) {
    return (std::filesystem::path(root) / "Quorvel" / "VDACOM+" / "Database" / "NewDB.mdb")
        .string();
}

}  // namespace xfer::bench
