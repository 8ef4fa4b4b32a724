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
#include "support/partition_builder.h"
#include "support/platform_doubles.h"
#include "support/temp_database.h"

namespace xfer::test {

class Harness {
  public:
    // An empty database from the schema: each test builds the rows it relies on
    // (support/partition_builder.h).
    Harness()
        : confirmations(std::make_shared<ScriptedConfirmationDialog::Shared>()), host(Services()) {}

    platform::Platform platform() { return host.platform(); }
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

// The partition most tests open: every type name with the aliases; STYLE 1-3 of 8; LIST has
// the limit 0 and TABLE no limit row, NOOP and BEEP stored limits of 1; MSG 1-5 exist (MSG 5
// without a label), MSG 12 does not. Each exception's rule set lists a type without a limit
// row, and Hold's and Answer's LIST. The selector lists XFER 1, 2, 3, 5, 13, 15 and 30:
//   1  every target exists                2  types in any case, a target without a label
//   3  Null dial and label                5  refers to STYLE 6, MSG 12, CMD 7, PMSG 20 (an MSG)
//   13 a dial the loader replaces            and XFER 9, none of which exist
//   15 list 2 (no LIST nodes), TABLE 3    30 NOOP where MOH knows it as a command; MSG 12
inline PartitionBuilder StandardPartition(Harness& h) {
    PartitionBuilder p(h.database, 1, 1);
    p.typeNames(kStandardTypeNames)
        .typeNames(kSpecialTypeNames)
        .limits({{"MSG", 99}, {"CMD", 50}, {"TIME", 20}, {"XFER", 30}, {"STYLE", 8}, {"DTMF", 40}})
        .limits({{"MOH", 5}, {"LIST", 0}, {"NOOP", 1}, {"BEEP", 1}})
        .xferMayPointAt(rule_set::kHold, {"MSG", "CMD", "LIST", "NOOP", "BEEP", "PMSG"})
        .xferMayPointAt(rule_set::kMOH, {"MSG", "MOH", "TABLE", "NOOP", "BEEP"})
        .xferMayPointAt(rule_set::kBusy, {"MSG", "CMD", "TIME", "TABLE", "GOTO"})
        .xferMayPointAt(rule_set::kNoAnswer, {"MSG", "CMD", "SMSG"})
        .xferMayPointAt(rule_set::kAnswer, {"MSG", "CMD", "LIST", "BEEP", "HANGUP"})
        .style(1, "Blind transfer")
        .style(2, "Partial supervision")
        .style(3, "Full supervision")
        .node("MSG", 1, "Welcome greeting")
        .node("MSG", 2, "Please hold")
        .node("MSG", 3, "All lines are busy")
        .node("MSG", 4, "Nobody answered")
        .node("MSG", 5, std::nullopt)
        .node("MOH", 1, "Strings")
        .node("CMD", 1, "Disconnect caller")
        .node("DTMF", 1, "Main menu");
    // Number, style, dial, label and the targets of Hold, MOH, Busy 1, Busy 2, No Answer, Answer.
    const auto xfer = [&p](int number, int style, std::optional<std::string> dial,
                           std::optional<std::string> label,
                           std::array<ExceptionTarget, 6> targets) {
        p.xfer({number, style, std::move(dial), std::move(label), targets});
    };
    xfer(1, 2, "2001", "Reception",
         {{{"NOOP", 1}, {"MOH", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}});
    xfer(2, 3, "2002", "Sales desk",
         {{{"noop", 1}, {"beep", 1}, {"msg", 3}, {"Msg", 5}, {"DTMF", 1}, {"Beep", 1}}});
    xfer(3, 1, std::nullopt, std::nullopt,
         {{{"MSG", 2}, {"NOOP", 1}, {"MSG", 3}, {"CMD", 1}, {"MSG", 4}, {"MSG", 1}}});
    xfer(5, 6, "3005", "Support line",
         {{{"MSG", 12}, {"MOH", 1}, {"CMD", 7}, {"PMSG", 20}, {"MSG", 12}, {"XFER", 9}}});
    xfer(13, 1, "12-34", "Warehouse", XferNode{}.targets);
    xfer(15, 1, "2000", "Overflow",
         {{{"list", 2}, {"TABLE", 3}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}});
    xfer(30, 1, "2030", "Last line",
         {{{"MSG", 1}, {"NOOP", 1}, {"MSG", 12}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}}});
    return p;
}

// A harness on the standard partition, with the template nodes that creating a missing node
// copies when `templates`.
struct StandardHarness : Harness {
    explicit StandardHarness(bool templates = false) {
        PartitionBuilder p = StandardPartition(*this);
        if (templates)
            p.templates(/*styleSuperviseId=*/1);
    }
};

}  // namespace xfer::test
