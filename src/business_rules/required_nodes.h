#pragma once
// Which nodes an XFER node requires, by the reference check's rules, without a form: the
// saving check lists them from the form's style and rows, the partition check from the rows
// as loading would fill them from the stored node. Both go through the functions here, so the
// two cannot disagree about what is checked.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "editor/exception_table.h"

namespace xfer::data {
class DataBase;
}

namespace xfer::business_rules {

// One reference as the form holds it: the style ("STYLE 3", "5", "3") or a row's
// "Command/Node", "NodeTypeID" and "NodeNumber" cells.
struct NodeReference {
    std::string NodeName;
    std::string NodeTypeID;
    std::string NodeNumber;
};

// A node that the check looks up, with the positions in the reference list (0 the style,
// 1 to 6 the rows Hold to Answer) of every reference that names it.
struct RequiredNode {
    std::string NodeName;
    std::string NodeTypeID;
    std::string NodeNumber;
    std::vector<std::size_t> referrers;
};

// AddNodeTolstRequired on a plain list: never-checked types (999, 816, NOOP 814) are left
// out, the MSG aliases (817, 818) become MSG, and a node whose display name is listed already
// (whole name, letter case ignored) is not listed again. `referrer` is recorded either way.
// An identifier that is not a number raises 13.
void AddNodeTolstRequired(std::vector<RequiredNode>& lstRequired, std::string NodeName,
                          std::string NodeTypeID, std::string NodeNumber, std::size_t referrer);

// Runs the listing of one reference; the saving check runs it under its own error trap.
using ListingGuard = std::function<void(const std::function<void()>& listOne)>;

// The list the check asks about, in order: the style first, then the rows from Hold to
// Answer. With no guard an error of a reference propagates.
std::vector<RequiredNode> ListRequiredNodes(std::span<const NodeReference> references,
                                            const ListingGuard& guard = {});

// NodeExisted without its error trap: the node is in Node_General_Pool of the configuration
// and partition (an MSG alias looked up as MSG), or it is BEEP, which always exists.
bool NodeExists(data::DataBase& db, const std::string& config, const std::string& partition,
                const std::string& NodeTypeID, const std::string& NodeNumber);

// How loading shows a stored target in its exception's row.
struct RowTarget {
    std::string shown;  // "Command/Node": the type text and number, or a command's name alone
    std::int16_t NodeTypeID = 0;
};
// A no-number command that this exception recognises (letter case ignored) shows its stored
// name alone with its fixed identifier; any other type text shows "type number" and takes the
// identifier that `typeIdOf` gives for the text (whose errors propagate).
RowTarget RowTargetOf(const editor::ExceptionInfo& exception, const std::string& type,
                      const std::string& number,
                      const std::function<std::int16_t(const std::string& type)>& typeIdOf);

// The style list's display name of a STYLE node number, as its entries read: the prefix and
// the number.
inline const std::string kStyleEntryPrefix = "STYLE ";
std::string StyleEntryText(long number);

}  // namespace xfer::business_rules
