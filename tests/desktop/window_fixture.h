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

namespace xfer::desktop::test {

// Partition 9 of configuration 1: the demo's limits, but 999 STYLE and XFER nodes allowed and
// MSG numbered up to 32767; XFER nodes 1 to 999, each on STYLE 999 and MSG 32767.
inline constexpr std::int16_t kLargePartition = 9;

inline void AddLargePartition(xfer::test::TempDatabase& database) {
    database.exec(
        "INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, Max_Number) "
        "SELECT Config_ID, 9, NodeType_ID, CASE NodeType_ID WHEN 4 THEN 999 WHEN 5 THEN 999 "
        "WHEN 0 THEN 32767 ELSE Max_Number END FROM Node_Type_Max "
        "WHERE Config_ID = 1 AND PartitionID = 1");
    database.exec(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 999) "
        "INSERT INTO Node_XFER (ConfigID, PartID, NodeTypeID, NodeNumber, StyleNodeNumber, "
        "HoldNodeType, HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType, "
        "Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, NoAnswerNodeNumber, "
        "AnswerNodeType, AnswerNodeNumber, NodeType, NodeDescription) "
        "SELECT 1, 9, 4, i, 999, 'MSG', 32767, '2001', 'MSG', 32767, 'MSG', 32767, 'MSG', 32767, "
        "'MSG', 32767, 'MSG', 32767, 'XFER', 'Transfer ' || i FROM n");
    database.exec(
        "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription) SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
        "NodeDescription FROM Node_XFER WHERE ConfigID = 1 AND PartID = 9");
    database.close();
}

class WindowTest : public ::testing::Test {
  protected:
    // Opens XFER node `node` of configuration 1 and runs `body` on its shown, active window.
    void OnNode(std::int16_t partition, std::int16_t node,
                const std::function<void(editor::GUI&, FormDialog&)>& body) {
        bool shown = false;
        harness.Open(1, partition, node, [&](editor::GUI& form, editor::UserActions&) {
            FormDialog dialog(form);
            dialog.show();
            QApplication::setActiveWindow(&dialog);
            EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
            shown = true;
            body(form, dialog);
            if (form.IsLoaded()) {
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

    xfer::test::Harness harness{/*withDemoData=*/true};
};

}  // namespace xfer::desktop::test
