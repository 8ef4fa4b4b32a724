// The editor's costs on the demo database and on a large one, in one run:
//   open      ShowNodeEditor through a session that closes at once
//   floor     the statements the opening runs, replayed on SQLite's C API alone
//   open_over_floor, open_large_over_demo   the two measured side by side, as ratios
//   navigate  one cmdNext_Click in a partition of 999 XFER nodes (the demo's main partition)
//   pick      choosing MSG in the Hold type picker and typing 4321 into its number picker
//   save      OK on a node whose style and six targets are all missing, all seven created
//   peak_rss  resident memory of one opening over the process's baseline, in a fresh process
//   check     the partition check (xfer-node-editor check): its connection and every XFER node
//             of the opened partition (the large database's has 999)
//   export    the opened partition as a document (xfer-node-editor export), its connection too
//   import_dry_run  import --dry-run of that document with every label changed
// The cases named .../server run open, floor, navigate and save on the demo data on a
// PostgreSQL 15 server that the benchmark starts in a temp folder (Unix socket, default
// durability) and stops at the end; its floor replays the same statements through libpq alone
// on one connection.
//
// The cases named .../slow_link run open, floor, open_over_floor and navigate on the same
// server through a relay on the loopback address that holds each chunk 10 ms each way (a
// 20 ms round trip, bench/slow_link.h): the floor there runs the statements one at a time, as
// the editor did before it sent an opening's reads together. connect/slow_link is what
// connecting (and setting the time-outs) costs over that link. The server cases count the
// round trips of an opening, a Next and a save (round_trips, connections).
//
// xfer_bench [benchmark flags] [--work=DIR] [--large=FILE] [--no-server] [--link-delay-ms=N]
//   --work       folder for the working copies of the databases (default: a temp folder)
//   --large      the large database (xfer_make_large_db); built into the work folder when absent
//   --no-server  no server cases (and no server started)
//   --link-delay-ms  the slow link's delay each way (default 10)

#include <benchmark/benchmark.h>
#include <libpq-fe.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench_databases.h"
#include "data/database_copy.h"
#include "data/schema.h"
#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "editor_host.h"
#include "large_db.h"
#include "partition/partition_check.h"
#include "partition/partition_export.h"
#include "partition/partition_import.h"
#include "server_floor.h"
#include "slow_link.h"
#include "statement_trace.h"
#include "support/platform_doubles.h"
#include "support/test_server.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using xfer::bench::AddNodeWithMissingReferences;
using xfer::bench::AllCreated;
using xfer::bench::CopyDatabase;
using xfer::bench::Database;
using xfer::bench::EditorHost;
using xfer::bench::NodeRef;
using xfer::bench::RemoveCreatedNodes;
using xfer::bench::SaveSql;
using xfer::bench::Sql;
using xfer::editor::GUI;
using xfer::editor::UserActions;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

Database gDemo;
Database gLarge;
Database gServer;  // the demo data on the server
Database gSlow;    // the same server database behind the slow link
std::optional<xfer::test::TestServer> gPostgres;
std::optional<xfer::bench::SlowLink> gLink;
int gLinkDelayMs = 10;

// Records what one opening runs, once per database, for the floor to replay. The server's
// opening runs what the demo file's does.
xfer::bench::Recording Record(const Database& db) {
    EditorHost host(db.root);
    xfer::bench::StatementRecorder recorder;
    host.open(db.config, db.part, db.node);
    return recorder.take();
}

// One run of the database's floor; returns the rows read.
long long RunFloor(Database& db) {
    if (!db.server.empty()) {
        if (!db.serverFloor) {
            db.serverFloor.emplace(Record(gDemo), db.server);
            db.statements = db.serverFloor->statements();
            db.connections = 1;
        }
        return db.serverFloor->run();
    }
    if (!db.floor) {
        const xfer::bench::Recording recording = Record(db);
        db.statements = recording.runs();
        db.connections = recording.connections();
        db.floor.emplace(recording, EditorHost::DatabasePath(db.root));
    }
    return db.floor->run();
}

bool Clean(benchmark::State& state, const EditorHost& host, int boxesBefore = 0) {
    if (host.boxes() != boxesBefore) {
        state.SkipWithError(("a message box was shown: " + host.lastBox()).c_str());
        return false;
    }
    return true;
}

// Cases ---------------------------------------------------------------------------------------

