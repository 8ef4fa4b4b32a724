#pragma once
// A client-side, read-only result set: every row fetched when the command ran.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace xfer::data {

class Recordset {
  public:
    struct Columns;  // column names and their case-insensitive index, shared by all rows
    static std::shared_ptr<const Columns> MakeColumns(std::vector<std::string> names);

    Recordset() = default;
    Recordset(std::shared_ptr<const Columns> columns,
              std::vector<std::vector<runtime::Variant>> rows);

    bool isOpen() const noexcept { return open_; }
    bool eof() const noexcept { return !open_ || position_ >= rows_.size(); }
    long recordCount() const noexcept { return static_cast<long>(rows_.size()); }
    void moveNext();  // raises 3021-like error past the end
    void moveFirst() noexcept { position_ = 0; }
    // The current row's field, found without regard to letter case. A missing field is an
    // error naming it; reading with no current row is an error too.
    const runtime::Variant& field(std::string_view name) const;
    const runtime::Variant& operator[](std::string_view name) const { return field(name); }
    std::vector<std::string> fieldNames() const;
    void close() noexcept;

  private:
    std::shared_ptr<const Columns> columns_;
    std::vector<std::vector<runtime::Variant>> rows_;
    std::size_t position_ = 0;
    bool open_ = false;
};

}  // namespace xfer::data
