-- Configuration database of the call-flow builder, as far as the XFER node editor touches it.
--
-- Every table is STRICT: a value that cannot be converted to its column's type (text "abc" in a
-- number column) is refused, as the product's own database engine refuses it. Commands bind
-- every value as text; INTEGER columns convert decimal text on the way in and in comparisons.
--
-- Node tables hold one node type each and are keyed by configuration, partition, node type and
-- node number. Detail rows belong to the node whose number is their NodeMasterID; they are
-- indexed, not unique, because the copy commands add them without looking at what is there.

-- WAL lets the builder read while an editor writes; it is a property of the file, so it is set
-- once here, outside the transaction below.
PRAGMA journal_mode = WAL;

BEGIN;

-- Node type catalogue and rules -------------------------------------------------------------

-- ID is indexed, not unique: the editor has to cope with a damaged catalogue that repeats one.
CREATE TABLE SR_Node_Type_Names (
    ID INTEGER NOT NULL,
    English_Name TEXT
) STRICT;
CREATE INDEX SR_Node_Type_Names_ID ON SR_Node_Type_Names (ID);

-- Highest node number a partition allows per node type; no row means no limit was set.
CREATE TABLE Node_Type_Max (
    Config_ID INTEGER NOT NULL,
    PartitionID INTEGER NOT NULL,
    NodeType_ID INTEGER NOT NULL,
    Max_Number INTEGER,
    PRIMARY KEY (Config_ID, PartitionID, NodeType_ID)
) STRICT;

-- Which child types a node of the parent type may branch to, per numbered rule set.
CREATE TABLE SR_Node_Type_can_contain_Node_Type (
    Parent_Node_Type_ID INTEGER NOT NULL,
    Set_ID INTEGER NOT NULL,
    Child_Node_Type_ID INTEGER NOT NULL,
    PRIMARY KEY (Parent_Node_Type_ID, Set_ID, Child_Node_Type_ID)
) STRICT;

