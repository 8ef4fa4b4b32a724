#pragma once
// The node type identifiers that the rules fix in code, and what the rules do with them.
// Everything else about a type (its name, its limit in a partition) comes from the database.

#include <string>

namespace xfer::data::node_type {

// The types that node duplication knows.
inline constexpr int kMSG = 0;
inline constexpr int kCMD = 1;
inline constexpr int kTIME = 2;
inline constexpr int kDATE = 3;
inline constexpr int kXFER = 4;
inline constexpr int kSTYLE = 5;
inline constexpr int kDTMF = 6;
inline constexpr int kVOX = 7;
inline constexpr int kLIST = 8;
inline constexpr int kAUTO = 9;
inline constexpr int kMOH = 11;
inline constexpr int kPAAS = 12;
inline constexpr int kTABLE = 13;
inline constexpr int kDBN = 15;

// The no-number commands: a target of these types names a command, not a node.
inline constexpr int kNOOP = 814;
inline constexpr int kBEEP = 815;

// Special types without limit rows of their own: 816 allows up to 999 nodes; 817 and 818 are
// message types that share the MSG limit and are checked and created as MSG nodes.
inline constexpr int kType816 = 816;
inline constexpr int kMsgAlias817 = 817;
inline constexpr int kMsgAlias818 = 818;
inline constexpr int kType999 = 999;

// The limit of type 816 when the partition stores none.
inline constexpr int kType816DefaultLimit = 999;

// The XFER type's name as the XFER node's own row stores it.
inline constexpr const char* kXferName = "XFER";

// Never listed for the reference check, so never checked for existence.
constexpr bool IsNeverChecked(long id) {
    return id == kType999 || id == kType816 || id == kNOOP;
}
// Checked, and created, as an MSG node.
constexpr bool IsStoredAsMsg(long id) {
    return id == kMsgAlias817 || id == kMsgAlias818;
}
// Listed for the reference check but never missing: BEEP names a command.
constexpr bool AlwaysExists(long id) {
    return id == kBEEP;
}

// An identifier as the commands take it: decimal text.
inline std::string Text(int id) {
    return std::to_string(id);
}

}  // namespace xfer::data::node_type
