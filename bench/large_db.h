#pragma once
// A large configuration database for the benchmarks: many configurations and partitions, a
// million general rows with their node rows, built from the project's own schema and
// deterministic from a seed, so that every run measures the same file.

#include <cstdint>
#include <string>

namespace xfer::bench {

struct LargeDbOptions {
    std::uint64_t seed = 20240314;
    int configs = 4;
    int partitions = 16;
};

// Partition 1 of every configuration holds XFER nodes 1 to 999, the most the type allows.
inline constexpr int kFullXferPartition = 1;
inline constexpr int kFullXferCount = 999;
// The type whose limit is the highest node number there is (MSG, 32767) in every partition.
inline constexpr int kWideTypeId = 0;
inline constexpr int kWideTypeLimit = 32767;

struct LargeDbSummary {
    long long generalRows = 0;
    long long nodeRows = 0;
    long long xferNodes = 0;
    double seconds = 0;
};

// Writes the database to `path` (which must not exist yet; the file appears only once it is
// complete). Throws std::runtime_error with SQLite's message on failure.
LargeDbSummary MakeLargeDatabase(const std::string& path, const LargeDbOptions& options);

}  // namespace xfer::bench
