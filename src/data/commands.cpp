#include "data/commands.h"

#include <array>
#include <cstddef>

namespace xfer::data {

namespace {

// The SQL texts are kept exactly as the product's data environment holds them (back-quotes,
// bare parameters and odd spacing included): the provider rewrites the parameters, the text
// itself is never edited.
// clang-format off
constexpr std::array<CommandDef, static_cast<std::size_t>(CommandId::Count_)> kCommands{{
    {CommandId::Get_Node_Names, "Get_Node_Names", true,
     "SELECT * FROM SR_Node_Type_Names ORDER BY ID"},
    {CommandId::Get_Max_NodeNumber, "Get_Max_NodeNumber", true,
     "SELECT Node_Type_Max.* FROM Node_Type_Max WHERE Config_ID = `Given_ConfigID` AND PartitionID = `Given_PartID` AND NodeType_ID = `Given_NodeTypeID` ORDER BY NodeType_ID"},
    {CommandId::Get_Node_Type_can_contain_nodes, "Get_Node_Type_can_contain_nodes", true,
     "SELECT * FROM SR_Node_Type_can_contain_Node_Type WHERE (Parent_Node_Type_ID = Given_NodeTypeID) AND (Set_ID = Given_SetID) ORDER BY Parent_Node_Type_ID, Child_Node_Type_ID"},
    {CommandId::Get_All_XFER_Nodes, "Get_All_XFER_Nodes", true,
     "SELECT * FROM Node_XFER WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeTypeID = `Given_NodeTypeID` ORDER BY NodeNumber"},
    {CommandId::Get_XFER_Node, "Get_XFER_Node", true,
     "SELECT Node_XFER.* FROM Node_XFER WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber` AND NodeTypeID = `Given_NodeTypeID`"},
    {CommandId::Get_Description, "Get_Description", true,
     "SELECT * FROM Node_General_Pool WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeTypeID = `Given_NodeTypeID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Get_STYLE_Node, "Get_STYLE_Node", true,
     "SELECT Node_STYLE.* FROM Node_STYLE WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber` AND NodeTypeID = `Given_NodeTypeID`"},
    {CommandId::Update_XFER_Node, "Update_XFER_Node", false,
     "UPDATE Node_XFER SET Dial = `Given_Dial`, StyleNodeNumber = `Given_StyleNodeNumber`, HoldNodeType = `Given_HoldNodeType`, HoldNodeNumber = `Given_HoldNodeNumber`, MOHNodeType = `Given_MOHNodeType`, MOHNodeNumber = `Given_MOHNodeNumber`, Busy1NodeType = `Given_Busy1NodeType`, Busy1NodeNumber = `Given_Busy1NodeNumber`, Busy2NodeType = `Given_Busy2NodeType`, Busy2NodeNumber = `Given_Busy2NodeNumber`, NoAnswerNodeType = `Given_NoAnswerNodeType`, NoAnswerNodeNumber = `Given_NoAnswerNodeNumber`, AnswerNodeType = `Given_AnswerNodeType`, AnswerNodeNumber = `Given_AnswerNodeNumber`, NodeType = `Given_NodeType`, NodeDescription = `Given_NodeDescription`, NodeTypeID = `Given_NodeTypeID` WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeTypeID = `Given_NodeTypeID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Update_Node_General_Pool, "Update_Node_General_Pool", false,
     "UPDATE Node_General_Pool SET NodeDescription = `Given_Description`, DateModified = `Given_DateModified` WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeTypeID = `Given_NodeTypeID` AND NodeNumber =`Given_NodeNumber`"},
    {CommandId::Duplicate_MSG_NODE, "Duplicate_MSG_NODE", false,
     "INSERT INTO Node_MSG (ConfigID, PartID, NodeTypeID, NodeNumber, MaxLength, OnOff, DTMF, `Password`, Directory, VDAFilename, Comment, SkipCount, Permission, WarningTone, LineAssignment, NodeType, NodeDescription, MSGArchive) SELECT ConfigID, PartID, NodeTypeID, Given_DesNodeNumber, MaxLength, OnOff, DTMF, `Password`, Directory, Given_VDAFilename, Comment, SkipCount, Permission, WarningTone, LineAssignment, NodeType, NodeDescription, MSGArchive FROM Node_MSG WHERE (ConfigID = Given_ConfigID) AND (PartID = Given_PartID) AND (NodeNumber = Given_NodeNumber)"},
    {CommandId::Duplicate_CMD_NODE, "Duplicate_CMD_NODE", false,
     "INSERT INTO `Node_CMD` (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, NodeType, NodeDescription FROM Node_CMD WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_Detail_CMD_NODE, "Duplicate_Detail_CMD_NODE", false,
     "INSERT INTO `Detail_CMD` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_CMD WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_TIME_Node, "Duplicate_TIME_Node", false,
     "INSERT INTO `Node_TIME` (ConfigID, PartID, NodeTypeID, NodeNumber, StartTime, StopTime, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, StartTime, StopTime, NodeType, NodeDescription FROM Node_TIME WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_Detail_TIME_Node, "Duplicate_Detail_TIME_Node", false,
     "INSERT INTO `Detail_TIME` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_TIME WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_DATE_Node, "Duplicate_DATE_Node", false,
     "INSERT INTO `Node_DATE` (ConfigID, PartID, NodeTypeID, NodeNumber, Mode, StartDay, StopDay, StartDate, StopDate, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, Mode, StartDay, StopDay, StartDate, StopDate, NodeType, NodeDescription FROM Node_DATE WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_Detail_DATE_Node, "Duplicate_Detail_DATE_Node", false,
     "INSERT INTO `Detail_DATE` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_DATE WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_XFER_Node, "Duplicate_XFER_Node", false,
     "INSERT INTO `Node_XFER` (ConfigID, PartID, NodeTypeID, NodeNumber, StyleNodeNumber, HoldNodeType, HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType, Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, StyleNodeNumber, HoldNodeType, HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType, Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType, NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeType, NodeDescription FROM Node_XFER WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DTMF_Node, "Duplicate_DTMF_Node", false,
     "INSERT INTO `Node_DTMF` (ConfigID, PartID, NodeTypeID, NodeNumber, DTMFClear, NumberOfDigits, TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber, AbortNodeType, AbortNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, InvalidNodeTypeID, AbortNodeTypeID) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, DTMFClear, NumberOfDigits, TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber, AbortNodeType, AbortNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, InvalidNodeTypeID, AbortNodeTypeID FROM Node_DTMF WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DetailPrompts_DTMF_Node, "Duplicate_DetailPrompts_DTMF_Node", false,
     "INSERT INTO `Detail_DTMF_Prompts` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,`Given_DesNodeMasterID`, NodeType FROM Detail_DTMF_Prompts WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_DetailActions_DTMF_Node, "Duplicate_DetailActions_DTMF_Node", false,
     "INSERT INTO `Detail_DTMF_Action` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, DTMFDigitCollected, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, DTMFDigitCollected, NodeType FROM Detail_DTMF_Action WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_VOX_Node, "Duplicate_VOX_Node", false,
     "INSERT INTO `Node_VOX` (ConfigID, PartID, NodeTypeID, NodeNumber, Beep, Threshold, Wait, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, AbortNodeType, AbortNodeNumber, DTMFNodeType, DTMFNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, AbortNodeTypeID, DTMFNodeTypeID) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, Beep, Threshold, Wait, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, AbortNodeType, AbortNodeNumber, DTMFNodeType, DTMFNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, AbortNodeTypeID, DTMFNodeTypeID FROM Node_VOX WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DetailPrompts_VOX_Node, "Duplicate_DetailPrompts_VOX_Node", false,
     "INSERT INTO `Detail_VOX_Prompts` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_VOX_Prompts WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID` "},
    {CommandId::Duplicate_DetailActions_VOX_Node, "Duplicate_DetailActions_VOX_Node", false,
     "INSERT INTO `Detail_VOX_Action` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, PromptNodeType, PromptNodeNumber, NodeType, PromptNodeTypeID) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, PromptNodeType, PromptNodeNumber, NodeType, PromptNodeTypeID FROM Detail_VOX_Action WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_LIST_Node, "Duplicate_LIST_Node", false,
     "INSERT INTO `Node_LIST` (ConfigID, PartID, NodeTypeID, NodeNumber, ListMode, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, ListMode, NodeType, NodeDescription FROM Node_LIST WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_Detail_LIST_Node, "Duplicate_Detail_LIST_Node", false,
     "INSERT INTO `Detail_LIST` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_LIST WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_AUTO_Node, "Duplicate_AUTO_Node", false,
     "INSERT INTO Node_AUTO (ConfigID, PartID, NodeTypeID, NodeNumber, NumberOfDigits, TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber, AbortNodeType, AbortNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, InvalidNodeTypeID, AbortNodeTypeID, StarNodeTypeID, PoundNodeTypeID, StarNodeType, StarNodeNumber, PoundNodeType, PoundNodeNumber) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, NumberOfDigits, TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit, TimeoutNodeType, TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber, AbortNodeType, AbortNodeNumber, NodeType, NodeDescription, TimeoutNodeTypeID, InvalidNodeTypeID, AbortNodeTypeID, StarNodeTypeID, PoundNodeTypeID, StarNodeType, StarNodeNumber, PoundNodeType, PoundNodeNumber FROM Node_AUTO WHERE (ConfigID = Given_ConfigID) AND (PartID = Given_PartID) AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DetailPrompts_AUTO_Node, "Duplicate_DetailPrompts_AUTO_Node", false,
     "INSERT INTO `Detail_AUTO_Prompts` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, NodeType FROM Detail_AUTO_Prompts WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_DetailActions_AUTO_Node, "Duplicate_DetailActions_AUTO_Node", false,
     "INSERT INTO `Detail_AUTO_Action` (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID, DTMFRangeLow, DTMFRangeHigh, NodeType) SELECT ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, `Given_DesNodeMasterID`, DTMFRangeLow, DTMFRangeHigh, NodeType FROM Detail_AUTO_Action WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_PAAS_Node, "Duplicate_PAAS_Node", false,
     "INSERT INTO `Node_PAAS` (ConfigID, PartID, NodeTypeID, NodeNumber, Card, Line, Priority, Interrupt, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, Card, Line, Priority, Interrupt, NodeType, NodeDescription FROM Node_PAAS WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_TABLE_Node, "Duplicate_TABLE_Node", false,
     "INSERT INTO Node_TABLE (ConfigID, PartID, NodeTypeID, NodeNumber, Mode, Reference, InvalidNodeType, InvalidNodeNumber, InvalidNodeTypeID, ContinueNodeType, ContinueNodeNumber, ContinueNodeTypeID, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID,`Given_DesNodeNumber`, Mode, Reference, InvalidNodeType, InvalidNodeNumber, InvalidNodeTypeID, ContinueNodeType, ContinueNodeNumber, ContinueNodeTypeID, NodeType, NodeDescription FROM Node_TABLE WHERE (ConfigID = `Given_ConfigID`) AND (PartID = `Given_PartID`) AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DetailActions_TABLE_Node, "Duplicate_DetailActions_TABLE_Node", false,
     "INSERT INTO Detail_TABLE_Action (ConfigID, PartID, SequenceNo, NodeType, NodeNumber, NodeTypeID, StartRange, EndRange, NodeMasterID) SELECT ConfigID, PartID, SequenceNo, NodeType, NodeNumber, NodeTypeID, StartRange, EndRange, `Given_DesNodeMasterID` FROM Detail_TABLE_Action WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeMasterID = `Given_NodeMasterID`"},
    {CommandId::Duplicate_Node_In_General_Pool, "Duplicate_Node_In_General_Pool", false,
     "INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription, DateModified) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, NodeType, NodeDescription, `Given_DateModified` FROM Node_General_Pool WHERE (ConfigID = Given_ConfigID) AND (PartID = Given_PartID) AND (NodeNumber = Given_NodeNumber) AND NodeTypeID = `Given_NodeTypeID`"},
    {CommandId::Duplicate_STYLE_Node, "Duplicate_STYLE_Node", false,
     "INSERT INTO `Node_STYLE` (ConfigID, PartID, NodeTypeID, NodeNumber, Disconnection, Hookflash, SuperviseID, SuperviseType, ThresholdTypeID, Transfer, NodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, Disconnection, Hookflash, SuperviseID, SuperviseType, ThresholdTypeID, Transfer, NodeType, NodeDescription FROM Node_STYLE WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_STYLE_Partial, "Duplicate_STYLE_Partial", false,
     "INSERT INTO STYLE_Partial (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID) SELECT ConfigID, PartID, `Given_DesNodeNumber`, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID FROM STYLE_Partial WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND StyleID = `Given_SrcNodeNumber`"},
    {CommandId::Duplicate_STYLE_Full, "Duplicate_STYLE_Full", false,
     "INSERT INTO STYLE_Full (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID) SELECT ConfigID, PartID, Given_DesNodeNumber, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID FROM STYLE_Full WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND StyleID = `Given_SrcNodeNumber`"},
    {CommandId::Duplicate_STYLE_DialCont, "Duplicate_STYLE_DialCont", false,
     "INSERT INTO STYLE_DialCont (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID) SELECT ConfigID, PartID, Given_DesNodeNumber, BusyOff, BusyOn, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID FROM STYLE_DialCont WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND StyleID = `Given_SrcNodeNumber`"},
    {CommandId::Duplicate_STYLE_Enhanced, "Duplicate_STYLE_Enhanced", false,
     "INSERT INTO STYLE_Enhanced (ConfigID, PartID, StyleID, Busy1On, Busy2On, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID) SELECT ConfigID, PartID, Given_DesNodeNumber, Busy1On, Busy2On, BusyRetry, NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID FROM STYLE_Enhanced WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND StyleID = `Given_SrcNodeNumber`"},
    {CommandId::Duplicate_MOH_Node, "Duplicate_MOH_Node", false,
     "INSERT INTO `Node_MOH` (ConfigID, PartID, NodeTypeID, NodeNumber, FadeTime, IOSourceLinesID, IOSourceLinesNumber, IOSourceLinesType, MusicLevel, MusicNodeNumber, MusicNodeType, NodeType, VoiceNodeNumber, VoiceNodeType, NodeDescription) SELECT ConfigID, PartID, NodeTypeID, `Given_DesNodeNumber`, FadeTime, IOSourceLinesID, IOSourceLinesNumber, IOSourceLinesType, MusicLevel, MusicNodeNumber, MusicNodeType, NodeType, VoiceNodeNumber, VoiceNodeType, NodeDescription FROM Node_MOH WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartID` AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DBN_Node, "Duplicate_DBN_Node", false,
     "INSERT INTO Node_DBN(ConfigID, PartID, NodeNumber, NodeTypeID, NodeDescription, NodeType, Method, DirectoryNodeNumber, FirstLanguage, SecondLanguage, GreetingNodeType, GreetingNodeNumber, GreetingNodeTypeID, ValidMatchNodeType, ValidMatchNodeNumber, ValidMatchNodeTypeID, AbortNodeType, AbortNodeNumber, AbortNodeTypeID, StarNodeType, StarNodeNumber, StarNodeTypeID, PoundNodeType, PoundNodeNumber, PoundNodeTypeID, ZeroNodeType, ZeroNodeNumber, ZeroNodeTypeID, FirstMode, FirstMinDigits, FirstMaxDigits, FirstPromptNodeType, FirstPromptNodeNumber, FirstPromptNodeTypeID, SecondMode, SecondMinDigits, SecondMaxDigits, SecondPromptNodeType, SecondPromptNodeNumber, SecondPromptNodeTypeID, TimeoutNodeType, TimeoutNodeNumber, TimeoutNodeTypeID, InvalidNodeType, InvalidNodeNumber, InvalidNodeTypeID, DigitTimeout, SelectionTimeout, RetryLimit, Confirm, MaxMatch, PlayName, BeforePromptNodeType, BeforePromptNodeNumber, BeforePromptNodeTypeID, AfterPromptNodeType, AfterPromptNodeNumber, AfterPromptNodeTypeID, ConfirmationExitNodeType, ConfirmationExitNodeNumber, ConfirmationExitNodeTypeID) SELECT ConfigID, PartID, `Given_DesNodeNumber`, NodeTypeID, NodeDescription, NodeType, Method, DirectoryNodeNumber, FirstLanguage, SecondLanguage, GreetingNodeType, GreetingNodeNumber, GreetingNodeTypeID, ValidMatchNodeType, ValidMatchNodeNumber, ValidMatchNodeTypeID, AbortNodeType, AbortNodeNumber, AbortNodeTypeID, StarNodeType, StarNodeNumber, StarNodeTypeID, PoundNodeType, PoundNodeNumber, PoundNodeTypeID, ZeroNodeType, ZeroNodeNumber, ZeroNodeTypeID, FirstMode, FirstMinDigits, FirstMaxDigits, FirstPromptNodeType, FirstPromptNodeNumber, FirstPromptNodeTypeID, SecondMode, SecondMinDigits, SecondMaxDigits, SecondPromptNodeType, SecondPromptNodeNumber, SecondPromptNodeTypeID, TimeoutNodeType, TimeoutNodeNumber, TimeoutNodeTypeID, InvalidNodeType, InvalidNodeNumber, InvalidNodeTypeID, DigitTimeout, SelectionTimeout, RetryLimit, Confirm, MaxMatch, PlayName, BeforePromptNodeType, BeforePromptNodeNumber, BeforePromptNodeTypeID, AfterPromptNodeType, AfterPromptNodeNumber, AfterPromptNodeTypeID, ConfirmationExitNodeType, ConfirmationExitNodeNumber, ConfirmationExitNodeTypeID FROM Node_DBN WHERE (ConfigID = `Given_ConfigID`) AND (PartID = `Given_PartID`) AND NodeNumber = `Given_NodeNumber`"},
    {CommandId::Duplicate_DetailPrompts_DBN_Node, "Duplicate_DetailPrompts_DBN_Node", false,
     "INSERT INTO Detail_DBN_Prompts (ConfigID, PartID, NodeMasterID, PromptNumber, PromptNodeType, PromptNodeNumber, PromptNodeTypeID) SELECT ConfigID, PartID, `Given_DesNodeMasterID`, PromptNumber, PromptNodeType, PromptNodeNumber, PromptNodeTypeID FROM Detail_DBN_Prompts WHERE ConfigID = `Given_ConfigID` AND PartID = `Given_PartitionID` AND NodeMasterID = `Given_NodeMasterID`"},
}};
// clang-format on

constexpr bool InEnumOrder() {
    for (std::size_t i = 0; i < kCommands.size(); ++i) {
        if (static_cast<std::size_t>(kCommands[i].id) != i)
            return false;
    }
    return true;
}
static_assert(InEnumOrder(), "Command(id) indexes the table by id");

}  // namespace

std::span<const CommandDef> Commands() {
    return kCommands;
}

const CommandDef& Command(CommandId id) {
    return kCommands.at(static_cast<std::size_t>(id));
}

}  // namespace xfer::data
