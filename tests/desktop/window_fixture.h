#pragma once
// The editor's window as the program shows it, on a real database in a temp folder: the form
// opened through the host layer, its FormDialog shown and active, so that Qt's key, mouse,
// wheel and clipboard events reach it as they would on a screen.

#include <QApplication>
#include <QTest>
#include <functional>
#include <string>

#include "component/harness.h"
#include "desktop/form_dialog.h"
#include "support/partition_builder.h"

namespace xfer::desktop::test {

// Partition 9 of configuration 1, once a test has added it: 999 STYLE and XFER nodes allowed
// and there, MSG numbered up to 32767; every XFER node on STYLE 999 and MSG 32767.
inline constexpr std::int16_t kLargePartition = 9;

class WindowTest : public ::testing::Test {
  protected:
    // Partition 1 of configuration 1: XFER 1 "Reception" (dial 2001, STYLE 2 of the eight the
    // style list offers, every exception on a node that exists or a command) and XFER 2
    // "Sales desk". Hold may point at MSG, CMD and NOOP, the busy exceptions at MSG, CMD and
    // XFER.
    WindowTest() {
        using xfer::test::rule_set::kBusy;
        using xfer::test::rule_set::kHold;
        xfer::test::PartitionBuilder(harness.database, 1, 1)
            .typeNames(xfer::test::kStandardTypeNames)
            .limits({{"MSG", 99}, {"CMD", 50}, {"XFER", 30}, {"STYLE", 8}, {"MOH", 5}})
            .xferMayPointAt(kHold, {"MSG", "CMD", "NOOP"})
            .xferMayPointAt(kBusy, {"MSG", "CMD", "XFER"})
            .style(2, "Partial supervision")
            .node("MSG", 3, "All lines are busy")
            .node("MSG", 4, "Nobody answered")
            .node("MOH", 1, "Light classical")
            .xfer(
                {.number = 1,
                 .style = 2,
                 .dial = "2001",
                 .label = "Reception",
                 .targets =
                     {{{"NOOP", 1}, {"MOH", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}}})
            .xfer({.number = 2, .label = "Sales desk"});
    }

    void addLargePartition() {
        xfer::test::XferNode each{.style = 999, .dial = "2001", .label = "Transfer"};
        each.targets.fill({"MSG", 32767});
        xfer::test::PartitionBuilder(harness.database, 1, kLargePartition)
            .limits({{"MSG", 32767}, {"XFER", 999}, {"STYLE", 999}})
            .styles(1, 999, "Style")
            .xfers(1, 999, each);
    }

    // Opens XFER node `node` of configuration 1 and runs `body` on its shown, active window;
    // a form still loaded afterwards is closed without saving.
    void OnNode(std::int16_t partition, std::int16_t node,
                const std::function<void(editor::GUI&, FormDialog&)>& body) {
        bool shown = false;
        harness.open(1, partition, node, [&](editor::GUI& form, editor::UserActions&) {
            FormDialog dialog(form);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            // An X server without a window manager activates nothing by itself.
            dialog.activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            shown = true;
            body(form, dialog);
            if (form.isLoaded()) {
                harness.boxes->Answer(platform::answer::kNo);  // leave without saving
                dialog.close();
            }
        });
        ASSERT_TRUE(shown);
    }

    template <typename W>
    static W* Widget(FormDialog& dialog, const char* name) {
        auto* widget = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    xfer::test::Harness harness;
};

}  // namespace xfer::desktop::test
