#pragma once
// The project's schema (file or server, as TempDatabase chooses) with one template row in every
// table (configuration 1, partition 2, node type 4, node number 0, master 7, style 0), reached
// through the platform that finds the test's database.

#include <map>
#include <string>

#include "platform/platform.h"
#include "support/temp_database.h"

namespace xfer::data::fixture {

// A platform whose shell folder 35 is `shellFolder` (none when empty), whose registry is an
// empty hive that the test may fill, and whose host has the given environment and options.
struct TestServices {
    explicit TestServices(const std::string& shellFolder,
                          std::map<std::string, std::string> environment = {},
                          std::map<std::string, std::string> options = {});
    platform::Platform view() const { return services.view(); }

    platform::HiveRegistry* registry = nullptr;
    platform::PlatformServices services;
};

class SeededDatabase {
  public:
    SeededDatabase();

    platform::Platform platform() { return services_.view(); }
    test::TempDatabase& db() { return db_; }
    // Column name -> text ("" for NULL) of the schema's columns of the first row of `table`
    // matching `where`.
    std::map<std::string, std::string> row(const std::string& table, const std::string& where);

  private:
    test::TempDatabase db_{/*withDemoData=*/false};
    platform::PlatformServices services_{db_.machine()};
};

}  // namespace xfer::data::fixture
