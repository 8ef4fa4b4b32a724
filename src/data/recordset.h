#pragma once
// A read-only result set, read front to back, in one of two ways:
// - buffered: every row fetched when the command ran, kept as compact cells (a kind and a
//   number, or a place in one text arena); a field becomes a Variant only when it is read;
// - where the rows lie (a RowSource): a statement still running, or the server's own result,
//   read field by field as the reader asks. A selector over a thousand nodes reads one field
//   of each row: copying all twenty of them first was most of its cost.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/variant.h"

namespace xfer::data {

class RecordsetBuilder;

// Rows that stay where the engine put them. The result set owns its source and drops it when
// it closes; a source releases what it holds (a statement's read lock) as soon as it reaches
// its end.
class RowSource {
  public:
    virtual ~RowSource() = default;
    virtual bool atEnd() const noexcept = 0;
    // Moves to the next row; raises the engine's error when it cannot be read.
    virtual void next() = 0;
    // The current row's field; only called when not at the end.
    virtual runtime::Variant field(std::size_t column) const = 0;
    // The number of rows, or -1 when it is known only at the end.
    virtual long count() const noexcept = 0;
};

class Recordset {
  public:
    struct Columns;  // column names and their case-insensitive index, shared by all rows
    static std::shared_ptr<const Columns> makeColumns(std::vector<std::string> names);

    Recordset() = default;
    // Reads the rows where they lie.
    void open(std::shared_ptr<const Columns> columns, std::unique_ptr<RowSource> source);
    ~Recordset();
    Recordset(Recordset&&) noexcept = default;
    Recordset& operator=(Recordset&&) noexcept = default;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool isOpen() const noexcept { return open_; }
    bool eof() const noexcept {
        return !open_ || (source_ ? source_->atEnd() : position_ >= rowCount());
    }
    // -1 for a statement still running, as a forward-only cursor reports it.
    long recordCount() const noexcept {
        return source_ ? source_->count() : static_cast<long>(rowCount());
    }
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

    std::shared_ptr<const Columns> columns_;
    std::unique_ptr<RowSource> source_;
    std::size_t width_ = 0;
    std::vector<Cell> cells_;
    std::string arena_;
    std::size_t position_ = 0;
    bool open_ = false;
};

// Closes a result set when its reader's scope ends, by an error too: a streamed one holds its
// statement, and with it the file's read lock, until it closes or reaches its end.
class ClosesOnExit {
  public:
    explicit ClosesOnExit(Recordset& rs) noexcept : rs_(rs) {}
    ~ClosesOnExit() { rs_.close(); }
    ClosesOnExit(const ClosesOnExit&) = delete;
    ClosesOnExit& operator=(const ClosesOnExit&) = delete;

  private:
    Recordset& rs_;
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
