// Builds the large configuration database the benchmarks run on:
//   xfer_make_large_db OUTPUT [--seed N] [--configs N] [--partitions N]

#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>

#include "large_db.h"

int main(int argc, char** argv) {
    xfer::bench::LargeDbOptions options;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto value = [&]() -> long long {
            if (i + 1 >= argc) {
                std::cerr << arg << " needs a value\n";
                std::exit(2);
            }
            return std::stoll(argv[++i]);
        };
        if (arg == "--seed") {
            options.seed = static_cast<std::uint64_t>(value());
        } else if (arg == "--configs") {
            options.configs = static_cast<int>(value());
        } else if (arg == "--partitions") {
            options.partitions = static_cast<int>(value());
        } else if (output.empty() && !arg.starts_with("--")) {
            output = arg;
        } else {
            std::cerr << "unknown argument " << arg << '\n';
            return 2;
        }
    }
    if (output.empty()) {
        std::cerr << "usage: xfer_make_large_db OUTPUT [--seed N] [--configs N] [--partitions N]\n";
        return 2;
    }
    try {
        const auto s = xfer::bench::MakeLargeDatabase(output, options);
        std::cout << output << ": " << s.generalRows << " general rows, " << s.nodeRows
                  << " node rows, " << s.xferNodes << " XFER nodes, built in " << s.seconds
                  << " s\n";
    } catch (const std::exception& e) {
        std::cerr << "xfer_make_large_db: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