// Round trips and connections per iteration, for the server's cases.
void CountTraffic(benchmark::State& state, const EditorHost& host, std::uint64_t tripsBefore,
                  std::uint64_t connectionsBefore) {
    if (host.serverConnections() == 0)
        return;
    const auto n = static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    state.counters["round_trips"] = static_cast<double>(host.serverRoundTrips() - tripsBefore) / n;
    state.counters["connections"] =
        static_cast<double>(host.serverConnections() - connectionsBefore) / n;
}

void Open(benchmark::State& state, Database* db) {
    EditorHost host(db->root, db->server);
    host.open(db->config, db->part, db->node);  // statements prepared as in a host's later ones
    const auto trips = host.serverRoundTrips();
    const auto connections = host.serverConnections();
    for (auto _ : state)
        host.open(db->config, db->part, db->node);
    CountTraffic(state, host, trips, connections);
    if (Clean(state, host) && !host.shown())
        state.SkipWithError("the editor was not shown");
}

// Connecting to the server as the editor does: the connection and setting its time-outs.
void Connect(benchmark::State& state, Database* db) {
    for (auto _ : state) {
        PGconn* conn = PQconnectdb(db->server.c_str());
        PQclear(PQexec(conn, "SET lock_timeout = 30000; SET statement_timeout = 31000"));
        if (PQstatus(conn) != CONNECTION_OK)
            state.SkipWithError(PQerrorMessage(conn));
        PQfinish(conn);
    }
}

void FloorCase(benchmark::State& state, Database* db) {
    long long rows = RunFloor(*db);
    for (auto _ : state)
        rows = RunFloor(*db);
    state.counters["statements"] = static_cast<double>(db->statements);
    state.counters["connections"] = db->connections;
    state.counters["rows"] = static_cast<double>(rows);
}

