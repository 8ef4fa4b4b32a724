#pragma once
// The project's schema (file or server, as TempDatabase chooses) with one template row in every
// table (configuration 1, partition 2,
// node type 4, node number 0, master 7, style 0), reached through a Platform whose shell
// folder is the database's temp application-data folder.

#include <map>
#include <string>

#include "platform/platform.h"
#include "support/temp_database.h"

namespace xfer::data::fixture {

// A platform whose shell folder 35 is `shellFolder` (none when empty) and whose registry is a
// hive that the test may fill: empty, or naming the server database `server`.
struct TestServices {
    explicit TestServices(const std::string& shellFolder, const std::string& server = "");
    platform::Platform view() const { return services.view(); }

    platform::HiveRegistry* registry = nullptr;
    platform::PlatformServices services;
};
inline TestServices ServicesFor(const std::string& shellFolder) {
    return TestServices(shellFolder);
}

class SeededDatabase {
  public:
    SeededDatabase();

    platform::Platform platform() { return services_.view(); }
    test::TempDatabase& db() { return db_; }
    // Column name -> text ("" for NULL) of the first row of `table` matching `where`.
    std::map<std::string, std::string> row(const std::string& table, const std::string& where);

  private:
    test::TempDatabase db_{/*withDemoData=*/false};
    TestServices services_;
};

}  // namespace xfer::data::fixture
