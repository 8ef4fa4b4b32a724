#pragma once
// The catalogue of named SQL commands: name, whether it returns rows, and its SQL text exactly
// as the product's data environment holds it.

#include <span>
#include <string_view>

namespace xfer::data {

// X(name): reading commands keep their rows, action commands return none.
#define XFER_READING_COMMANDS(X)       \
    X(Get_Node_Names)                  \
    X(Get_Max_NodeNumber)              \
    X(Get_Node_Type_can_contain_nodes) \
    X(Get_All_XFER_Nodes)              \
    X(Get_XFER_Node)                   \
    X(Get_Description)                 \
    X(Get_STYLE_Node)

#define XFER_ACTION_COMMANDS(X)           \
    X(Update_XFER_Node)                   \
    X(Update_Node_General_Pool)           \
    X(Duplicate_MSG_NODE)                 \
    X(Duplicate_CMD_NODE)                 \
    X(Duplicate_Detail_CMD_NODE)          \
    X(Duplicate_TIME_Node)                \
    X(Duplicate_Detail_TIME_Node)         \
    X(Duplicate_DATE_Node)                \
    X(Duplicate_Detail_DATE_Node)         \
    X(Duplicate_XFER_Node)                \
    X(Duplicate_DTMF_Node)                \
    X(Duplicate_DetailPrompts_DTMF_Node)  \
    X(Duplicate_DetailActions_DTMF_Node)  \
    X(Duplicate_VOX_Node)                 \
    X(Duplicate_DetailPrompts_VOX_Node)   \
    X(Duplicate_DetailActions_VOX_Node)   \
    X(Duplicate_LIST_Node)                \
    X(Duplicate_Detail_LIST_Node)         \
    X(Duplicate_AUTO_Node)                \
    X(Duplicate_DetailPrompts_AUTO_Node)  \
    X(Duplicate_DetailActions_AUTO_Node)  \
    X(Duplicate_PAAS_Node)                \
    X(Duplicate_TABLE_Node)               \
    X(Duplicate_DetailActions_TABLE_Node) \
    X(Duplicate_Node_In_General_Pool)     \
    X(Duplicate_STYLE_Node)               \
    X(Duplicate_STYLE_Partial)            \
    X(Duplicate_STYLE_Full)               \
    X(Duplicate_STYLE_DialCont)           \
    X(Duplicate_STYLE_Enhanced)           \
    X(Duplicate_MOH_Node)                 \
    X(Duplicate_DBN_Node)                 \
    X(Duplicate_DetailPrompts_DBN_Node)

enum class CommandId {
#define XFER_COMMAND_ENUM(name) name,
    XFER_READING_COMMANDS(XFER_COMMAND_ENUM) XFER_ACTION_COMMANDS(XFER_COMMAND_ENUM)
#undef XFER_COMMAND_ENUM
        Count_
};

struct CommandDef {
    CommandId id;
    std::string_view name;
    bool returnsRows;
    std::string_view sql;
};

std::span<const CommandDef> Commands();
const CommandDef& Command(CommandId id);

}  // namespace xfer::data
