// The chooser's queries on a real database of the suite's provider: which partitions there are
// and how many XFER nodes each holds, and a partition's nodes.

#include <gtest/gtest.h>

#include "data/xfer_directory.h"
#include "support/partition_builder.h"

namespace xfer::data {
namespace {

TEST(XferDirectory, ListsEveryPartitionWithLimitsAndItsXferNodes) {
    test::TempDatabase db;
    // 1/1: limits only. 1/3: a template node and nodes 7, 2. 2/1: one XFER node. 3/1: no
    // limits, so no partition. An XFER row of another type is no XFER node.
    test::PartitionBuilder(db, 1, 1).limits({{4, 30}});
    test::PartitionBuilder(db, 1, 3)
        .limits({{4, 30}})
        .xfer({.number = 0, .label = "Template"})
        .xfer({.number = 7, .dial = "2007", .label = "Night"})
        .xfer({.number = 2, .dial = std::nullopt, .label = std::nullopt});
    test::PartitionBuilder(db, 2, 1).limits({{5, 8}}).xfer({.number = 5, .label = "Other"});
    db.exec(
        "INSERT INTO Node_XFER (ConfigID, PartID, NodeTypeID, NodeNumber) "
        "VALUES (3, 1, 5, 1)");
    platform::PlatformServices services(db.machine());
    DataBase database(services.view());

    std::vector<std::tuple<int, int, long long>> partitions;
    for (const PartitionEntry& p : ReadPartitions(database))
        partitions.emplace_back(p.config, p.partition, p.xferNodes);
    EXPECT_EQ(partitions,
              (std::vector<std::tuple<int, int, long long>>{{1, 1, 0}, {1, 3, 2}, {2, 1, 1}}));

    std::vector<std::tuple<int, std::string, std::string>> nodes;
    for (const XferNodeEntry& n : ReadXferNodeEntries(database, 1, 3))
        nodes.emplace_back(n.number, n.label, n.dial);
    EXPECT_EQ(nodes, (std::vector<std::tuple<int, std::string, std::string>>{
                         {2, "", ""}, {7, "Night", "2007"}}));
    EXPECT_TRUE(ReadXferNodeEntries(database, 1, 1).empty());
}

}  // namespace
}  // namespace xfer::data
