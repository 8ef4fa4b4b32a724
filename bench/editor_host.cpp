#include "editor_host.h"

#include <filesystem>

#include "business_rules/business_rules.h"
#include "platform/components.h"
#include "platform/message_box.h"
#include "platform/mouse_pointer.h"
#include "platform/registry.h"
#include "platform/shell.h"

namespace xfer::bench {

namespace {

// Answers "No" to a question (nothing is saved on leaving), the first button otherwise.
class CountingMessageBoxes final : public platform::MessageBoxes {
  public:
    int Show(const platform::MessageBoxRequest& request) override {
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
    void Set(platform::Pointer pointer) override { current_ = pointer; }
    platform::Pointer Current() const override { return current_; }

  private:
    platform::Pointer current_ = platform::Pointer::Default;
};

class AgreeToAll final : public platform::ConfirmationDialog {
  public:
    explicit AgreeToAll(int& prompts) : prompts_(prompts) {}
    long Show(short, const std::string&, long, long, const std::string&) override {
        ++prompts_;
        return platform::confirm::kCreateAll;
    }

  private:
    int& prompts_;
};

}  // namespace

struct EditorHost::Seams {
    explicit Seams(const std::string& root) : shell(root), registry(platform::Hive{}) {
        platform::RegisterDefaultComponents(factory);
        factory.Register(platform::kConfirmationProgId,
                         [this] { return std::make_shared<AgreeToAll>(prompts); });
    }
    platform::Platform view() {
        return {shell, registry, fileSystem, boxes, pointer, factory, windows};
    }

    platform::FixedShell shell;
    platform::HiveRegistry registry;
    platform::StdFileSystem fileSystem;
    CountingMessageBoxes boxes;
    Pointer pointer;
    platform::ComponentFactory factory;
    editor::SessionWindowSystem windows;
    int prompts = 0;
};

EditorHost::EditorHost(const std::string& root)
    : seams_(std::make_unique<Seams>(root)),
      component_(std::make_unique<business_rules::Component>(seams_->view())) {}

EditorHost::~EditorHost() = default;

void EditorHost::Open(std::int16_t config, std::int16_t partition, std::int16_t node,
                      editor::SessionWindowSystem::Session session) {
    seams_->windows.setSession(std::move(session));
    business_rules::Business_Rules host(*component_);
    host.ShowNodeEditor(config, partition, node);
}

int EditorHost::boxes() const noexcept {
    return seams_->boxes.count;
}
const std::string& EditorHost::lastBox() const noexcept {
    return seams_->boxes.last;
}
int EditorHost::prompts() const noexcept {
    return seams_->prompts;
}
bool EditorHost::shown() const noexcept {
    return seams_->windows.shownCount() > 0;
}

std::string EditorHost::DatabasePath(const std::string& root) {
    return (std::filesystem::path(root) / "Quorvel" / "VDACOM+" / "Database" / "NewDB.mdb")
        .string();
}

}  // namespace xfer::bench
