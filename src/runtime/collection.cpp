#include "runtime/collection.h"

#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::runtime {

void Collection::Add(Variant item, std::string_view key) {
    auto [it, inserted] = index_.try_emplace(ToUpper(key), items_.size());
    if (!inserted)
        RaiseRuntime(err::kKeyAlreadyAssociated);
    items_.emplace_back(std::string(key), std::move(item));
}

const Variant& Collection::Item(std::string_view key) const {
    const auto it = index_.find(ToUpper(key));
    if (it == index_.end())
        RaiseRuntime(err::kInvalidProcedureCall);
    return items_[it->second].second;
}

const Variant& Collection::Item(long position) const {
    if (position < 1 || position > Count())
        RaiseRuntime(err::kSubscriptOutOfRange);
    return items_[static_cast<std::size_t>(position - 1)].second;
}

bool Collection::Exists(std::string_view key) const {
    return index_.contains(ToUpper(key));
}

void Collection::Clear() noexcept {
    items_.clear();
    index_.clear();
}

}  // namespace xfer::runtime
