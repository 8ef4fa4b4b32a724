// The desktop window's costs on Qt's offscreen platform, on the large database's partition of
// 999 XFER nodes:
//   first_frame   ShowNodeEditor through to the first painted frame of the window
//   next_repaint  a press on cmdNext in the shown window and the repaint of what it changed
//   chooser_first_frame  the "Open XFER node" window through to its first painted frame: the
//                 partitions of the whole file with their counts and the first one's 999 nodes
//
// xfer_desktop_bench [benchmark flags] [--work=DIR] [--large=FILE]
//   --work   folder for the working copy of the database (default: a temp folder)
//   --large  the large database (xfer_make_large_db); built into the work folder when absent

#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>

#include "desktop/chooser_run.h"
#include "desktop/desktop.h"
#include "desktop/painted_window_system.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "large_db.h"
#include "platform/platform.h"
#include "support/platform_doubles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using xfer::desktop::PaintedWindow;
using xfer::desktop::PaintedWindowSystem;

std::string gRoot;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// The host, with the desktop's window and scripted boxes (none is expected).
struct Host {
    PaintedWindowSystem* windows = nullptr;
    std::unique_ptr<xfer::host::EditorHost> host;

    Host() {
        xfer::platform::PlatformParts parts;
        parts.shell = std::make_unique<xfer::test::FixedShell>(gRoot);
        parts.registry = std::make_unique<xfer::platform::HiveRegistry>(xfer::platform::Hive{});
        parts.messageBoxes = std::make_unique<xfer::test::RecordingMessageBoxes>();
        auto windowSystem = std::make_unique<PaintedWindowSystem>();
        windows = windowSystem.get();
        parts.windows = std::move(windowSystem);
        host = std::make_unique<xfer::host::EditorHost>(
            xfer::platform::PlatformServices(std::move(parts)));
    }
    void open(std::int16_t node) { host->open(1, xfer::bench::kFullXferPartition, node); }
};

void FirstFrame(benchmark::State& state) {
    Host host;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        host.open(1);
        state.SetIterationTime(Seconds(host.windows->firstFrame() - t0));
        if (!host.windows->painted()) {
            state.SkipWithError("the window was not painted");
            break;
        }
    }
}

void NextRepaint(benchmark::State& state) {
    Host host;
    bool repainted = true;
    long presses = 0;
    host.windows->setSession([&](xfer::editor::FormBase& shown, PaintedWindow& window) {
        auto& form = dynamic_cast<xfer::editor::GUI&>(shown);
        for (auto _ : state) {
            if (form.nodeNumber() == xfer::bench::kFullXferCount) {
                state.PauseTiming();
                window.press("cmdFirst");
                state.ResumeTiming();
            }
            const auto t0 = Clock::now();
            repainted = window.press("cmdNext") && repainted;
            state.SetIterationTime(Seconds(Clock::now() - t0));
            ++presses;
        }
    });
    host.open(1);
    if (!repainted || presses == 0)
        state.SkipWithError("a press on Next was not repainted");
}

void ChooserFirstFrame(benchmark::State& state) {
    Host host;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        const xfer::desktop::ChooserFrame frame = xfer::desktop::PaintChooser(*host.host);
        state.SetIterationTime(Seconds(frame.paintedAt - t0));
        if (!frame.painted || frame.listedNodes != xfer::bench::kFullXferCount) {
            state.SkipWithError("the chooser was not painted with the partition's nodes");
            break;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    benchmark::Initialize(&argc, argv);
    std::optional<fs::path> work;
    std::string large;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--work=", 0) == 0) {
            work = arg.substr(7);
        } else if (arg.rfind("--large=", 0) == 0) {
            large = arg.substr(8);
        } else {
            std::cerr << "unknown argument " << arg << '\n';
            return 2;
        }
    }
    const bool temporary = !work;
    if (temporary)
        work = fs::temp_directory_path() / ("xfer-desktop-bench-" + std::to_string(getpid()));
    try {
        fs::create_directories(*work);
        if (large.empty()) {
            large = (*work / "large.mdb").string();
            if (!fs::exists(large))
                xfer::bench::MakeLargeDatabase(large, {});
        }
        gRoot = (*work / "desktop").string();
        const fs::path copy = gRoot + "/Quorvel/VDACOM+/Database/NewDB.mdb";
        fs::create_directories(copy.parent_path());
        fs::copy_file(large, copy, fs::copy_options::overwrite_existing);
    } catch (const std::exception& e) {
        std::cerr << "xfer_desktop_bench: " << e.what() << '\n';
        return 1;
    }
    benchmark::RegisterBenchmark("first_frame/large", FirstFrame)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark("next_repaint/large", NextRepaint)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    benchmark::RegisterBenchmark("chooser_first_frame/large", ChooserFirstFrame)
        ->Unit(benchmark::kMillisecond)
        ->UseManualTime();
    const int status = xfer::desktop::RunDesktop(argc, argv, [] {
        benchmark::RunSpecifiedBenchmarks();
        return 0;
    });
    benchmark::Shutdown();
    fs::remove_all(temporary ? *work : fs::path(gRoot));
    return status;
}