-- One row for every node of every type: existence test and label.
CREATE TABLE Node_General_Pool (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL,
    NodeNumber INTEGER NOT NULL,
    NodeType TEXT,
    NodeDescription TEXT,
    DateModified TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- MSG (0) -----------------------------------------------------------------------------------

CREATE TABLE Node_MSG (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 0,
    NodeNumber INTEGER NOT NULL,
    MaxLength INTEGER,
    OnOff INTEGER,
    DTMF INTEGER,
    "Password" TEXT,
    Directory TEXT,
    VDAFilename TEXT,
    Comment TEXT,
    SkipCount INTEGER,
    Permission INTEGER,
    WarningTone INTEGER,
    LineAssignment INTEGER,
    NodeType TEXT DEFAULT 'MSG',
    NodeDescription TEXT,
    MSGArchive INTEGER,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- CMD (1) -----------------------------------------------------------------------------------

CREATE TABLE Node_CMD (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 1,
    NodeNumber INTEGER NOT NULL,
    NodeType TEXT DEFAULT 'CMD',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_CMD (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_CMD_Master ON Detail_CMD (ConfigID, PartID, NodeMasterID, SequenceNo);

-- TIME (2) ----------------------------------------------------------------------------------

CREATE TABLE Node_TIME (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 2,
    NodeNumber INTEGER NOT NULL,
    StartTime TEXT,
    StopTime TEXT,
    NodeType TEXT DEFAULT 'TIME',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_TIME (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_TIME_Master ON Detail_TIME (ConfigID, PartID, NodeMasterID, SequenceNo);

-- DATE (3) ----------------------------------------------------------------------------------

CREATE TABLE Node_DATE (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 3,
    NodeNumber INTEGER NOT NULL,
    Mode INTEGER,
    StartDay INTEGER,
    StopDay INTEGER,
    StartDate TEXT,
    StopDate TEXT,
    NodeType TEXT DEFAULT 'DATE',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_DATE (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_DATE_Master ON Detail_DATE (ConfigID, PartID, NodeMasterID, SequenceNo);

-- XFER (4) ----------------------------------------------------------------------------------

-- Each exception target is a type name (or the commands NOOP / BEEP) and a node number.
CREATE TABLE Node_XFER (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 4,
    NodeNumber INTEGER NOT NULL,
    StyleNodeNumber INTEGER,
    HoldNodeType TEXT,
    HoldNodeNumber INTEGER,
    Dial TEXT,
    MOHNodeType TEXT,
    MOHNodeNumber INTEGER,
    Busy1NodeType TEXT,
    Busy1NodeNumber INTEGER,
    Busy2NodeType TEXT,
    Busy2NodeNumber INTEGER,
    NoAnswerNodeType TEXT,
    NoAnswerNodeNumber INTEGER,
    AnswerNodeType TEXT,
    AnswerNodeNumber INTEGER,
    NodeType TEXT DEFAULT 'XFER',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- STYLE (5) and its detail tables, one per supervision kind, keyed by the STYLE node number --

CREATE TABLE Node_STYLE (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 5,
    NodeNumber INTEGER NOT NULL,
    Disconnection INTEGER,
    Hookflash INTEGER,
    SuperviseID INTEGER,
    SuperviseType TEXT,
    ThresholdTypeID INTEGER,
    Transfer INTEGER,
    NodeType TEXT DEFAULT 'STYLE',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE STYLE_Partial (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    StyleID INTEGER NOT NULL,
    BusyOff INTEGER,
    BusyOn INTEGER,
    BusyRetry INTEGER,
    NumberRetries INTEGER,
    Retrieve INTEGER,
    RingLimit INTEGER,
    RingOff INTEGER,
    RingOn INTEGER,
    SuperviseID INTEGER,
    PRIMARY KEY (ConfigID, PartID, StyleID)
) STRICT;

CREATE TABLE STYLE_Full (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    StyleID INTEGER NOT NULL,
    BusyOff INTEGER,
    BusyOn INTEGER,
    BusyRetry INTEGER,
    NumberRetries INTEGER,
    Retrieve INTEGER,
    RingLimit INTEGER,
    RingOff INTEGER,
    RingOn INTEGER,
    SuperviseID INTEGER,
    PRIMARY KEY (ConfigID, PartID, StyleID)
) STRICT;

CREATE TABLE STYLE_DialCont (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    StyleID INTEGER NOT NULL,
    BusyOff INTEGER,
    BusyOn INTEGER,
    BusyRetry INTEGER,
    NumberRetries INTEGER,
    Retrieve INTEGER,
    RingLimit INTEGER,
    RingOff INTEGER,
    RingOn INTEGER,
    SuperviseID INTEGER,
    PRIMARY KEY (ConfigID, PartID, StyleID)
) STRICT;

CREATE TABLE STYLE_Enhanced (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    StyleID INTEGER NOT NULL,
    Busy1On INTEGER,
    Busy2On INTEGER,
    BusyRetry INTEGER,
    NumberRetries INTEGER,
    Retrieve INTEGER,
    RingLimit INTEGER,
    RingOff INTEGER,
    RingOn INTEGER,
    SuperviseID INTEGER,
    PRIMARY KEY (ConfigID, PartID, StyleID)
) STRICT;

-- DTMF (6) ----------------------------------------------------------------------------------

CREATE TABLE Node_DTMF (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 6,
    NodeNumber INTEGER NOT NULL,
    DTMFClear INTEGER,
    NumberOfDigits INTEGER,
    TerminatingDigit TEXT,
    SelectionTimeout INTEGER,
    DigitTimeout INTEGER,
    RetryLimit INTEGER,
    TimeoutNodeType TEXT,
    TimeoutNodeNumber INTEGER,
    InvalidNodeType TEXT,
    InvalidNodeNumber INTEGER,
    AbortNodeType TEXT,
    AbortNodeNumber INTEGER,
    NodeType TEXT DEFAULT 'DTMF',
    NodeDescription TEXT,
    TimeoutNodeTypeID INTEGER,
    InvalidNodeTypeID INTEGER,
    AbortNodeTypeID INTEGER,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_DTMF_Prompts (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_DTMF_Prompts_Master
    ON Detail_DTMF_Prompts (ConfigID, PartID, NodeMasterID, SequenceNo);

-- DTMFDigitCollected is what the caller keyed ("1", "*"), so it is text.
CREATE TABLE Detail_DTMF_Action (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    DTMFDigitCollected TEXT,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_DTMF_Action_Master
    ON Detail_DTMF_Action (ConfigID, PartID, NodeMasterID, SequenceNo);

-- VOX (7) -----------------------------------------------------------------------------------

CREATE TABLE Node_VOX (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 7,
    NodeNumber INTEGER NOT NULL,
    Beep INTEGER,
    Threshold INTEGER,
    Wait INTEGER,
    RetryLimit INTEGER,
    TimeoutNodeType TEXT,
    TimeoutNodeNumber INTEGER,
    AbortNodeType TEXT,
    AbortNodeNumber INTEGER,
    DTMFNodeType TEXT,
    DTMFNodeNumber INTEGER,
    NodeType TEXT DEFAULT 'VOX',
    NodeDescription TEXT,
    TimeoutNodeTypeID INTEGER,
    AbortNodeTypeID INTEGER,
    DTMFNodeTypeID INTEGER,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_VOX_Prompts (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_VOX_Prompts_Master
    ON Detail_VOX_Prompts (ConfigID, PartID, NodeMasterID, SequenceNo);

CREATE TABLE Detail_VOX_Action (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    PromptNodeType TEXT,
    PromptNodeNumber INTEGER,
    NodeType TEXT,
    PromptNodeTypeID INTEGER
) STRICT;
CREATE INDEX Detail_VOX_Action_Master
    ON Detail_VOX_Action (ConfigID, PartID, NodeMasterID, SequenceNo);

-- LIST (8) ----------------------------------------------------------------------------------

CREATE TABLE Node_LIST (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 8,
    NodeNumber INTEGER NOT NULL,
    ListMode INTEGER,
    NodeType TEXT DEFAULT 'LIST',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_LIST (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_LIST_Master ON Detail_LIST (ConfigID, PartID, NodeMasterID, SequenceNo);

-- AUTO (9) ----------------------------------------------------------------------------------

CREATE TABLE Node_AUTO (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 9,
    NodeNumber INTEGER NOT NULL,
    NumberOfDigits INTEGER,
    TerminatingDigit TEXT,
    SelectionTimeout INTEGER,
    DigitTimeout INTEGER,
    RetryLimit INTEGER,
    TimeoutNodeType TEXT,
    TimeoutNodeNumber INTEGER,
    InvalidNodeType TEXT,
    InvalidNodeNumber INTEGER,
    AbortNodeType TEXT,
    AbortNodeNumber INTEGER,
    NodeType TEXT DEFAULT 'AUTO',
    NodeDescription TEXT,
    TimeoutNodeTypeID INTEGER,
    InvalidNodeTypeID INTEGER,
    AbortNodeTypeID INTEGER,
    StarNodeTypeID INTEGER,
    PoundNodeTypeID INTEGER,
    StarNodeType TEXT,
    StarNodeNumber INTEGER,
    PoundNodeType TEXT,
    PoundNodeNumber INTEGER,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_AUTO_Prompts (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_AUTO_Prompts_Master
    ON Detail_AUTO_Prompts (ConfigID, PartID, NodeMasterID, SequenceNo);

-- The ranges are dialled digits, where a leading zero matters ("0100"), so they are text.
CREATE TABLE Detail_AUTO_Action (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeTypeID INTEGER,
    NodeNumber INTEGER,
    NodeMasterID INTEGER NOT NULL,
    DTMFRangeLow TEXT,
    DTMFRangeHigh TEXT,
    NodeType TEXT
) STRICT;
CREATE INDEX Detail_AUTO_Action_Master
    ON Detail_AUTO_Action (ConfigID, PartID, NodeMasterID, SequenceNo);

-- MOH (11) ----------------------------------------------------------------------------------

CREATE TABLE Node_MOH (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 11,
    NodeNumber INTEGER NOT NULL,
    FadeTime INTEGER,
    IOSourceLinesID INTEGER,
    IOSourceLinesNumber INTEGER,
    IOSourceLinesType TEXT,
    MusicLevel INTEGER,
    MusicNodeNumber INTEGER,
    MusicNodeType TEXT,
    NodeType TEXT DEFAULT 'MOH',
    VoiceNodeNumber INTEGER,
    VoiceNodeType TEXT,
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- PAAS (12) ---------------------------------------------------------------------------------

CREATE TABLE Node_PAAS (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 12,
    NodeNumber INTEGER NOT NULL,
    Card INTEGER,
    Line INTEGER,
    Priority INTEGER,
    Interrupt INTEGER,
    NodeType TEXT DEFAULT 'PAAS',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- TABLE (13) --------------------------------------------------------------------------------

CREATE TABLE Node_TABLE (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 13,
    NodeNumber INTEGER NOT NULL,
    Mode INTEGER,
    Reference TEXT,
    InvalidNodeType TEXT,
    InvalidNodeNumber INTEGER,
    InvalidNodeTypeID INTEGER,
    ContinueNodeType TEXT,
    ContinueNodeNumber INTEGER,
    ContinueNodeTypeID INTEGER,
    NodeType TEXT DEFAULT 'TABLE',
    NodeDescription TEXT,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

-- The ranges are dialled digits, as in Detail_AUTO_Action.
CREATE TABLE Detail_TABLE_Action (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    SequenceNo INTEGER NOT NULL,
    NodeType TEXT,
    NodeNumber INTEGER,
    NodeTypeID INTEGER,
    StartRange TEXT,
    EndRange TEXT,
    NodeMasterID INTEGER NOT NULL
) STRICT;
CREATE INDEX Detail_TABLE_Action_Master
    ON Detail_TABLE_Action (ConfigID, PartID, NodeMasterID, SequenceNo);

-- DBN (15), dial by name --------------------------------------------------------------------

CREATE TABLE Node_DBN (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeTypeID INTEGER NOT NULL DEFAULT 15,
    NodeNumber INTEGER NOT NULL,
    NodeDescription TEXT,
    NodeType TEXT DEFAULT 'DBN',
    Method INTEGER,
    DirectoryNodeNumber INTEGER,
    FirstLanguage TEXT,
    SecondLanguage TEXT,
    GreetingNodeType TEXT,
    GreetingNodeNumber INTEGER,
    GreetingNodeTypeID INTEGER,
    ValidMatchNodeType TEXT,
    ValidMatchNodeNumber INTEGER,
    ValidMatchNodeTypeID INTEGER,
    AbortNodeType TEXT,
    AbortNodeNumber INTEGER,
    AbortNodeTypeID INTEGER,
    StarNodeType TEXT,
    StarNodeNumber INTEGER,
    StarNodeTypeID INTEGER,
    PoundNodeType TEXT,
    PoundNodeNumber INTEGER,
    PoundNodeTypeID INTEGER,
    ZeroNodeType TEXT,
    ZeroNodeNumber INTEGER,
    ZeroNodeTypeID INTEGER,
    FirstMode INTEGER,
    FirstMinDigits INTEGER,
    FirstMaxDigits INTEGER,
    FirstPromptNodeType TEXT,
    FirstPromptNodeNumber INTEGER,
    FirstPromptNodeTypeID INTEGER,
    SecondMode INTEGER,
    SecondMinDigits INTEGER,
    SecondMaxDigits INTEGER,
    SecondPromptNodeType TEXT,
    SecondPromptNodeNumber INTEGER,
    SecondPromptNodeTypeID INTEGER,
    TimeoutNodeType TEXT,
    TimeoutNodeNumber INTEGER,
    TimeoutNodeTypeID INTEGER,
    InvalidNodeType TEXT,
    InvalidNodeNumber INTEGER,
    InvalidNodeTypeID INTEGER,
    DigitTimeout INTEGER,
    SelectionTimeout INTEGER,
    RetryLimit INTEGER,
    Confirm INTEGER,
    MaxMatch INTEGER,
    PlayName INTEGER,
    BeforePromptNodeType TEXT,
    BeforePromptNodeNumber INTEGER,
    BeforePromptNodeTypeID INTEGER,
    AfterPromptNodeType TEXT,
    AfterPromptNodeNumber INTEGER,
    AfterPromptNodeTypeID INTEGER,
    ConfirmationExitNodeType TEXT,
    ConfirmationExitNodeNumber INTEGER,
    ConfirmationExitNodeTypeID INTEGER,
    PRIMARY KEY (ConfigID, PartID, NodeTypeID, NodeNumber)
) STRICT;

CREATE TABLE Detail_DBN_Prompts (
    ConfigID INTEGER NOT NULL,
    PartID INTEGER NOT NULL,
    NodeMasterID INTEGER NOT NULL,
    PromptNumber INTEGER NOT NULL,
    PromptNodeType TEXT,
    PromptNodeNumber INTEGER,
    PromptNodeTypeID INTEGER
) STRICT;
CREATE INDEX Detail_DBN_Prompts_Master
    ON Detail_DBN_Prompts (ConfigID, PartID, NodeMasterID, PromptNumber);

COMMIT;
