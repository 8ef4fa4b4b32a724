#pragma once
// Which configuration database the editor uses: the SQLite file at the resolved path unless a
// database server is named. A server is named, strongest first, by the host's --database
// option, the environment variable VDACOM_DATABASE_SERVER, or the machine-wide registry value
// DatabaseServer under HKEY_LOCAL_MACHINE\SOFTWARE\Quorvel\VDACOM+. The name is a libpq
// connection string ("host=db1 dbname=vdacom", "postgresql://db1/vdacom") or a service of
// libpq's service file. Credentials stay in libpq's own files, never in the registry.

#include <string>
#include <string_view>

#include "platform/platform.h"

namespace xfer::data {

inline constexpr const char* kProductKey = "SOFTWARE\\Quorvel\\VDACOM+";
inline constexpr const char* kDatabaseServerValue = "DatabaseServer";
inline constexpr const char* kDatabaseServerVariable = "VDACOM_DATABASE_SERVER";
inline constexpr const char* kDatabaseOption = "--database";

struct DatabaseChoice {
    std::string server;  // libpq connection string; empty: the SQLite file
    std::string how;     // what named the server, in words; empty for the file
    bool onServer() const noexcept { return !server.empty(); }
};

// Empty values count as not set. Raises a clear error for a registry value that is not a
// string or that holds a password.
DatabaseChoice ChooseDatabase(const platform::Platform& platform);

// A connection string as it is; any other text is the name of a service.
std::string ServerConnectionInfo(std::string_view setting);

// The connection string as it may be shown: a password in it becomes ***.
std::string ShownConnectionInfo(const std::string& connectionInfo);

}  // namespace xfer::data
