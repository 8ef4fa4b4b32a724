#include "large_db.h"

#include <sqlite3.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "data/schema.h"

namespace xfer::bench {

namespace {

namespace fs = std::filesystem;

// splitmix64: the same numbers on every platform and standard library, which the standard
// distributions do not promise.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [lo, hi].
    int between(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }
    bool oneIn(int n) { return next() % static_cast<std::uint64_t>(n) == 0; }

  private:
    std::uint64_t state_;
};

[[noreturn]] void Fail(sqlite3* db, const std::string& what) {
    throw std::runtime_error(what + ": " + (db != nullptr ? sqlite3_errmsg(db) : "no database"));
}

class Statement {
  public:
    Statement(sqlite3* db, const std::string& sql) : db_(db) {
        if (sqlite3_prepare_v3(db, sql.c_str(), -1, SQLITE_PREPARE_PERSISTENT, &stmt_, nullptr) !=
            SQLITE_OK) {
            Fail(db, "prepare " + sql);
        }
    }
    ~Statement() { sqlite3_finalize(stmt_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& bind(int index, long long value) {
        sqlite3_bind_int64(stmt_, index, value);
        return *this;
    }
    Statement& bind(int index, std::string_view text) {
        sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
        return *this;
    }
    void run() {
        if (sqlite3_step(stmt_) != SQLITE_DONE)
            Fail(db_, std::string("run ") + sqlite3_sql(stmt_));
        sqlite3_reset(stmt_);
    }

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

void Exec(sqlite3* db, const std::string& sql) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        const std::string message = error != nullptr ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        throw std::runtime_error(message + " in: " + sql.substr(0, 200));
    }
}

std::vector<std::string> Strings(sqlite3* db, const std::string& sql) {
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
        Fail(db, "prepare " + sql);
    std::vector<std::string> result;
    while (sqlite3_step(stmt) == SQLITE_ROW)
        result.emplace_back(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return result;
}

void RemoveDatabaseFiles(const std::string& path) {
    std::error_code ignored;
    for (const char* suffix : {"", "-wal", "-shm", "-journal"})
        fs::remove(path + suffix, ignored);
}

struct NodeType {
    int id;
    const char* name;
    const char* table;  // nullptr: a type without node rows of its own
};

// The catalogue's types that carry a limit in every partition (20 of them); SPARE (14) and
// HANGUP (999) have none, as in the demo data.
constexpr std::array<NodeType, 20> kLimitedTypes{{
    {0, "MSG", "Node_MSG"},    {1, "CMD", "Node_CMD"},      {2, "TIME", "Node_TIME"},
    {3, "DATE", "Node_DATE"},  {4, "XFER", "Node_XFER"},    {5, "STYLE", "Node_STYLE"},
    {6, "DTMF", "Node_DTMF"},  {7, "VOX", "Node_VOX"},      {8, "LIST", "Node_LIST"},
    {9, "AUTO", "Node_AUTO"},  {10, "FAX", nullptr},        {11, "MOH", "Node_MOH"},
    {12, "PAAS", "Node_PAAS"}, {13, "TABLE", "Node_TABLE"}, {15, "DBN", "Node_DBN"},
    {814, "NOOP", nullptr},    {815, "BEEP", nullptr},      {816, "GOTO", nullptr},
    {817, "PMSG", nullptr},    {818, "SMSG", nullptr},
}};

constexpr std::array<const char*, 12> kWords{"Reception", "Sales",     "Support",  "Billing",
                                             "Night",     "Overflow",  "Queue",    "Main",
                                             "Branch",    "Warehouse", "Operator", "Helpdesk"};
constexpr std::array<const char*, 5> kStyleTables{nullptr, "STYLE_Partial", "STYLE_Full",
                                                  "STYLE_DialCont", "STYLE_Enhanced"};

struct Partition {
    int config;
    int part;
    std::array<int, kLimitedTypes.size()> limit{};
    std::array<int, kLimitedTypes.size()> count{};  // nodes 1..count exist
};

std::size_t IndexOf(int typeId) {
    for (std::size_t i = 0; i < kLimitedTypes.size(); ++i) {
        if (kLimitedTypes[i].id == typeId)
            return i;
    }
    throw std::logic_error("unknown type " + std::to_string(typeId));
}

Partition PlanPartition(int config, int part, Rng& rng) {
    Partition p{config, part, {}, {}};
    for (std::size_t i = 0; i < kLimitedTypes.size(); ++i) {
        const NodeType& t = kLimitedTypes[i];
        int limit = 0;
        int count = 0;
        switch (t.id) {
            case kWideTypeId:
                limit = kWideTypeLimit;
                count = rng.between(6000, 8000);
                break;
            case 4:
                if (part == kFullXferPartition) {
                    limit = count = kFullXferCount;
                } else {
                    limit = rng.between(900, 999);
                    count = limit - rng.between(5, 40);
                }
                break;
            case 5:
                limit = 999;
                count = rng.between(400, 600);
                break;
            case 814:
            case 815:
                limit = 1;
                break;
            case 816:
            case 817:
            case 818:
                limit = 999;
                break;
            default:
                limit = rng.between(500, 999);
                count = t.table != nullptr ? limit * rng.between(80, 95) / 100 : 0;
                break;
        }
        p.limit[i] = limit;
        p.count[i] = count;
    }
    return p;
}

std::string Description(Rng& rng, int number) {
    return std::string(kWords[rng.next() % kWords.size()]) + " " + std::to_string(number);
}

class Builder {
  public:
    Builder(sqlite3* db, LargeDbSummary& summary)
        : db_(db),
          summary_(summary),
          limit_(db,
                 "INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, "
                 "Max_Number) VALUES (?1, ?2, ?3, ?4)"),
          pool_(db,
                "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, "
                "NodeType, NodeDescription, DateModified) VALUES (?1, ?2, ?3, ?4, ?5, ?6, "
                "'3/14/2024 9:30:00 AM')"),
          xfer_(db,
                "INSERT INTO Node_XFER (ConfigID, PartID, NodeNumber, StyleNodeNumber, "
                "HoldNodeType, HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, "
                "Busy1NodeType, Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, "
                "NoAnswerNodeType, NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, "
                "NodeDescription) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, "
                "?13, ?14, ?15, ?16, ?17, ?18)"),
          style_(db,
                 "INSERT INTO Node_STYLE (ConfigID, PartID, NodeNumber, Disconnection, "
                 "Hookflash, SuperviseID, SuperviseType, ThresholdTypeID, Transfer, "
                 "NodeDescription) VALUES (?1, ?2, ?3, 1, 600, ?4, ?5, 1, 1, ?6)") {
        for (const NodeType& t : kLimitedTypes) {
            if (t.table == nullptr || t.id == 4 || t.id == 5)
                continue;
            plain_.emplace_back(t.id, std::make_unique<Statement>(
                                          db, std::string("INSERT INTO ") + t.table +
                                                  " (ConfigID, PartID, NodeNumber, "
                                                  "NodeDescription) VALUES (?1, ?2, ?3, ?4)"));
        }
        for (std::size_t k = 1; k < kStyleTables.size(); ++k) {
            const char* busy = k == 4 ? "Busy1On, Busy2On" : "BusyOff, BusyOn";
            styleDetail_[k] = std::make_unique<Statement>(
                db, std::string("INSERT INTO ") + kStyleTables[k] +
                        " (ConfigID, PartID, StyleID, " + busy +
                        ", BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, "
                        "SuperviseID) VALUES (?1, ?2, ?3, 500, 500, 30, 3, 1, 6, 4000, 2000, ?4)");
        }
        PrepareTemplateCopies();
    }

    void Add(const Partition& p, Rng& rng) {
        for (std::size_t i = 0; i < kLimitedTypes.size(); ++i) {
            limit_.bind(1, p.config).bind(2, p.part).bind(3, kLimitedTypes[i].id);
            limit_.bind(4, p.limit[i]).run();
        }
        for (const auto& copy : templates_)
            copy->bind(1, p.config).bind(2, p.part).run();

        const auto count = [&](int typeId) { return p.count[IndexOf(typeId)]; };
        for (std::size_t i = 0; i < kLimitedTypes.size(); ++i) {
            const NodeType& t = kLimitedTypes[i];
            if (t.table == nullptr)
                continue;
            for (int n = 1; n <= p.count[i]; ++n) {
                const std::string label = Description(rng, n);
                pool_.bind(1, p.config).bind(2, p.part).bind(3, t.id).bind(4, n);
                pool_.bind(5, t.name).bind(6, label).run();
                ++summary_.generalRows;
                ++summary_.nodeRows;
                if (t.id == 4) {
                    AddXfer(p, n, label, count, rng);
                    ++summary_.xferNodes;
                } else if (t.id == 5) {
                    AddStyle(p, n, label);
                } else {
                    Plain(t.id).bind(1, p.config).bind(2, p.part).bind(3, n).bind(4, label).run();
                }
            }
        }
    }

  private:
    // Every template (node 0 of each type, its detail rows and its general row) is the demo
    // data's template of configuration 1, partition 1, copied into each partition.
    void PrepareTemplateCopies() {
        const auto tables = Strings(db_,
                                    "SELECT name FROM demo.sqlite_master WHERE type = 'table' "
                                    "AND name NOT LIKE 'SR\\_%' ESCAPE '\\' AND name <> "
                                    "'Node_Type_Max' ORDER BY name");
        for (const std::string& table : tables) {
            const auto columns =
                Strings(db_, "SELECT name FROM pragma_table_info('" + table + "', 'demo')");
            std::string key;
            for (const char* candidate : {"NodeMasterID", "StyleID", "NodeNumber"}) {
                for (const auto& c : columns) {
                    if (key.empty() && c == candidate)
                        key = c;
                }
            }
            if (key.empty())
                continue;
            std::string names;
            std::string values;
            for (const auto& c : columns) {
                names += (names.empty() ? "" : ", ") + ('"' + c + '"');
                const std::string value = c == "ConfigID" ? "?1"
                                          : c == "PartID" ? "?2"
                                                          : ("t.\"" + c + '"');
                values += (values.empty() ? "" : ", ") + value;
            }
            templates_.push_back(std::make_unique<Statement>(
                db_, "INSERT INTO main." + table + " (" + names + ") SELECT " + values +
                         " FROM demo." + table + " t WHERE t.ConfigID = 1 AND t.PartID = 1 AND t." +
                         key + " = 0"));
        }
    }

    Statement& Plain(int typeId) {
        for (auto& [id, statement] : plain_) {
            if (id == typeId)
                return *statement;
        }
        throw std::logic_error("no statement for type " + std::to_string(typeId));
    }

    template <typename Count>
    void AddXfer(const Partition& p, int n, const std::string& label, const Count& count,
                 Rng& rng) {
        const auto pick = [&](int typeId) {
            return 1 + static_cast<int>(rng.next() % count(typeId));
        };
        xfer_.bind(1, p.config).bind(2, p.part).bind(3, n).bind(4, pick(5));
        if (rng.oneIn(4)) {
            xfer_.bind(5, "NOOP").bind(6, 1);
        } else {
            xfer_.bind(5, "MSG").bind(6, pick(0));
        }
        xfer_.bind(7, std::to_string(rng.between(2000, 9999)));
        if (rng.oneIn(2)) {
            xfer_.bind(8, "MOH").bind(9, pick(11));
        } else {
            xfer_.bind(8, "NOOP").bind(9, 1);
        }
        xfer_.bind(10, "MSG").bind(11, pick(0));
        if (rng.oneIn(2)) {
            xfer_.bind(12, "CMD").bind(13, pick(1));
        } else {
            xfer_.bind(12, "MSG").bind(13, pick(0));
        }
        if (rng.oneIn(2)) {
            xfer_.bind(14, "DTMF").bind(15, pick(6));
        } else {
            xfer_.bind(14, "MSG").bind(15, pick(0));
        }
        if (rng.oneIn(3)) {
            xfer_.bind(16, "XFER").bind(17, pick(4));
        } else {
            xfer_.bind(16, "BEEP").bind(17, 1);
        }
        xfer_.bind(18, label).run();
    }

    void AddStyle(const Partition& p, int n, const std::string& label) {
        static constexpr std::array<const char*, 5> kKinds{"None", "Partial", "Full", "DialCont",
                                                           "Enhanced"};
        const int supervise = n % 5;
        style_.bind(1, p.config).bind(2, p.part).bind(3, n).bind(4, supervise);
        style_.bind(5, kKinds[static_cast<std::size_t>(supervise)]).bind(6, label).run();
        if (supervise != 0) {
            styleDetail_[static_cast<std::size_t>(supervise)]
                ->bind(1, p.config)
                .bind(2, p.part)
                .bind(3, n)
                .bind(4, supervise)
                .run();
        }
    }

    sqlite3* db_;
    LargeDbSummary& summary_;
    Statement limit_;
    Statement pool_;
    Statement xfer_;
    Statement style_;
    std::vector<std::pair<int, std::unique_ptr<Statement>>> plain_;
    std::array<std::unique_ptr<Statement>, kStyleTables.size()> styleDetail_;
    std::vector<std::unique_ptr<Statement>> templates_;
};

}  // namespace

LargeDbSummary MakeLargeDatabase(const std::string& path, const LargeDbOptions& options) {
    const auto start = std::chrono::steady_clock::now();
    if (fs::exists(path))
        throw std::runtime_error(path + " exists already");
    const std::string building = path + ".building";
    const std::string demo = path + ".demo";
    RemoveDatabaseFiles(building);
    RemoveDatabaseFiles(demo);
    // The templates and the catalogue come from the demo data, so the generated partitions
    // copy what the product's own templates hold.
    data::CreateConfigurationDatabase(demo, true);

    LargeDbSummary summary;
    sqlite3* db = nullptr;
    const auto close = [&] {
        sqlite3_close(db);
        db = nullptr;
    };
    try {
        if (sqlite3_open_v2(building.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                            nullptr) != SQLITE_OK) {
            Fail(db, "open " + building);
        }
        Exec(db, std::string(data::SchemaSql()));
        // No journal while building: a failed build is thrown away anyway. WAL again at the
        // end, as the schema makes every configuration database.
        Exec(db,
             "PRAGMA journal_mode = OFF; PRAGMA synchronous = OFF; PRAGMA cache_size = -131072");
        Exec(db, "ATTACH DATABASE '" + demo + "' AS demo");
        Exec(db, "BEGIN");
        Exec(db,
             "INSERT INTO main.SR_Node_Type_Names SELECT * FROM demo.SR_Node_Type_Names;"
             "INSERT INTO main.SR_Node_Type_can_contain_Node_Type "
             "SELECT * FROM demo.SR_Node_Type_can_contain_Node_Type");
        {
            Builder builder(db, summary);
            Rng rng(options.seed);
            for (int c = 1; c <= options.configs; ++c) {
                for (int p = 1; p <= options.partitions; ++p) {
                    const Partition plan = PlanPartition(c, p, rng);
                    builder.Add(plan, rng);
                }
            }
        }
        Exec(db, "COMMIT");
        Exec(db, "DETACH DATABASE demo");
        const auto rows = Strings(db, "SELECT count(*) FROM Node_General_Pool");
        summary.generalRows = std::stoll(rows.at(0));  // templates included
        Exec(db, "PRAGMA journal_mode = WAL");
        if (sqlite3_close(db) != SQLITE_OK)
            Fail(db, "close " + building);
        db = nullptr;
        RemoveDatabaseFiles(demo);
        fs::rename(building, path);
    } catch (...) {
        close();
        RemoveDatabaseFiles(building);
        RemoveDatabaseFiles(demo);
        throw;
    }
    summary.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

}  // namespace xfer::bench
