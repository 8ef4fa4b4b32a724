// The desktop window's costs on Qt's offscreen platform, on the large database's partition of
// 999 XFER nodes:
//   first_frame   ShowNodeEditor through to the first painted frame of the window
//   next_repaint  a press on cmdNext in the shown window and the repaint of what it changed
//
// xfer_desktop_bench [benchmark flags] [--work=DIR] [--large=FILE]
//   --work   folder for the working copy of the database (default: a temp folder)
//   --large  the large database (xfer_make_large_db); built into the work folder when absent

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <functional>
#include <iostream>
#include <optional>

#include "desktop/form_dialog.h"
#include "desktop/form_font.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "large_db.h"
#include "platform/platform.h"
#include "support/platform_doubles.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

std::string gRoot;

// Counts the paint events of one window's widgets: a frame is painted once the count moves.
class PaintCounter final : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
    long paints = 0;
};

// Processes events until a paint event arrived (at most a few rounds).
bool PaintNow(PaintCounter& counter) {
    const long before = counter.paints;
    for (int round = 0; round < 50 && counter.paints == before; ++round)
        QCoreApplication::processEvents();
    return counter.paints != before;
}

// Shows the form as the desktop does and hands the shown, painted window to the case; closes
// the form afterwards. The time to the first frame runs from `started`.
class BenchWindows final : public xfer::platform::WindowSystem {
  public:
    std::function<void(xfer::editor::GUI&, xfer::desktop::FormDialog&, PaintCounter&)> session;
    Clock::time_point started;
    Clock::duration firstFrame{};
    bool painted = false;

    void ShowModal(xfer::platform::Window& window) override {
        auto& form = dynamic_cast<xfer::editor::GUI&>(window);
        PaintCounter counter;
        qApp->installEventFilter(&counter);
        {
            xfer::desktop::FormDialog dialog(form);
            dialog.show();
            painted = PaintNow(counter);
            firstFrame = Clock::now() - started;
            if (session)
                session(form, dialog, counter);
            if (form.IsLoaded())
                form.CloseBox();
        }
        qApp->removeEventFilter(&counter);
    }
    void Repaint() override { QCoreApplication::processEvents(); }
};

struct Host {
    BenchWindows* windows = nullptr;
    std::unique_ptr<xfer::host::EditorHost> host;

    Host() {
        xfer::platform::PlatformParts parts;
        parts.shell = std::make_unique<xfer::test::FixedShell>(gRoot);
        parts.registry = std::make_unique<xfer::platform::HiveRegistry>(xfer::platform::Hive{});
        parts.messageBoxes = std::make_unique<xfer::test::RecordingMessageBoxes>();
        auto windowSystem = std::make_unique<BenchWindows>();
        windows = windowSystem.get();
        parts.windows = std::move(windowSystem);
        host = std::make_unique<xfer::host::EditorHost>(
            xfer::platform::PlatformServices(std::move(parts)));
    }
};

void FirstFrame(benchmark::State& state) {
    Host host;
    for (auto _ : state) {
        host.windows->started = Clock::now();
        host.host->Open(1, xfer::bench::kFullXferPartition, 1);
        state.SetIterationTime(std::chrono::duration<double>(host.windows->firstFrame).count());
        if (!host.windows->painted) {
            state.SkipWithError("the window was not painted");
            break;
        }
    }
}

void NextRepaint(benchmark::State& state) {
    Host host;
    bool repainted = true;
    long moves = 0;
    host.windows->session = [&](xfer::editor::GUI& form, xfer::desktop::FormDialog& dialog,
                                PaintCounter& counter) {
        auto* next = dialog.findChild<QPushButton*>(QStringLiteral("cmdNext"));
        auto* first = dialog.findChild<QPushButton*>(QStringLiteral("cmdFirst"));
        for (auto _ : state) {
            if (form.nodeNumber() == xfer::bench::kFullXferCount) {
                first->click();
                PaintNow(counter);
            }
            const auto t0 = Clock::now();
            next->click();
            repainted = PaintNow(counter) && repainted;
            state.SetIterationTime(std::chrono::duration<double>(Clock::now() - t0).count());
            ++moves;
        }
    };
    host.host->Open(1, xfer::bench::kFullXferPartition, 1);
    if (!repainted || moves == 0)
        state.SkipWithError("a press on Next was not repainted");
}

}  // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    xfer::desktop::UseFormFont();
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
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (temporary)
        fs::remove_all(*work);
    else
        fs::remove_all(gRoot);
    return 0;
}
