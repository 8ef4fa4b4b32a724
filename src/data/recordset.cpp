#include "data/recordset.h"

#include <string>
#include <utility>

#include "data/sql_provider.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

struct Recordset::Columns {
    std::vector<std::string> names;

    // A table has a few dozen columns at most: a scan beats hashing an upper-cased copy.
    // The first of two equally named columns wins, as a look-up by name does in the provider.
    std::size_t find(std::string_view name) const noexcept {
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (runtime::EqualsNoCase(names[i], name))
                return i;
        }
        return names.size();
    }
};

namespace {

constexpr long kNoCurrentRecord = 3021;
constexpr long kItemNotFound = 3265;
constexpr long kObjectClosed = 3704;

[[noreturn]] void RaiseNoCurrentRecord() {
    runtime::Raise(kNoCurrentRecord, kProviderSource,
                   "Either BOF or EOF is True, or the current record has been deleted. "
                   "Requested operation requires a current record.");
}

}  // namespace

std::shared_ptr<const Recordset::Columns> Recordset::makeColumns(std::vector<std::string> names) {
    auto columns = std::make_shared<Columns>();
    columns->names = std::move(names);
    return columns;
}

RecordsetBuilder::RecordsetBuilder(Recordset& target,
                                   std::shared_ptr<const Recordset::Columns> columns)
    : rs_(target) {
    rs_.close();
    rs_.width_ = columns->names.size();
    rs_.columns_ = std::move(columns);
    rs_.open_ = true;
}

void RecordsetBuilder::null() {
    rs_.cells_.emplace_back();
}

void RecordsetBuilder::integer(std::int64_t value) {
    Recordset::Cell& cell = rs_.cells_.emplace_back();
    cell.kind = Recordset::Kind::Integer;
    cell.integer = value;
}

void RecordsetBuilder::real(double value) {
    Recordset::Cell& cell = rs_.cells_.emplace_back();
    cell.kind = Recordset::Kind::Real;
    cell.real = value;
}

void RecordsetBuilder::text(std::string_view value) {
    Recordset::Cell& cell = rs_.cells_.emplace_back();
    cell.kind = Recordset::Kind::Text;
    cell.size = static_cast<std::uint32_t>(value.size());
    cell.offset = rs_.arena_.size();
    rs_.arena_.append(value);
}

void RecordsetBuilder::blob(std::span<const std::uint8_t> value) {
    text(std::string_view(reinterpret_cast<const char*>(value.data()), value.size()));
    rs_.cells_.back().kind = Recordset::Kind::Blob;
}

void Recordset::open(std::shared_ptr<const Columns> columns, std::unique_ptr<RowSource> source) {
    close();
    width_ = columns->names.size();
    columns_ = std::move(columns);
    source_ = std::move(source);
    open_ = true;
}

void Recordset::moveNext() {
    if (eof())
        RaiseNoCurrentRecord();
    if (source_) {
        source_->next();
        return;
    }
    ++position_;
}

runtime::Variant Recordset::decode(const Cell& cell) const {
    switch (cell.kind) {
        case Kind::Integer:
            return runtime::Variant(static_cast<long long>(cell.integer));
        case Kind::Real:
            return runtime::Variant(cell.real);
        case Kind::Text:
            return runtime::Variant(arena_.substr(cell.offset, cell.size));
        case Kind::Blob: {
            const auto* first = reinterpret_cast<const std::uint8_t*>(arena_.data() + cell.offset);
            return runtime::Variant(runtime::Variant::Bytes(first, first + cell.size));
        }
        case Kind::Null:
            break;
    }
    return runtime::Variant::null();
}

runtime::Variant Recordset::field(std::string_view name) const {
    if (!open_) {
        runtime::Raise(kObjectClosed, kProviderSource,
                       "Operation is not allowed when the object is closed.");
    }
    const std::size_t column = columns_->find(name);
    if (column == width_) {
        runtime::Raise(kItemNotFound, kProviderSource,
                       "Item cannot be found in the collection corresponding to the requested "
                       "name or ordinal. (Field: " +
                           std::string(name) + ")");
    }
    if (eof())
        RaiseNoCurrentRecord();
    if (source_)
        return source_->field(column);
    return decode(cells_[position_ * width_ + column]);
}

Recordset::~Recordset() = default;

void Recordset::close() noexcept {
    open_ = false;
    source_.reset();
    cells_.clear();
    arena_.clear();
    columns_.reset();
    width_ = 0;
    position_ = 0;
}

}  // namespace xfer::data
