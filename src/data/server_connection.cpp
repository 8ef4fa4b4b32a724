#include "data/server_connection.h"

#include <libpq-fe.h>

#include <string_view>

#include "data/sql_provider.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

namespace {

// libpq's messages span lines ("...failed: ...\n\tIs the server running...?"): one line reads
// better in a message box.
std::string OneLine(std::string_view message) {
    std::string out;
    bool space = false;
    for (const char c : runtime::Trim(message)) {
        if (c == '\n' || c == '\t' || c == '\r' || c == ' ') {
            space = true;
            continue;
        }
        if (space && !out.empty())
            out += ' ';
        space = false;
        out += c;
    }
    return out;
}

// SQLSTATE in_failed_sql_transaction: "current transaction is aborted, commands ignored ...".
constexpr std::string_view kTransactionAborted = "25P02";

[[noreturn]] void RaiseServer(long number, std::string description) {
    runtime::Raise(number, kServerProviderName, std::move(description));
}

}  // namespace

void ServerResultDeleter::operator()(pg_result* result) const noexcept {
    PQclear(result);
}

ServerConnection::ServerConnection(const std::string& connectionInfo,
                                   std::chrono::milliseconds timeout,
                                   std::shared_ptr<ServerTraffic> traffic)
    : traffic_(std::move(traffic)) {
    const auto seconds =
        std::max<long long>(2, std::chrono::ceil<std::chrono::seconds>(timeout).count());
    const std::string connectTimeout = std::to_string(seconds);
    // The connection string comes last, so that what it names wins over these defaults.
    const char* const keywords[] = {"connect_timeout", "client_encoding",
                                    "fallback_application_name", "dbname", nullptr};
    const char* const values[] = {connectTimeout.c_str(), "UTF8", "xfer-node-editor",
                                  connectionInfo.c_str(), nullptr};
    if (traffic_)
        ++traffic_->connections;
    conn_ = PQconnectdbParams(keywords, values, 1);
    if (conn_ == nullptr)
        RaiseServer(kProviderFailure, "Out of memory while connecting to the server.");
    if (PQstatus(conn_) != CONNECTION_OK) {
        const std::string message = OneLine(PQerrorMessage(conn_));
        PQfinish(conn_);
        conn_ = nullptr;
        RaiseServer(kProviderFailure, message);
    }
    try {
        setTimeout(timeout);
    } catch (...) {
        PQfinish(conn_);
        conn_ = nullptr;
        throw;
    }
}

ServerConnection::~ServerConnection() {
    if (conn_ != nullptr)
        PQfinish(conn_);
}

bool ServerConnection::inTransaction() const noexcept {
    const PGTransactionStatusType status = PQtransactionStatus(conn_);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

bool ServerConnection::usable() const noexcept {
    return conn_ != nullptr && PQstatus(conn_) == CONNECTION_OK;
}

void ServerConnection::setTimeout(std::chrono::milliseconds timeout) {
    if (timeout == timeout_)
        return;
    // A statement waiting for another workstation's lock ends by the lock time-out, which
    // says so; the statement time-out, a second longer, ends any other long statement.
    run("SET lock_timeout = " + std::to_string(timeout.count()) +
        "; SET statement_timeout = " + std::to_string(timeout.count() + 1000));
    timeout_ = timeout;
}

void ServerConnection::raise(const pg_result* result) const {
    const char* state = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    const char* primary =
        result != nullptr ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr;
    if (state != nullptr && primary != nullptr) {
        // In a failed transaction every later statement is told only that it is aborted: the
        // failure that aborted it is what the user must hear.
        if (std::string_view(state) == kTransactionAborted && !abortedBy_.description.empty())
            RaiseServer(abortedBy_.number, abortedBy_.description);
        if (PQtransactionStatus(conn_) == PQTRANS_INERROR)
            abortedBy_ = {ServerErrorNumber(state), OneLine(primary)};
        RaiseServer(ServerErrorNumber(state), OneLine(primary));
    }
    // No answer from the server (it has gone): libpq says why.
    const char* message = result != nullptr ? PQresultErrorMessage(result) : "";
    if (message == nullptr || *message == '\0')
        message = PQerrorMessage(conn_);
    RaiseServer(kProviderFailure, OneLine(message));
}

void ServerConnection::check(const ServerResult& result) const {
    check(result.get());
}

void ServerConnection::check(const pg_result* result) const {
    const ExecStatusType status = result != nullptr ? PQresultStatus(result) : PGRES_FATAL_ERROR;
    if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK)
        raise(result);
}

void ServerConnection::run(const std::string& sql) {
    countRoundTrip();
    ServerResult result(PQexec(conn_, sql.c_str()));
    check(result);
}

ServerResult ServerConnection::query(const std::string& sql,
                                     const std::vector<const char*>& values) {
    countRoundTrip();
    ServerResult result(PQexecParams(conn_, sql.c_str(), static_cast<int>(values.size()), nullptr,
                                     values.data(), nullptr, nullptr, 0));
    check(result);
    return result;
}

}  // namespace xfer::data
