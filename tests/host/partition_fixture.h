#pragma once
// A configuration database built row by row for the host's tests, in portable SQL: a small
// catalogue (MSG, CMD, XFER, STYLE and the special types), limits, the XFER rules, general
// rows and XFER nodes; and a platform whose shell folder points at it.

#include <array>
#include <memory>
#include <string>

#include "platform/platform.h"
#include "support/platform_doubles.h"
#include "support/temp_database.h"

namespace xfer::test {

struct Target {
    const char* type;
    int number;
};

class PartitionFixture {
  public:
    PartitionFixture() {
        database.exec(
            "INSERT INTO SR_Node_Type_Names (ID, English_Name) VALUES (0, 'MSG'), (1, 'CMD'), "
            "(4, 'XFER'), (5, 'STYLE'), (814, 'NOOP'), (815, 'BEEP'), (816, 'GOTO'), "
            "(817, 'PMSG'), (818, 'SMSG'), (999, 'HANGUP')");
        // Hold may point at MSG, CMD, XFER and NOOP; MOH at MSG, NOOP, BEEP; the busy
        // exceptions and No Answer at MSG, CMD and GOTO; Answer at MSG, XFER and BEEP.
        database.exec(
            "INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, "
            "Child_Node_Type_ID) VALUES (4, 1, 0), (4, 1, 1), (4, 1, 4), (4, 1, 814), "
            "(4, 3, 0), (4, 3, 814), (4, 3, 815), (4, 5, 0), (4, 5, 1), (4, 5, 816), "
            "(4, 6, 0), (4, 6, 1), (4, 6, 816), (4, 7, 0), (4, 7, 4), (4, 7, 815)");
    }

    // The partition's limits: STYLE, MSG, CMD, XFER and GOTO.
    void limits(int partition, int styles, int msgs = 20, int cmds = 5) {
        database.exec(
            "INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, Max_Number) "
            "VALUES (1, " +
            p(partition) + ", 5, " + p(styles) + "), (1, " + p(partition) + ", 0, " + p(msgs) +
            "), (1, " + p(partition) + ", 1, " + p(cmds) + "), (1, " + p(partition) +
            ", 4, 99), (1, " + p(partition) + ", 816, 9)");
    }
    void pool(int partition, int type, int number, const std::string& label = "node") {
        database.exec(
            "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, "
            "NodeDescription, DateModified) VALUES (1, " +
            p(partition) + ", " + p(type) + ", " + p(number) + ", 'T', '" + label +
            "', '2024-03-14 10:00:00')");
    }
    void xfer(int partition, int number, int style, const std::array<Target, 6>& targets,
              const std::string& dial = "100") {
        std::string values =
            "1, " + p(partition) + ", 4, " + p(number) + ", " + p(style) + ", '" + dial + "'";
        for (const Target& t : targets)
            values += std::string(", '") + t.type + "', " + p(t.number);
        database.exec(
            "INSERT INTO Node_XFER (ConfigID, PartID, NodeTypeID, NodeNumber, StyleNodeNumber, "
            "Dial, HoldNodeType, HoldNodeNumber, MOHNodeType, MOHNodeNumber, Busy1NodeType, "
            "Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, "
            "NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeType, NodeDescription) "
            "VALUES (" +
            values + ", 'XFER', 'node " + p(number) + "')");
        pool(partition, 4, number, "node " + p(number));
    }

    // The machine parts a host needs to find this database.
    platform::PlatformParts machine() const { return database.machine(); }

    TempDatabase database{/*withDemoData=*/false};

  private:
    static std::string p(int n) { return std::to_string(n); }
};

}  // namespace xfer::test
