#pragma once
// The editor's rules for one XFER node of a partition document, checked without a form: the
// label check, the dial check, the style list, the types each exception's type picker offers
// (NOOP and BEEP only where they are commands) and each type's highest number. What the rules
// need from the partition is read once, for every node of the export document.

#include <array>
#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "data/database.h"
#include "partition/partition_document.h"
#include "runtime/collection.h"

namespace xfer::partition {

// One thing the import refuses: the node, the export document's field, and why.
struct Refusal {
    std::int16_t node = 0;
    std::string field;  // "label", "style", "exceptions.busy1", "node"
    std::string reason;
};

struct ImportRules {
    runtime::Collection typeNames;  // identifier as text -> name
    runtime::Collection typeIds;    // name -> identifier as text (letter case ignored)
    runtime::Collection limits;     // identifier as text -> the highest number
    int styleListLength = 0;
    // The type identifiers each exception's type picker offers, Hold to Answer.
    std::array<std::set<long>, 6> offered;

    // The highest node number of a type; 0 when the partition allows none.
    long limit(long typeId) const;
};

// Reads the catalogue, the limits, the style list and the pickers' types as the loaders do.
// Database errors propagate.
ImportRules ReadImportRules(data::DataBase& db, std::int16_t config, std::int16_t partition);

// The field-level refusals of one node; nothing when the editor would save it as it is.
std::vector<Refusal> CheckNode(const DocumentNode& node, const ImportRules& rules);

// The catalogue's identifier of a type name (letter case ignored), if it has one.
std::optional<long> TypeIdOf(const ImportRules& rules, const std::string& name);

}  // namespace xfer::partition
