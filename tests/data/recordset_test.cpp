// Result sets keep the storage of closed ones warm for the next ones on the thread: whatever
// storage a result set is filled into, it reads back exactly its own rows.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "data/recordset.h"
#include "runtime/variant.h"

namespace xfer::data {
namespace {

using runtime::Variant;

// Rows large enough for their storage to be kept when the result set closes.
constexpr long kManyRows = 600;

const auto kColumns = Recordset::makeColumns({"Number", "Name", "Share", "Raw"});

// Fills `rs` with `rows` rows whose values all depend on `seed`.
void Fill(Recordset& rs, long rows, long seed) {
    RecordsetBuilder b(rs, kColumns);
    for (long i = 0; i < rows; ++i) {
        b.integer(seed * 10000 + i);
        if (i % 7 == 3) {
            b.null();
        } else {
            b.text("node " + std::to_string(seed) + "/" + std::to_string(i));
        }
        b.real(static_cast<double>(seed) + i / 4.0);
        const std::uint8_t raw[] = {0, static_cast<std::uint8_t>(i), 0xff};
        b.blob(raw);
    }
}

// The number of rows read back exactly as `Fill(rs, rows, seed)` wrote them; -1 at the first
// row that differs.
long Check(Recordset& rs, long rows, long seed) {
    if (rs.recordCount() != rows)
        return -1;
    for (long i = 0; i < rows; ++i, rs.moveNext()) {
        const Variant name =
            i % 7 == 3 ? Variant::null()
                       : Variant("node " + std::to_string(seed) + "/" + std::to_string(i));
        const Variant raw(Variant::Bytes{0, static_cast<std::uint8_t>(i), 0xff});
        if (rs["Number"] != Variant(seed * 10000 + i) || rs["name"] != name ||
            rs["Share"] != Variant(static_cast<double>(seed) + i / 4.0) || rs["Raw"] != raw) {
            return -1;
        }
    }
    return rs.eof() ? rows : -1;
}

TEST(RecordsetStorage, AlternatingResultSetsEachReadTheirOwnRows) {
    Recordset a, b;
    for (long round = 1; round <= 6; ++round) {
        Fill(a, kManyRows, round);
        EXPECT_EQ(Check(a, kManyRows, round), kManyRows) << round;
        a.close();  // its storage goes to the next one filled
        Fill(b, kManyRows + round, -round);
        EXPECT_EQ(Check(b, kManyRows + round, -round), kManyRows + round) << round;
        b.close();
    }
}

TEST(RecordsetStorage, RunningAgainAfterCloseReadsOnlyTheNewRows) {
    Recordset rs;
    const struct {
        long rows, seed;
    } runs[] = {{kManyRows, 1}, {3, 2}, {kManyRows * 2, 3}, {0, 4}, {kManyRows, 5}};
    for (const auto& run : runs) {
        Fill(rs, run.rows, run.seed);
        EXPECT_EQ(Check(rs, run.rows, run.seed), run.rows) << run.seed;
        rs.close();
        EXPECT_TRUE(rs.eof());
        EXPECT_EQ(rs.recordCount(), 0);
    }
    // Filled again without a close in between: the builder closes it first.
    Fill(rs, kManyRows, 6);
    Fill(rs, 5, 7);
    EXPECT_EQ(Check(rs, 5, 7), 5);
}

// A result set held by an object that the thread destroys after its storage pool gives its
// storage back to nobody.
TEST(RecordsetStorage, AResultSetDestroyedAfterItsThreadsPoolLeavesQuietly) {
    long read = 0;
    std::thread([&] {
        // Constructed before the pool, so destroyed after it.
        thread_local Recordset held;
        Fill(held, kManyRows, 2);  // the first fill on this thread creates the pool
        {
            Recordset passing;
            Fill(passing, kManyRows, 1);
        }  // its storage stays in the pool until the thread ends
        read = Check(held, kManyRows, 2);
    }).join();
    EXPECT_EQ(read, kManyRows);
    // The process's heap is still sound.
    Recordset after;
    Fill(after, kManyRows, 3);
    EXPECT_EQ(Check(after, kManyRows, 3), kManyRows);
}

}  // namespace
}  // namespace xfer::data
