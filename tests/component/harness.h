#pragma once
// A component on a real configuration database in a temp folder, opened through the host
// layer with every platform seam scripted and recorded: the way the tests act as a host and
// as a user.

#include <memory>
#include <string>
#include <vector>

#include "data/sql_provider.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "host/session_window_system.h"
#include "platform/platform.h"
#include "support/platform_doubles.h"
#include "support/temp_database.h"

namespace xfer::test {

class Harness {
  public:
    // An empty database from the schema: each test builds the rows it relies on
    // (support/partition_builder.h).
    explicit Harness(bool withDemoData = false)
        : database(withDemoData),
          confirmations(std::make_shared<ScriptedConfirmationDialog::Shared>()),
          host(Services()) {}

    platform::Platform platform() { return host.platform(); }
    business_rules::Component& component() { return host.component(); }
    editor::GUI& form() { return host.form(); }

    // Opens node `node` of the partition as a host does; `session` runs inside the modal show.
    // Returns ShowNodeEditor's result.
    bool open(std::int16_t config, std::int16_t partition, std::int16_t node,
              host::SessionWindowSystem::Session session = {}) {
        windows->setSession(std::move(session));
        return host.open(config, partition, node);
    }

    std::vector<std::string> boxTexts() const {
        std::vector<std::string> texts;
        for (const auto& b : boxes->shown())
            texts.push_back(b.text);
        return texts;
    }
    void answerConfirmations(std::initializer_list<long> answers) {
        confirmations->answers.insert(confirmations->answers.end(), answers);
    }
    const std::vector<std::string>& prompts() const { return confirmations->prompts; }

    TempDatabase database;
    std::shared_ptr<ScriptedConfirmationDialog::Shared> confirmations;
    RecordingMessageBoxes* boxes = nullptr;
    platform::RecordingMousePointer* mouse = nullptr;
    platform::ComponentFactory* factory = nullptr;
    host::SessionWindowSystem* windows = nullptr;
    host::EditorHost host;

  private:
    platform::PlatformServices Services() {
        // The shell folder and registry that find the database, file or server.
        platform::PlatformParts parts = database.machine();
        parts.messageBoxes = Keep(boxes, std::make_unique<RecordingMessageBoxes>());
        parts.mousePointer = Keep(mouse, std::make_unique<platform::RecordingMousePointer>());
        parts.windows = Keep(windows, std::make_unique<host::SessionWindowSystem>());
        parts.components = Keep(factory, platform::DefaultComponents());
        factory->registerComponent(platform::kConfirmationProgId, [shared = confirmations] {
            return std::make_shared<ScriptedConfirmationDialog>(shared);
        });
        return platform::PlatformServices(std::move(parts));
    }
    template <typename T>
    static std::unique_ptr<T> Keep(T*& raw, std::unique_ptr<T> owned) {
        raw = owned.get();
        return owned;
    }
};

// The source that the database's errors carry, on whichever engine the suite runs.
inline std::string ProviderSource() {
    return TempDatabase::OnServer() ? data::kServerProviderName : data::kProviderSource;
}

// The six cells of a row after its text: what a test compares.
inline std::vector<std::string> Cells(const editor::ListItem& row) {
    std::vector<std::string> cells{row.Key(), row.Text()};
    for (long i = 1; i <= 6; ++i)
        cells.push_back(row.SubItems(i));
    return cells;
}

}  // namespace xfer::test