void OpenOverFloor(benchmark::State& state, Database* db) {
    RunFloor(*db);
    EditorHost host(db->root, db->server);
    Clock::duration open{};
    Clock::duration bare{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        host.open(db->config, db->part, db->node);
        const auto t1 = Clock::now();
        benchmark::DoNotOptimize(RunFloor(*db));
        const auto t2 = Clock::now();
        open += t1 - t0;
        bare += t2 - t1;
        state.SetIterationTime(Seconds(t2 - t0));
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["open_us"] = Seconds(open) * 1e6 / n;
    state.counters["floor_us"] = Seconds(bare) * 1e6 / n;
    state.counters["ratio"] = Seconds(open) / Seconds(bare);
    Clean(state, host);
}

// The editor's growth from the demo to the large partition next to the floor's own, both
// measured in the same iterations, alternating.
void OpenLargeOverDemo(benchmark::State& state) {
    RunFloor(gDemo);
    RunFloor(gLarge);
    EditorHost demo(gDemo.root);
    EditorHost large(gLarge.root);
    Clock::duration small{};
    Clock::duration big{};
    Clock::duration floorSmall{};
    Clock::duration floorBig{};
    for (auto _ : state) {
        const auto t0 = Clock::now();
        demo.open(gDemo.config, gDemo.part, gDemo.node);
        const auto t1 = Clock::now();
        large.open(gLarge.config, gLarge.part, gLarge.node);
        const auto t2 = Clock::now();
        benchmark::DoNotOptimize(RunFloor(gDemo));
        const auto t3 = Clock::now();
        benchmark::DoNotOptimize(RunFloor(gLarge));
        const auto t4 = Clock::now();
        small += t1 - t0;
        big += t2 - t1;
        floorSmall += t3 - t2;
        floorBig += t4 - t3;
        state.SetIterationTime(Seconds(t2 - t0));
    }
    const auto n = static_cast<double>(state.iterations());
    state.counters["demo_us"] = Seconds(small) * 1e6 / n;
    state.counters["large_us"] = Seconds(big) * 1e6 / n;
    state.counters["ratio"] = Seconds(big) / Seconds(small);
    state.counters["floor_demo_us"] = Seconds(floorSmall) * 1e6 / n;
    state.counters["floor_large_us"] = Seconds(floorBig) * 1e6 / n;
    state.counters["floor_growth"] = Seconds(floorBig) / Seconds(floorSmall);
    state.counters["growth_over_floor_growth"] =
        (Seconds(big) / Seconds(small)) / (Seconds(floorBig) / Seconds(floorSmall));
    if (Clean(state, demo))
        Clean(state, large);
}

void Navigate(benchmark::State& state, Database* db) {
    EditorHost host(db->root, db->server);
    long count = 0;
    std::uint64_t trips = 0;
    std::uint64_t connections = 0;
    host.open(db->config, db->part, db->node, [&](GUI& f, UserActions& user) {
        count = f.cmbNode.ListCount();
        trips = host.serverRoundTrips();
        connections = host.serverConnections();
        for (auto _ : state) {
            if (f.cmbNode.ListIndex() == count - 1)
                user.click(f.cmdFirst);
            const auto t0 = Clock::now();
            user.click(f.cmdNext);
            state.SetIterationTime(Seconds(Clock::now() - t0));
        }
        CountTraffic(state, host, trips, connections);
    });
    state.counters["nodes"] = static_cast<double>(count);
    if (Clean(state, host) && count == 0)
        state.SkipWithError("the editor was not shown");
}

void Pick(benchmark::State& state, Database* db) {
    EditorHost host(db->root);
    long limit = 0;
    std::string typed;
    int boxes = 0;
    host.open(db->config, db->part, db->node, [&](GUI& f, UserActions& user) {
        user.click(f.cmdExceptionsEdit);
        user.clickRow(f.LVExceptions, 1);
        boxes = host.boxes();
        for (auto _ : state) {
            user.choose(f.cmbHoldNode, std::string("CMD"));
            const auto t0 = Clock::now();
            user.choose(f.cmbHoldNode, std::string("MSG"));
            user.type(f.cmbHoldNumber, "4321", true);
            state.SetIterationTime(Seconds(Clock::now() - t0));
        }
        limit = f.cmbHoldNumber.ListCount();
        typed = f.cmbHoldNumber.Text();
        if (host.boxes() != boxes)
            boxes = -1;
    });
    if (!host.shown()) {
        state.SkipWithError("the editor was not shown");
        return;
    }
    state.counters["limit"] = static_cast<double>(limit);
    state.counters["typed"] = std::stod(typed.empty() ? "0" : typed);
    if (boxes < 0)
        state.SkipWithError(("a message box was shown: " + host.lastBox()).c_str());
}

void Save(benchmark::State& state, Database* db) {
    EditorHost host(db->saveRoot, db->saveServer);
    bool checked = false;
    std::uint64_t trips = 0;
    for (auto _ : state) {
        RemoveCreatedNodes(*db);
        const int prompts = host.prompts();
        host.open(db->saveConfig, db->savePart, db->saveNode, [&](GUI& f, UserActions& user) {
            // The same dial typed again: a change that makes OK save.
            user.type(f.txtDial, "2001", true);
            const auto before = host.serverRoundTrips();
            const auto t0 = Clock::now();
            user.click(f.cmdOK);
            state.SetIterationTime(Seconds(Clock::now() - t0));
            trips += host.serverRoundTrips() - before;
        });
        if (!checked) {
            if (host.prompts() != prompts + 1 || !AllCreated(*db)) {
                state.SkipWithError("saving did not create the seven missing nodes");
                break;
            }
            checked = true;
        }
    }
    state.counters["created"] = static_cast<double>(db->created.size());
    if (host.serverConnections() > 0)
        state.counters["round_trips"] =
            static_cast<double>(trips) /
            static_cast<double>(std::max<benchmark::IterationCount>(1, state.iterations()));
    Clean(state, host);
}

// Peak memory ---------------------------------------------------------------------------------

long StatusKb(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::stol(line.substr(std::string(field).size()));
    }
    return -1;
}

// The child's side: the host is ready, the peak is reset to the resident set of now, then one
// opening. Prints the baseline and the peak in kB.
int MeasureOpening(const std::string& root, int config, int part, int node) {
    EditorHost host(root);
    const long baseline = StatusKb("VmRSS:");
    {
        std::ofstream clear("/proc/self/clear_refs");
        clear << "5";
    }
    host.open(static_cast<std::int16_t>(config), static_cast<std::int16_t>(part),
              static_cast<std::int16_t>(node));
    std::cout << baseline << ' ' << StatusKb("VmHWM:") << ' ' << (host.shown() ? 1 : 0) << '\n';
    return 0;
}

std::string gSelf;

void PeakRss(benchmark::State& state, Database* db) {
    long baseline = 0;
    long peak = 0;
    int shown = 0;
    for (auto _ : state) {
        const std::string command = "'" + gSelf + "' --xfer-measure-opening '" + db->root + "' " +
                                    std::to_string(db->config) + ' ' + std::to_string(db->part) +
                                    ' ' + std::to_string(db->node);
        const std::unique_ptr<FILE, int (*)(FILE*)> child(popen(command.c_str(), "r"), pclose);
        if (!child || std::fscanf(child.get(), "%ld %ld %d", &baseline, &peak, &shown) != 3) {
            state.SkipWithError("the measuring process gave no figures");
            return;
        }
    }
    if (shown != 1)
        state.SkipWithError("the editor was not shown");
    state.counters["baseline_MB"] = static_cast<double>(baseline) / 1024.0;
    state.counters["peak_over_baseline_MB"] = static_cast<double>(peak - baseline) / 1024.0;
}

