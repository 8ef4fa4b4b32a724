#pragma once
// Where-used: the XFER nodes of a partition whose style or exceptions point at one node. A
// target is named by its type (a name of the catalogue or an identifier) and number; MSG and
// its aliases PMSG (817) and SMSG (818) name the same node, as the reference check treats them.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/database.h"

namespace xfer::partition {

struct Referrer {
    std::int16_t node = 0;  // the XFER node
    std::string label;      // its label
    std::string source;     // "Style", "Hold" .. "Answer"
    std::string shown;      // the reference as the editor shows it: "PMSG 12", "STYLE 3"
};

struct ReferenceSearch {
    std::string target;  // the node looked for, as its type name and number: "MSG 12"
    std::vector<Referrer> referrers;
};

// A type that is neither a name of the catalogue nor a number.
class UnknownNodeType : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Raises UnknownNodeType for a type it cannot resolve; database errors propagate.
ReferenceSearch FindReferrers(data::DataBase& db, std::int16_t config, std::int16_t partition,
                              const std::string& type, std::int16_t number);

}  // namespace xfer::partition
