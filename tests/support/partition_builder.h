#pragma once
// The rows a test relies on, stated in the test: node type names, a partition's limits, what
// the XFER node's exceptions may point at, nodes as the general node table knows them, STYLE
// and XFER nodes (one at a time or a numbered range at once) and the template nodes that
// creating a missing node copies.
//
// Every row goes in through TempDatabase's SQL as plain INSERT statements with standard quoting
// (a numbered range from a WITH RECURSIVE list of numbers), so a suite built on it runs on
// whichever database engine TempDatabase drives.
//
//     PartitionBuilder(h.database, 1, 1)
//         .typeNames(kStandardTypeNames)
//         .limits({{"MSG", 99}, {"STYLE", 8}, {"XFER", 30}})
//         .xferMayPointAt(rule_set::kHold, {"MSG", "NOOP"})
//         .node("MSG", 3, "All lines are busy")
//         .xfer({.number = 1, .label = "Reception", .targets = {...}});

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "support/temp_database.h"

namespace xfer::test {

// A node type, by its identifier or by its name in the database's type names. Implicit, so
// that a test writes 5 or "STYLE" where a type goes.
class TypeRef {
  public:
    TypeRef(int id) : id_(id) {}
    TypeRef(const char* name) : name_(name) {}
    TypeRef(std::string name) : name_(std::move(name)) {}

  private:
    friend class PartitionBuilder;
    std::optional<int> id_;
    std::string name_;
};

// The identifiers and names that the editor fixes in code.
inline const std::vector<std::pair<int, std::string>> kStandardTypeNames = {
    {0, "MSG"},    {1, "CMD"},  {2, "TIME"},   {3, "DATE"},  {4, "XFER"}, {5, "STYLE"},
    {6, "DTMF"},   {7, "VOX"},  {8, "LIST"},   {9, "AUTO"},  {11, "MOH"}, {12, "PAAS"},
    {13, "TABLE"}, {15, "DBN"}, {814, "NOOP"}, {815, "BEEP"}};
// The types without a node table of their own: GOTO, the MSG aliases PMSG and SMSG, HANGUP.
inline const std::vector<std::pair<int, std::string>> kSpecialTypeNames = {
    {816, "GOTO"}, {817, "PMSG"}, {818, "SMSG"}, {999, "HANGUP"}};

// The rule sets of SR_Node_Type_can_contain_Node_Type that list what each exception of an
// XFER node may point at.
namespace rule_set {
inline constexpr int kHold = 1;
inline constexpr int kMOH = 3;
inline constexpr int kBusy = 5;  // Busy 1 and Busy 2
inline constexpr int kNoAnswer = 6;
inline constexpr int kAnswer = 7;
}  // namespace rule_set

// An exception target as Node_XFER stores it: a type name as written (any case, or a
// no-number command) and a node number.
struct ExceptionTarget {
    std::string type;
    int number = 1;
};

struct XferNode {
    int number = 1;
    std::optional<int> style = 1;  // StyleNodeNumber
    std::optional<std::string> dial = "2000";
    std::optional<std::string> label = "Transfer";
    // Hold, MOH, Busy 1, Busy 2, No Answer, Answer.
    std::array<ExceptionTarget, 6> targets = {
        {{"NOOP", 1}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 1}, {"MSG", 1}, {"BEEP", 1}}};
};

class PartitionBuilder {
  public:
    // DateModified of every row the builder writes; rows a save touches carry another one.
    static constexpr const char* kBuiltDate = "3/14/2024 9:30:00 AM";

    PartitionBuilder(TempDatabase& db, int config, int partition)
        : db_(db), config_(config), partition_(partition) {}

    // Database-wide rows ---------------------------------------------------------------------
    // Node type names (SR_Node_Type_Names), in the order given.
    PartitionBuilder& typeNames(const std::vector<std::pair<int, std::string>>& names);
    // What the exceptions of one rule set may point at (parent type XFER).
    PartitionBuilder& xferMayPointAt(int ruleSet, const std::vector<TypeRef>& children);

    // Rows of this partition -----------------------------------------------------------------
    // The highest node number per type (Node_Type_Max); std::nullopt stores Null.
    PartitionBuilder& limits(const std::vector<std::pair<TypeRef, std::optional<int>>>& limits);
    // A node as the editor sees nodes of other types: its row in Node_General_Pool, which
    // tells that it exists and holds its label (std::nullopt stores Null).
    PartitionBuilder& node(TypeRef type, int number, std::optional<std::string> label);
    // A STYLE node: its Node_STYLE row (with its supervision kind) and its general row.
    PartitionBuilder& style(int number, std::optional<std::string> label, int superviseId = 0);
    // An XFER node: its Node_XFER row and its general row.
    PartitionBuilder& xfer(const XferNode& node);
    // Nodes `first` to `last` at once, one statement per table however many there are, each
    // labelled "<label> <number>": STYLE nodes, and XFER nodes that are `each` but for their
    // numbers and labels.
    PartitionBuilder& styles(int first, int last, const std::string& label, int superviseId = 0);
    PartitionBuilder& xfers(int first, int last, const XferNode& each);
    // The template node (number 0) of every type that can be copied, each with its general row
    // and one detail row (a reference to MSG 1) in each of its detail tables; the STYLE
    // template supervises as `styleSuperviseId` says and has the detail row of that kind
    // (none for 0, STYLE_Partial for 1, STYLE_Full for 2, STYLE_DialCont for 3, else
    // STYLE_Enhanced).
    PartitionBuilder& templates(int styleSuperviseId = 1);
    // One more detail row of a template or node: (SequenceNo, NodeTypeID, NodeNumber,
    // NodeType) under the node `master` in one of the tables with those columns.
    PartitionBuilder& detail(const std::string& table, int master, int sequence, TypeRef type,
                             int number);

  private:
    // A type's identifier and name, looked up in the database's type names.
    std::pair<int, std::string> lookUp(const TypeRef& type) const;
    int id(const TypeRef& type) const;
    std::string name(const TypeRef& type) const;
    std::string keys() const;  // "<config>, <partition>"
    // Rows of Node_<typeName> for the nodes `first` to `last`, with `values` for `columns` and
    // `label` as SQL over the node's number, n; then their general rows, copied from them.
    void numbered(int typeId, const std::string& typeName, int first, int last,
                  const std::string& columns, const std::string& values, const std::string& label);

    TempDatabase& db_;
    int config_;
    int partition_;
};

// Text as an SQL literal: quoted with inner quotes doubled, or NULL.
std::string Sql(const std::optional<std::string>& text);

}  // namespace xfer::test