void Check(benchmark::State& state, Database* db) {
    xfer::platform::PlatformParts parts;
    parts.shell = std::make_unique<xfer::test::FixedShell>(db->root);
    parts.registry = std::make_unique<xfer::platform::HiveRegistry>(xfer::platform::Hive{});
    const xfer::platform::PlatformServices services(std::move(parts));
    xfer::partition::PartitionCheck check;
    for (auto _ : state) {
        xfer::data::DataBase database(services.view());
        check = xfer::partition::CheckPartition(database, db->config, db->part);
    }
    state.counters["nodes"] = check.nodes;
    state.counters["dangling"] = static_cast<double>(check.dangling.size());
    state.counters["unchecked"] = static_cast<double>(check.unchecked.size());
}

// The partition as a document (xfer-node-editor export), its connection included.
void Export(benchmark::State& state, Database* db) {
    xfer::platform::PlatformParts parts;
    parts.shell = std::make_unique<xfer::test::FixedShell>(db->root);
    parts.registry = std::make_unique<xfer::platform::HiveRegistry>(xfer::platform::Hive{});
    const xfer::platform::PlatformServices services(std::move(parts));
    std::string text;
    for (auto _ : state) {
        xfer::data::DataBase database(services.view());
        text = xfer::partition::DocumentText(
            xfer::partition::ExportPartition(database, db->config, db->part));
    }
    state.counters["bytes"] = static_cast<double>(text.size());
}

// xfer-node-editor import --dry-run of the partition's own export with every label changed:
// reading the file, every rule on every node, the existence of every reference, the changes.
void ImportDryRun(benchmark::State& state, Database* db) {
    xfer::platform::PlatformParts parts;
    parts.shell = std::make_unique<xfer::test::FixedShell>(db->root);
    parts.registry = std::make_unique<xfer::platform::HiveRegistry>(xfer::platform::Hive{});
    const xfer::platform::PlatformServices services(std::move(parts));
    std::string text;
    {
        xfer::data::DataBase database(services.view());
        auto document = xfer::partition::ExportPartition(database, db->config, db->part);
        for (auto& node : document.nodes)
            node.label = "Imported " + std::to_string(node.node);
        text = xfer::partition::DocumentText(document);
    }
    xfer::partition::ImportReport report;
    for (auto _ : state) {
        xfer::data::DataBase database(services.view());
        report = xfer::partition::ImportPartition(
            database, db->config, db->part, xfer::partition::ReadDocument(text), {.dryRun = true});
    }
    state.counters["changes"] = static_cast<double>(report.changes.size());
    state.counters["refused"] = static_cast<double>(report.refused.size());
}

// Set-up --------------------------------------------------------------------------------------

