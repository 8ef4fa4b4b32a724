#pragma once
// A component on a real demo database in a temp folder, with every platform seam scripted
// and recorded: the way the tests act as a host and as a user.

#include <memory>
#include <string>
#include <vector>

#include "business_rules/business_rules.h"
#include "business_rules/component.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "editor/session_window_system.h"
#include "platform/platform.h"
#include "support/temp_database.h"

namespace xfer::test {

class Harness {
  public:
    explicit Harness(bool withDemoData = true)
        : database(withDemoData),
          shell(database.root()),
          registry(platform::Hive{}),
          confirmations(std::make_shared<platform::ScriptedConfirmationDialog::Shared>()) {
        platform::RegisterDefaultComponents(factory);
        factory.Register(platform::kConfirmationProgId, [shared = confirmations] {
            return std::make_shared<platform::ScriptedConfirmationDialog>(shared);
        });
        component = std::make_unique<business_rules::Component>(platform());
    }

    platform::Platform platform() {
        return {shell, registry, fileSystem, boxes, mouse, factory, windows};
    }
    editor::GUI& form() { return component->gui(); }

    // Opens node `node` of the partition with a host's Business_Rules; `session` runs inside
    // the modal show. Returns ShowNodeEditor's result.
    bool Open(std::int16_t config, std::int16_t partition, std::int16_t node,
              editor::SessionWindowSystem::Session session = {}) {
        windows.setSession(std::move(session));
        business_rules::Business_Rules host(*component);
        return host.ShowNodeEditor(config, partition, node);
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes.shown())
            texts.push_back(b.text);
        return texts;
    }
    void answerConfirmations(std::initializer_list<long> answers) {
        confirmations->answers.insert(confirmations->answers.end(), answers);
    }
    const std::vector<std::string>& prompts() const { return confirmations->prompts; }

    TempDatabase database;
    platform::FixedShell shell;
    platform::HiveRegistry registry;
    platform::StdFileSystem fileSystem;
    platform::RecordingMessageBoxes boxes;
    platform::RecordingMousePointer mouse;
    platform::ComponentFactory factory;
    editor::SessionWindowSystem windows;
    std::shared_ptr<platform::ScriptedConfirmationDialog::Shared> confirmations;
    std::unique_ptr<business_rules::Component> component;
};

// The six cells of a row after its text: what a test compares.
inline std::vector<std::string> Cells(const editor::ListItem& row) {
    std::vector<std::string> cells{row.Key(), row.Text()};
    for (long i = 1; i <= 6; ++i)
        cells.push_back(row.SubItems(i));
    return cells;
}

}  // namespace xfer::test
