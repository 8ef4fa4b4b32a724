#pragma once
// A keyed collection: items in insertion order at 1-based positions, each under a
// unique text key compared without regard to letter case.

#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "runtime/variant.h"

namespace xfer::runtime {

class Collection {
  public:
    // Raises 457 when the key is present already.
    void Add(Variant item, std::string_view key);
    // Raises 5 when no item has the key.
    const Variant& Item(std::string_view key) const;
    // Position 1..Count; raises 9 outside.
    const Variant& Item(long position) const;
    // Whether an item has the key (the rules find out by asking for it and trapping 5).
    bool Exists(std::string_view key) const;
    long Count() const noexcept { return static_cast<long>(items_.size()); }
    void Clear() noexcept;

  private:
    std::vector<std::pair<std::string, Variant>> items_;  // key as given, item
    std::unordered_map<std::string, std::size_t> index_;  // upper-cased key -> position - 1
};

}  // namespace xfer::runtime
