#pragma once
// A client-side, read-only result set: every row fetched when the command ran.
//
// The rows are kept as compact cells (a kind and a number, or a place in one text arena) and a
// field becomes a Variant only when it is read: readers look at a few fields of each row, and
// a selector over a thousand nodes would otherwise build twenty thousand values nobody reads.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace xfer::data {

class RecordsetBuilder;

class Recordset {
  public:
    struct Columns;  // column names and their case-insensitive index, shared by all rows
    static std::shared_ptr<const Columns> makeColumns(std::vector<std::string> names);

    Recordset() = default;
    ~Recordset();
    Recordset(Recordset&&) noexcept = default;
    Recordset& operator=(Recordset&&) noexcept = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool isOpen() const noexcept { return open_; }
    bool eof() const noexcept { return !open_ || position_ >= rowCount(); }
    long recordCount() const noexcept { return static_cast<long>(rowCount()); }
    void moveNext();  // raises 3021 past the end
    // The current row's field, found without regard to letter case. A missing field is an
    // error naming it; reading with no current row is an error too.
    runtime::Variant field(std::string_view name) const;
    runtime::Variant operator[](std::string_view name) const { return field(name); }
    void close() noexcept;

  private:
    friend class RecordsetBuilder;
    enum class Kind : std::uint8_t { Null, Integer, Real, Text, Blob };
    struct Cell {
        Kind kind = Kind::Null;
        std::uint32_t size = 0;  // of a text or blob in the arena
        union {
            std::int64_t integer = 0;
            double real;
            std::uint64_t offset;
        };
    };

    std::size_t rowCount() const noexcept { return width_ == 0 ? 0 : cells_.size() / width_; }
    runtime::Variant decode(const Cell& cell) const;
    // Hands large storage to the next result set filled on this thread, and takes it back.
    struct StoragePool;
    void recycleStorage() noexcept;
    void reuseStorage() noexcept;

    std::shared_ptr<const Columns> columns_;
    std::size_t width_ = 0;
    std::vector<Cell> cells_;
    std::string arena_;
    std::size_t position_ = 0;
    bool open_ = false;
};

// Fills a result set cell by cell, each row's cells in column order. The result set's storage
// is reused: a command run again fills the space its last rows took, without growing anew.
class RecordsetBuilder {
  public:
    RecordsetBuilder(Recordset& target, std::shared_ptr<const Recordset::Columns> columns);
    void null();
    void integer(std::int64_t value);
    void real(double value);
    void text(std::string_view value);
    void blob(std::span<const std::uint8_t> value);

  private:
    Recordset& rs_;
};

}  // namespace xfer::data
