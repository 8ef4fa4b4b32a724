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

// Two result sets taking turns with the kept storage, and one filled again after a close with
// more, fewer or no rows, or without a close in between (the builder closes it first).
TEST(RecordsetStorage, EachFillReadsBackExactlyItsOwnRows) {
    Recordset a, b;
    const struct {
        Recordset& rs;
        long rows, seed;
        bool checked = true;  // then closed
    } fills[] = {{a, kManyRows, 1},        {b, kManyRows + 1, 2},
                 {a, kManyRows + 2, 3},    {b, 3, 4},
                 {b, kManyRows * 2, 5},    {b, 0, 6},
                 {b, kManyRows, 7, false}, {b, 5, 8}};
    for (const auto& f : fills) {
        Fill(f.rs, f.rows, f.seed);
        if (!f.checked)
            continue;
        EXPECT_EQ(Check(f.rs, f.rows, f.seed), f.rows) << f.seed;
        f.rs.close();  // its storage goes to the next one filled
        EXPECT_TRUE(f.rs.eof());
        EXPECT_EQ(f.rs.recordCount(), 0);
    }
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
