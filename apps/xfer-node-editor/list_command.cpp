// list and where: what the host says about the database and a partition's XFER nodes.

#include <algorithm>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

#include "business_rules/stored_nodes.h"
#include "data/database.h"
#include "data/database_choice.h"
#include "data/database_probe.h"
#include "editor/exception_table.h"
#include "host/database_location.h"
#include "program.h"
#include "runtime/utf8.h"

namespace xfer::app {

namespace {

struct ListOptions {
    std::int16_t config = 0;
    std::int16_t partition = 0;
    bool json = false;
    bool csv = false;
};

// Exit 0 only when the database is there and answers with its tables; otherwise 1, saying
// what is missing or refused and, when nothing is there yet, where init-db and demo put it.
int Where(const Program& program) {
    const platform::PlatformServices services(program.machine());
    const host::DatabaseLocation where = host::LocateDatabase(services.view());
    const data::DatabaseProbe probe =
        where.server ? data::ProbeDatabaseServer(where.path) : data::ProbeDatabaseFile(where.path);
    std::string state;
    if (probe.ready()) {
        state = "answers, " + std::to_string(probe.tables) + " tables";
    } else if (!probe.answers) {
        state = where.server   ? "no server: cannot connect: " + probe.problem
                : where.exists ? "cannot open the file: " + probe.problem
                               : std::string("no file");
    } else if (probe.tables == 0) {
        state = "no tables (run init-db or copy-db)";
    } else {
        state = "permission denied: " + probe.problem;
    }
    if (where.server) {
        std::cout << "database: PostgreSQL server " << data::ShownConnectionInfo(where.path)
                  << "\nfound by: " << where.how << "\nserver: " << state << "\n";
    } else {
        std::cout << "database: " << where.path << (where.exists ? "" : " (not there yet)")
                  << "\nfound by: " << where.how << "\nfile: " << state << "\n";
        if (!where.exists) {
            std::cout << "init-db and demo would create it at: "
                      << host::NewDatabaseFilePath(services.view()) << "\n";
        }
    }
    return probe.ready() ? kOk : kFailed;
}

// Columns as wide as their widest text in characters (the texts are valid UTF-8).
void PrintTable(const std::vector<std::vector<std::string>>& table) {
    const auto width = [](const std::string& text) { return runtime::utf8::Length(text); };
    std::vector<std::size_t> widths(table.front().size(), 0);
    for (const auto& row : table) {
        for (std::size_t c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], width(row[c]));
    }
    for (const auto& row : table) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c)
            line += row[c] + std::string(widths[c] - width(row[c]) + 2, ' ');
        std::cout << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
    }
}

void PrintJson(const ListOptions& options, const std::vector<business_rules::StoredXferNode>& nodes,
               StoredText& shown) {
    nlohmann::ordered_json out = {{"config", options.config},
                                  {"partition", options.partition},
                                  {"nodes", nlohmann::ordered_json::array()}};
    for (const business_rules::StoredXferNode& node : nodes) {
        nlohmann::ordered_json targets = nlohmann::ordered_json::object();
        for (const auto& e : editor::kExceptions) {
            const business_rules::StoredTarget& t = node.targets[static_cast<std::size_t>(e.id)];
            targets[std::string(e.label)] = {{"type", shown.valid(t.type, node.number)},
                                             {"number", NumberOrNull(t.number)}};
        }
        out["nodes"].push_back({{"node", node.number},
                                {"label", shown.valid(node.label, node.number)},
                                {"dial", shown.valid(node.dial, node.number)},
                                {"style", NumberOrNull(node.style)},
                                {"targets", targets}});
    }
    std::cout << out.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
}

// A CSV field (RFC 4180): quoted when it holds a comma, a quote, a control character (a line
// break among them) or blanks at either end, with quotes doubled.
std::string CsvField(const std::string& text) {
    const bool control = std::any_of(text.begin(), text.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    const bool quote = control || text.find_first_of(",\"") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote)
        return text;
    std::string field = "\"";
    for (const char c : text)
        field += c == '"' ? std::string("\"\"") : std::string(1, c);
    return field + "\"";
}

void PrintCsv(const std::vector<business_rules::StoredXferNode>& nodes, StoredText& shown) {
    std::vector<std::string> header{"Node", "Label", "Dial", "Style"};
    for (const auto& e : editor::kExceptions) {
        header.push_back(std::string(e.label) + " Type");
        header.push_back(std::string(e.label) + " Number");
    }
    const auto line = [](const std::vector<std::string>& fields) {
        std::string text;
        for (std::size_t i = 0; i < fields.size(); ++i)
            text += (i == 0 ? "" : ",") + CsvField(fields[i]);
        std::cout << text << "\r\n";
    };
    line(header);
    for (const business_rules::StoredXferNode& node : nodes) {
        std::vector<std::string> fields{
            std::to_string(node.number), shown.valid(node.label, node.number),
            shown.valid(node.dial, node.number), shown.valid(node.style, node.number)};
        for (const business_rules::StoredTarget& t : node.targets) {
            fields.push_back(shown.valid(t.type, node.number));
            fields.push_back(shown.valid(t.number, node.number));
        }
        line(fields);
    }
}

int List(const Program& program, const ListOptions& options) {
    const platform::PlatformServices services(program.machine());
    if (!RequireDatabase(services.view()))
        return kFailed;
    data::DataBase db(services.view());
    if (!RequireNodes(db, options.config, options.partition))
        return kError;
    const auto nodes = business_rules::ReadXferNodes(db, options.config, options.partition);
    StoredText shown;
    if (options.json || options.csv) {
        if (options.json)
            PrintJson(options, nodes, shown);
        else
            PrintCsv(nodes, shown);
        shown.warn();
        return kOk;
    }
    std::vector<std::vector<std::string>> table{{"Node", "Label", "Dial", "Style", "Hold", "MOH",
                                                 "Busy 1", "Busy 2", "No Answer", "Answer"}};
    for (const business_rules::StoredXferNode& node : nodes) {
        const auto line = [&](const std::string& text) { return shown.oneLine(text, node.number); };
        std::vector<std::string> row{std::to_string(node.number), line(node.label), line(node.dial),
                                     "STYLE " + line(node.style)};
        for (const business_rules::StoredTarget& t : node.targets)
            row.push_back(line(t.type) + " " + line(t.number));
        table.push_back(std::move(row));
    }
    if (table.size() == 1) {
        std::cout << "no XFER nodes in configuration " << options.config << ", partition "
                  << options.partition << "\n";
        return kOk;
    }
    PrintTable(table);
    shown.warn();
    return kOk;
}

}  // namespace

void AddListCommand(CLI::App& app, Program& program) {
    auto options = std::make_shared<ListOptions>();
    CLI::App* list =
        app.add_subcommand("list", "list the XFER nodes of a partition and their targets");
    AddId(list, "--config", options->config, "configuration (ConfigID)");
    AddId(list, "--partition", options->partition, "partition (PartID)");
    CLI::Option* json = list->add_flag("--json", options->json, "write the nodes as JSON");
    list->add_flag("--csv", options->csv, "write the nodes as CSV (RFC 4180), a row a node")
        ->excludes(json);
    list->callback([&program, options] { program.run([&] { return List(program, *options); }); });
}

void AddWhereCommand(CLI::App& app, Program& program) {
    CLI::App* where =
        app.add_subcommand("where", "print which database is used and how it was chosen");
    where->callback([&program] { program.run([&] { return Where(program); }); });
}

}  // namespace xfer::app
