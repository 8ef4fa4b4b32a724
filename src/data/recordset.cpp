#include "data/recordset.h"

#include <string>
#include <unordered_map>
#include <utility>

#include "data/sql_provider.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::data {

struct Recordset::Columns {
    std::vector<std::string> names;
    std::unordered_map<std::string, std::size_t> index;  // upper-cased name -> position
};

namespace {

constexpr long kNoCurrentRecord = 3021;
constexpr long kItemNotFound = 3265;
constexpr long kObjectClosed = 3704;

}  // namespace

std::shared_ptr<const Recordset::Columns> Recordset::MakeColumns(std::vector<std::string> names) {
    auto columns = std::make_shared<Columns>();
    for (std::size_t i = 0; i < names.size(); ++i) {
        // The first of two equally named columns wins, as a lookup by name does in the provider.
        columns->index.try_emplace(runtime::UCase(names[i]), i);
    }
    columns->names = std::move(names);
    return columns;
}

Recordset::Recordset(std::shared_ptr<const Columns> columns,
                     std::vector<std::vector<runtime::Variant>> rows)
    : columns_(std::move(columns)), rows_(std::move(rows)), open_(columns_ != nullptr) {}

void Recordset::moveNext() {
    if (eof()) {
        runtime::Raise(kNoCurrentRecord, kProviderSource,
                       "Either BOF or EOF is True, or the current record has been deleted. "
                       "Requested operation requires a current record.");
    }
    ++position_;
}

const runtime::Variant& Recordset::field(std::string_view name) const {
    if (!open_) {
        runtime::Raise(kObjectClosed, kProviderSource,
                       "Operation is not allowed when the object is closed.");
    }
    const auto found = columns_->index.find(runtime::UCase(name));
    if (found == columns_->index.end()) {
        runtime::Raise(kItemNotFound, kProviderSource,
                       "Item cannot be found in the collection corresponding to the requested "
                       "name or ordinal. (Field: " +
                           std::string(name) + ")");
    }
    if (eof()) {
        runtime::Raise(kNoCurrentRecord, kProviderSource,
                       "Either BOF or EOF is True, or the current record has been deleted. "
                       "Requested operation requires a current record.");
    }
    return rows_[position_][found->second];
}

std::vector<std::string> Recordset::fieldNames() const {
    return columns_ ? columns_->names : std::vector<std::string>{};
}

void Recordset::close() noexcept {
    open_ = false;
    rows_.clear();
    columns_.reset();
    position_ = 0;
}

}  // namespace xfer::data