// A server with the demo data twice, as the file cases have it: one to read, one to save to.
void PrepareServer() {
    std::string folder = (fs::temp_directory_path() / "xfer-bench-pg-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr)
        throw std::runtime_error("cannot make a folder for the server");
    const int port = xfer::bench::FreeLoopbackPort();
    gPostgres.emplace(folder, /*durable=*/true, port);
    gPostgres->start();
    gLink.emplace(port, std::chrono::milliseconds(gLinkDelayMs));
    Sql maintenance(gPostgres->connectionInfo("postgres"), true);
    maintenance.exec("CREATE DATABASE xfer_demo");
    maintenance.exec("CREATE DATABASE xfer_demo_save");
    gServer = Database{};
    gServer.name = "server";
    gServer.root = gDemo.root;  // no file is looked for: the registry names the server
    gServer.saveRoot = gDemo.root;
    gServer.server = gPostgres->connectionInfo("xfer_demo");
    gServer.saveServer = gPostgres->connectionInfo("xfer_demo_save");
    xfer::data::CreateServerDatabase(gServer.server, true);
    xfer::data::CreateServerDatabase(gServer.saveServer, true);
    gServer.created = AddNodeWithMissingReferences(gServer);
    // Later keywords of a libpq connection string win: the same database, through the link.
    const std::string viaLink = " host=127.0.0.1 port=" + std::to_string(gLink->port());
    gSlow = gServer;
    gSlow.name = "slow_link";
    gSlow.server += viaLink;
    gSlow.saveServer += viaLink;
}

void Prepare(const fs::path& work, std::string large, bool server) {
    fs::create_directories(work);
    for (const char* folder : {"demo", "demo-save", "large", "large-save"})
        fs::remove_all(work / folder);

    gDemo.name = "demo";
    gDemo.root = (work / "demo").string();
    gDemo.saveRoot = (work / "demo-save").string();
    xfer::data::CreateConfigurationDatabase(EditorHost::DatabasePath(gDemo.root), true);
    xfer::data::CreateConfigurationDatabase(EditorHost::DatabasePath(gDemo.saveRoot), true);
    gDemo.created = AddNodeWithMissingReferences(gDemo);

    if (large.empty()) {
        large = (work / "large.mdb").string();
        if (!fs::exists(large))
            xfer::bench::MakeLargeDatabase(large, {});
    }
    gLarge.name = "large";
    gLarge.root = (work / "large").string();
    gLarge.saveRoot = (work / "large-save").string();
    gLarge.part = xfer::bench::kFullXferPartition;
    gLarge.savePart = 2;  // room left below every limit
    CopyDatabase(large, gLarge.root);
    CopyDatabase(large, gLarge.saveRoot);
    gLarge.created = AddNodeWithMissingReferences(gLarge);
    if (server)
        PrepareServer();
    // The copies go to disk now, not while the first cases run.
    sync();
}

void Register() {
    const auto each = [](const char* name, void (*fn)(benchmark::State&, Database*),
                         const std::function<void(benchmark::internal::Benchmark*)>& tune,
                         bool onServer = false, bool overLink = false) {
        for (Database* db : {&gDemo, &gLarge, &gServer, &gSlow}) {
            if (db == &gServer && (!onServer || !gPostgres))
                continue;
            if (db == &gSlow && (!overLink || !gLink))
                continue;
            tune(
                benchmark::RegisterBenchmark((std::string(name) + "/" + db->name).c_str(), fn, db));
        }
    };
    const auto micro = [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMicrosecond); };
    const auto manual = [](benchmark::internal::Benchmark* b) {
        b->Unit(benchmark::kMicrosecond)->UseManualTime();
    };
    each("open", Open, micro, true, true);
    each("floor", FloorCase, micro, true, true);
    each("open_over_floor", OpenOverFloor, manual, true, true);
    if (gLink) {
        benchmark::RegisterBenchmark("connect/slow_link", Connect, &gSlow)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("open_large_over_demo", OpenLargeOverDemo)
        ->Unit(benchmark::kMicrosecond)
        ->UseManualTime();
    each("navigate", Navigate, manual, true, true);
    each("pick", Pick, manual);
    each(
        "save", Save,
        [](benchmark::internal::Benchmark* b) {
            b->Unit(benchmark::kMillisecond)->UseManualTime();
        },
        true);
    each("check", Check,
         [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); });
    each("export", Export,
         [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); });
    each("import_dry_run", ImportDryRun,
         [](benchmark::internal::Benchmark* b) { b->Unit(benchmark::kMillisecond); });
    each("peak_rss", PeakRss, [](benchmark::internal::Benchmark* b) {
        b->Iterations(1)->Unit(benchmark::kMillisecond);
    });
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && std::string(argv[1]) == "--xfer-measure-opening")
        return MeasureOpening(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));

    benchmark::Initialize(&argc, argv);
    std::optional<fs::path> work;
    std::string large;
    bool server = true;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--work=", 0) == 0) {
            work = arg.substr(7);
        } else if (arg.rfind("--large=", 0) == 0) {
            large = arg.substr(8);
        } else if (arg == "--no-server") {
            server = false;
        } else if (arg.rfind("--link-delay-ms=", 0) == 0) {
            gLinkDelayMs = std::atoi(arg.substr(16).c_str());
        } else {
            std::cerr << "unknown argument " << arg << '\n';
            return 2;
        }
    }
    gSelf = fs::read_symlink("/proc/self/exe").string();
    const bool temporary = !work;
    if (temporary)
        work = fs::temp_directory_path() / ("xfer-bench-" + std::to_string(getpid()));
    try {
        Prepare(*work, large, server);
    } catch (const std::exception& e) {
        std::cerr << "xfer_bench: " << e.what() << '\n';
        if (gPostgres)
            gPostgres->stop();
        return 1;
    }
    Register();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    gLink.reset();
    if (gPostgres)
        gPostgres->stop();
    if (temporary)
        fs::remove_all(*work);
    return 0;
}
