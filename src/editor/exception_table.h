#pragma once
// The six exception branches of an XFER node and what differs between them: the row of the
// exceptions list, the node columns that store the target, the no-number commands (NOOP, BEEP)
// that the exception may point to and its default target.

#include <array>
#include <string_view>

namespace xfer::editor {

enum class Exception { Hold = 0, MOH, Busy1, Busy2, NoAnswer, Answer };

// The type identifiers the form itself needs. They are the data layer's (data/node_types.h),
// which the form cannot see; the business rules check at compile time that the two agree.
inline constexpr int kMsgTypeId = 0;
inline constexpr int kNoopTypeId = 814;
inline constexpr int kBeepTypeId = 815;

struct ExceptionInfo {
    Exception id;
    std::string_view label;         // sub-item 1 of the row
    std::string_view rowKey;        // "1a" .. "6a"
    std::string_view rowText;       // "1" .. "6"
    std::string_view pickerName;    // the middle of the pickers' names: cmb<Name>Node
    std::string_view typeColumn;    // Node_XFER column of the target's type name
    std::string_view numberColumn;  // Node_XFER column of the target's number
    bool allowsNoop;
    bool allowsBeep;
    int defaultTargetType;  // the type of the target that the Default button puts in the row

    bool isNoNumberCommand(int typeId) const {
        return (typeId == kNoopTypeId && allowsNoop) || (typeId == kBeepTypeId && allowsBeep);
    }
};

inline constexpr std::array<ExceptionInfo, 6> kExceptions{{
    {Exception::Hold, "Hold", "1a", "1", "Hold", "HoldNodeType", "HoldNodeNumber", true, false,
     kMsgTypeId},
    {Exception::MOH, "MOH", "2a", "2", "MOH", "MOHNodeType", "MOHNodeNumber", true, true,
     kNoopTypeId},
    {Exception::Busy1, "Busy 1", "3a", "3", "Busy1", "Busy1NodeType", "Busy1NodeNumber", false,
     false, kMsgTypeId},
    {Exception::Busy2, "Busy 2", "4a", "4", "Busy2", "Busy2NodeType", "Busy2NodeNumber", false,
     false, kMsgTypeId},
    {Exception::NoAnswer, "No Answer", "5a", "5", "NoAnswer", "NoAnswerNodeType",
     "NoAnswerNodeNumber", false, false, kMsgTypeId},
    {Exception::Answer, "Answer", "6a", "6", "Answer", "AnswerNodeType", "AnswerNodeNumber", false,
     true, kMsgTypeId},
}};

inline const ExceptionInfo& Info(Exception e) {
    return kExceptions[static_cast<std::size_t>(e)];
}

// Sub-items of an exception row.
namespace cell {
inline constexpr long kLabel = 1;
inline constexpr long kCommandNode = 2;
inline constexpr long kTargetLabel = 3;
inline constexpr long kNodeName = 4;
inline constexpr long kNodeTypeID = 5;
inline constexpr long kNodeNumber = 6;
}  // namespace cell

}  // namespace xfer::editor
