-- Demo configuration data for the XFER node editor. Applied on top of schema.sql.
--
-- Partitions (configuration / partition):
--   1/1  main demo: every template, a dozen XFER nodes that load cleanly but reference missing
--        nodes, lower-case type texts, NOOP/BEEP, odd dial strings. LIST is limited to 0,
--        TABLE, 816-818, NOOP and BEEP have no limit row.
--   1/2  stored limits where others fall back (816, NOOP, BEEP) and XFER nodes whose loading
--        fails (unknown type text, style beyond the style list).
--   2/1  no STYLE limit row: the editor refuses to open here.
--   2/3  NOOP limited to 0, a negative limit, a stored limit for 817.
--   2/2  templates only, no limits at all: its STYLE template is the "other" supervision kind.
-- The STYLE template (node 0) of each partition has a different SuperviseID, so that copying it
-- takes every branch: 1/2 none (0), 1/1 partial (1), 2/1 full (2), 2/3 dial-and-continue (3),
-- 2/2 enhanced (7, any other value).

BEGIN;

-- Node type catalogue ------------------------------------------------------------------------

-- 10, 14 and 999 are types the editor has no duplication for; 816-818 are special types without
-- limit rows of their own (816 falls back to 999, 817/818 to MSG's limit and are made as MSG).
INSERT INTO SR_Node_Type_Names (ID, English_Name) VALUES
    (0, 'MSG'), (1, 'CMD'), (2, 'TIME'), (3, 'DATE'), (4, 'XFER'), (5, 'STYLE'),
    (6, 'DTMF'), (7, 'VOX'), (8, 'LIST'), (9, 'AUTO'), (10, 'FAX'), (11, 'MOH'),
    (12, 'PAAS'), (13, 'TABLE'), (14, 'SPARE'), (15, 'DBN'),
    (814, 'NOOP'), (815, 'BEEP'), (816, 'GOTO'), (817, 'PMSG'), (818, 'SMSG'),
    (999, 'HANGUP');

-- Limits ------------------------------------------------------------------------------------

INSERT INTO Node_Type_Max (Config_ID, PartitionID, NodeType_ID, Max_Number) VALUES
    -- 1/1: LIST 0 puts LIST in every not-available set. TABLE has no row (offered for Hold, MOH
    -- and Answer only), nor have 816-818, NOOP and BEEP (fallbacks 999, 99, 99, 0, 0). FAX (10)
    -- has a limit, so Busy offers a type that nothing can create.
    (1, 1, 0, 99), (1, 1, 1, 50), (1, 1, 2, 20), (1, 1, 3, 20), (1, 1, 4, 30), (1, 1, 5, 8),
    (1, 1, 6, 40), (1, 1, 7, 10), (1, 1, 8, 0), (1, 1, 9, 25), (1, 1, 10, 5), (1, 1, 11, 5),
    (1, 1, 12, 4), (1, 1, 15, 3),
    -- 1/2: stored limits win over the fallbacks: 816 keeps 50 (not 999), NOOP and BEEP 1.
    (1, 2, 0, 20), (1, 2, 1, 10), (1, 2, 2, 5), (1, 2, 3, 5), (1, 2, 4, 10), (1, 2, 5, 4),
    (1, 2, 6, 10), (1, 2, 7, 5), (1, 2, 8, 10), (1, 2, 9, 5), (1, 2, 11, 2), (1, 2, 12, 2),
    (1, 2, 13, 5), (1, 2, 15, 2), (1, 2, 814, 1), (1, 2, 815, 1), (1, 2, 816, 50),
    -- 2/1: everything but STYLE, so the style list is empty and no node opens.
    (2, 1, 0, 99), (2, 1, 1, 10), (2, 1, 4, 10), (2, 1, 6, 10), (2, 1, 8, 10), (2, 1, 11, 2),
    (2, 1, 13, 10),
    -- 2/3: NOOP 0 leaves Hold and MOH without it; AUTO below 0 counts as 0; 817 stored (5)
    -- instead of MSG's 50.
    (2, 3, 0, 50), (2, 3, 1, 10), (2, 3, 4, 3), (2, 3, 5, 2), (2, 3, 6, 10), (2, 3, 8, 10),
    (2, 3, 9, -1), (2, 3, 11, 2), (2, 3, 13, 10), (2, 3, 814, 0), (2, 3, 815, 1),
    (2, 3, 817, 5);

-- What an XFER node (parent 4) may branch to: set 1 Hold, 3 MOH, 5 Busy 1/2, 6 No Answer,
-- 7 Answer. LIST (0 in 1/1) and TABLE (no row in 1/1) are in every set, so Hold, MOH and Answer
-- offer TABLE while Busy and No Answer drop it silently.
INSERT INTO SR_Node_Type_can_contain_Node_Type (Parent_Node_Type_ID, Set_ID, Child_Node_Type_ID)
VALUES
    (4, 1, 0), (4, 1, 1), (4, 1, 4), (4, 1, 6), (4, 1, 8), (4, 1, 13), (4, 1, 814), (4, 1, 817),
    (4, 3, 0), (4, 3, 8), (4, 3, 11), (4, 3, 13), (4, 3, 814), (4, 3, 815),
    (4, 5, 0), (4, 5, 1), (4, 5, 2), (4, 5, 4), (4, 5, 6), (4, 5, 7), (4, 5, 8), (4, 5, 9),
    (4, 5, 10), (4, 5, 13), (4, 5, 15), (4, 5, 816), (4, 5, 817),
    (4, 6, 0), (4, 6, 1), (4, 6, 3), (4, 6, 4), (4, 6, 6), (4, 6, 8), (4, 6, 9), (4, 6, 12),
    (4, 6, 13), (4, 6, 816), (4, 6, 818),
    (4, 7, 0), (4, 7, 1), (4, 7, 4), (4, 7, 8), (4, 7, 13), (4, 7, 815), (4, 7, 999),
    -- Sets 2 and 4, and other parents, must not leak into the XFER pickers.
    (4, 2, 5), (4, 4, 14), (6, 1, 0), (6, 1, 4), (9, 7, 815);

-- Templates (node 0 of every duplicable type) in every demo partition --------------------------

CREATE TEMP TABLE demo_partition (ConfigID INTEGER, PartID INTEGER, SuperviseID INTEGER);
INSERT INTO demo_partition VALUES (1, 1, 1), (1, 2, 0), (2, 1, 2), (2, 3, 3), (2, 2, 7);

INSERT INTO Node_MSG (ConfigID, PartID, NodeNumber, MaxLength, OnOff, DTMF, "Password",
                      Directory, VDAFilename, Comment, SkipCount, Permission, WarningTone,
                      LineAssignment, NodeDescription, MSGArchive)
SELECT ConfigID, PartID, 0, 120, 1, 0, '1234', 'Messages', printf('P%02dM000.wav', PartID),
       'Recorded by the builder', 0, 1, 1, 0, 'New message', 0
FROM demo_partition;

INSERT INTO Node_CMD (ConfigID, PartID, NodeNumber, NodeDescription)
SELECT ConfigID, PartID, 0, 'New command' FROM demo_partition;
INSERT INTO Detail_CMD (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID,
                        NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition
UNION ALL SELECT ConfigID, PartID, 2, 815, 1, 0, 'BEEP' FROM demo_partition;

INSERT INTO Node_TIME (ConfigID, PartID, NodeNumber, StartTime, StopTime, NodeDescription)
SELECT ConfigID, PartID, 0, '08:00', '17:30', 'New time check' FROM demo_partition;
INSERT INTO Detail_TIME (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID,
                         NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition
UNION ALL SELECT ConfigID, PartID, 2, 0, 4, 0, 'MSG' FROM demo_partition;

INSERT INTO Node_DATE (ConfigID, PartID, NodeNumber, Mode, StartDay, StopDay, StartDate,
                       StopDate, NodeDescription)
SELECT ConfigID, PartID, 0, 1, 2, 6, '01/01/2024', '12/31/2024', 'New date check'
FROM demo_partition;
INSERT INTO Detail_DATE (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID,
                         NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition;

INSERT INTO Node_XFER (ConfigID, PartID, NodeNumber, StyleNodeNumber, HoldNodeType,
                       HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType,
                       Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType,
                       NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeDescription)
SELECT ConfigID, PartID, 0, 1, 'NOOP', 1, '0', 'NOOP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1,
       'BEEP', 1, 'New transfer'
FROM demo_partition;

-- The STYLE template's SuperviseID decides which style table a copy takes its detail row from.
INSERT INTO Node_STYLE (ConfigID, PartID, NodeNumber, Disconnection, Hookflash, SuperviseID,
                        SuperviseType, ThresholdTypeID, Transfer, NodeDescription)
SELECT ConfigID, PartID, 0, 1, 600, SuperviseID,
       CASE SuperviseID WHEN 0 THEN 'None' WHEN 1 THEN 'Partial' WHEN 2 THEN 'Full'
                        WHEN 3 THEN 'DialCont' ELSE 'Enhanced' END,
       1, 1, 'New style'
FROM demo_partition;

INSERT INTO Node_DTMF (ConfigID, PartID, NodeNumber, DTMFClear, NumberOfDigits,
                       TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit,
                       TimeoutNodeType, TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber,
                       AbortNodeType, AbortNodeNumber, NodeDescription, TimeoutNodeTypeID,
                       InvalidNodeTypeID, AbortNodeTypeID)
SELECT ConfigID, PartID, 0, 1, 1, '#', 5, 3, 3, 'MSG', 1, 'MSG', 1, 'CMD', 1, 'New menu', 0,
       0, 1
FROM demo_partition;
INSERT INTO Detail_DTMF_Prompts (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                                 NodeMasterID, NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition;
INSERT INTO Detail_DTMF_Action (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                                NodeMasterID, DTMFDigitCollected, NodeType)
SELECT ConfigID, PartID, 1, 4, 1, 0, '1', 'XFER' FROM demo_partition
UNION ALL SELECT ConfigID, PartID, 2, 0, 1, 0, '*', 'MSG' FROM demo_partition;

INSERT INTO Node_VOX (ConfigID, PartID, NodeNumber, Beep, Threshold, Wait, RetryLimit,
                      TimeoutNodeType, TimeoutNodeNumber, AbortNodeType, AbortNodeNumber,
                      DTMFNodeType, DTMFNodeNumber, NodeDescription, TimeoutNodeTypeID,
                      AbortNodeTypeID, DTMFNodeTypeID)
SELECT ConfigID, PartID, 0, 1, 20, 4, 2, 'MSG', 1, 'CMD', 1, 'DTMF', 0, 'New voice input', 0,
       1, 6
FROM demo_partition;
INSERT INTO Detail_VOX_Prompts (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                                NodeMasterID, NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition;
INSERT INTO Detail_VOX_Action (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                               NodeMasterID, PromptNodeType, PromptNodeNumber, NodeType,
                               PromptNodeTypeID)
SELECT ConfigID, PartID, 1, 4, 1, 0, 'MSG', 1, 'XFER', 0 FROM demo_partition;

INSERT INTO Node_LIST (ConfigID, PartID, NodeNumber, ListMode, NodeDescription)
SELECT ConfigID, PartID, 0, 1, 'New list' FROM demo_partition;
INSERT INTO Detail_LIST (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID,
                         NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition
UNION ALL SELECT ConfigID, PartID, 2, 0, 2, 0, 'MSG' FROM demo_partition;

INSERT INTO Node_AUTO (ConfigID, PartID, NodeNumber, NumberOfDigits, TerminatingDigit,
                       SelectionTimeout, DigitTimeout, RetryLimit, TimeoutNodeType,
                       TimeoutNodeNumber, InvalidNodeType, InvalidNodeNumber, AbortNodeType,
                       AbortNodeNumber, NodeDescription, TimeoutNodeTypeID, InvalidNodeTypeID,
                       AbortNodeTypeID, StarNodeTypeID, PoundNodeTypeID, StarNodeType,
                       StarNodeNumber, PoundNodeType, PoundNodeNumber)
SELECT ConfigID, PartID, 0, 3, '#', 6, 3, 3, 'MSG', 1, 'MSG', 1, 'CMD', 1, 'New attendant', 0,
       0, 1, 0, 1, 'MSG', 1, 'CMD', 1
FROM demo_partition;
INSERT INTO Detail_AUTO_Prompts (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                                 NodeMasterID, NodeType)
SELECT ConfigID, PartID, 1, 0, 1, 0, 'MSG' FROM demo_partition;
INSERT INTO Detail_AUTO_Action (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber,
                                NodeMasterID, DTMFRangeLow, DTMFRangeHigh, NodeType)
SELECT ConfigID, PartID, 1, 4, 1, 0, '0100', '0199', 'XFER' FROM demo_partition;

INSERT INTO Node_MOH (ConfigID, PartID, NodeNumber, FadeTime, IOSourceLinesID,
                      IOSourceLinesNumber, IOSourceLinesType, MusicLevel, MusicNodeNumber,
                      MusicNodeType, VoiceNodeNumber, VoiceNodeType, NodeDescription)
SELECT ConfigID, PartID, 0, 2, 1, 1, 'Analog', 8, 1, 'MSG', 2, 'MSG', 'New music on hold'
FROM demo_partition;

INSERT INTO Node_PAAS (ConfigID, PartID, NodeNumber, Card, Line, Priority, Interrupt,
                       NodeDescription)
SELECT ConfigID, PartID, 0, 1, 1, 5, 0, 'New paging' FROM demo_partition;

INSERT INTO Node_TABLE (ConfigID, PartID, NodeNumber, Mode, Reference, InvalidNodeType,
                        InvalidNodeNumber, InvalidNodeTypeID, ContinueNodeType,
                        ContinueNodeNumber, ContinueNodeTypeID, NodeDescription)
SELECT ConfigID, PartID, 0, 1, 'ANI', 'MSG', 1, 0, 'CMD', 1, 1, 'New lookup table'
FROM demo_partition;
INSERT INTO Detail_TABLE_Action (ConfigID, PartID, SequenceNo, NodeType, NodeNumber, NodeTypeID,
                                 StartRange, EndRange, NodeMasterID)
SELECT ConfigID, PartID, 1, 'XFER', 1, 4, '0200', '0299', 0 FROM demo_partition;

INSERT INTO Node_DBN (ConfigID, PartID, NodeNumber, NodeDescription, Method,
                      DirectoryNodeNumber, FirstLanguage, SecondLanguage, GreetingNodeType,
                      GreetingNodeNumber, GreetingNodeTypeID, ValidMatchNodeType,
                      ValidMatchNodeNumber, ValidMatchNodeTypeID, AbortNodeType, AbortNodeNumber,
                      AbortNodeTypeID, StarNodeType, StarNodeNumber, StarNodeTypeID,
                      PoundNodeType, PoundNodeNumber, PoundNodeTypeID, ZeroNodeType,
                      ZeroNodeNumber, ZeroNodeTypeID, FirstMode, FirstMinDigits, FirstMaxDigits,
                      FirstPromptNodeType, FirstPromptNodeNumber, FirstPromptNodeTypeID,
                      SecondMode, SecondMinDigits, SecondMaxDigits, SecondPromptNodeType,
                      SecondPromptNodeNumber, SecondPromptNodeTypeID, TimeoutNodeType,
                      TimeoutNodeNumber, TimeoutNodeTypeID, InvalidNodeType, InvalidNodeNumber,
                      InvalidNodeTypeID, DigitTimeout, SelectionTimeout, RetryLimit, Confirm,
                      MaxMatch, PlayName, BeforePromptNodeType, BeforePromptNodeNumber,
                      BeforePromptNodeTypeID, AfterPromptNodeType, AfterPromptNodeNumber,
                      AfterPromptNodeTypeID, ConfirmationExitNodeType,
                      ConfirmationExitNodeNumber, ConfirmationExitNodeTypeID)
SELECT ConfigID, PartID, 0, 'New directory', 1, 1, 'English', 'French', 'MSG', 1, 0, 'XFER', 1,
       4, 'CMD', 1, 1, 'MSG', 1, 0, 'CMD', 1, 1, 'XFER', 1, 4, 1, 3, 8, 'MSG', 1, 0, 2, 3, 8,
       'MSG', 1, 0, 'MSG', 1, 0, 'MSG', 1, 0, 3, 6, 3, 1, 9, 1, 'MSG', 1, 0, 'MSG', 1, 0, 'CMD',
       1, 1
FROM demo_partition;
INSERT INTO Detail_DBN_Prompts (ConfigID, PartID, NodeMasterID, PromptNumber, PromptNodeType,
                                PromptNodeNumber, PromptNodeTypeID)
SELECT ConfigID, PartID, 0, 1, 'MSG', 1, 0 FROM demo_partition
UNION ALL SELECT ConfigID, PartID, 0, 2, 'MSG', 2, 0 FROM demo_partition;

-- Each template STYLE keeps its detail row under StyleID 0 in the table its SuperviseID names
-- (none for 0), so copying STYLE 0 copies exactly one row, or none.
INSERT INTO STYLE_Partial (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries,
                           Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
SELECT ConfigID, PartID, 0, 500, 500, 30, 3, 1, 6, 4000, 2000, 1
FROM demo_partition WHERE SuperviseID = 1;
INSERT INTO STYLE_Full (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries,
                        Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
SELECT ConfigID, PartID, 0, 450, 450, 20, 2, 1, 5, 4000, 2000, 2
FROM demo_partition WHERE SuperviseID = 2;
INSERT INTO STYLE_DialCont (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry,
                            NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
SELECT ConfigID, PartID, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3
FROM demo_partition WHERE SuperviseID = 3;
INSERT INTO STYLE_Enhanced (ConfigID, PartID, StyleID, Busy1On, Busy2On, BusyRetry,
                            NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
SELECT ConfigID, PartID, 0, 250, 500, 15, 4, 1, 8, 4000, 2000, SuperviseID
FROM demo_partition WHERE SuperviseID NOT IN (0, 1, 2, 3);

-- Every partition has MSG 1, the target the Default button writes for five exceptions.
INSERT INTO Node_MSG (ConfigID, PartID, NodeNumber, MaxLength, OnOff, DTMF, Directory,
                      VDAFilename, SkipCount, Permission, WarningTone, LineAssignment,
                      NodeDescription, MSGArchive)
SELECT ConfigID, PartID, 1, 120, 1, 0, 'Messages', printf('P%02dM001.wav', PartID), 0, 1, 0,
       0, 'Welcome greeting', 0
FROM demo_partition;

DROP TABLE demo_partition;

-- 1/1: the nodes the main demo's XFER nodes point at ----------------------------------------

INSERT INTO Node_MSG (ConfigID, PartID, NodeNumber, MaxLength, OnOff, DTMF, Directory,
                      VDAFilename, SkipCount, Permission, WarningTone, LineAssignment,
                      NodeDescription, MSGArchive) VALUES
    (1, 1, 2, 60, 1, 0, 'Messages', 'P01M002.wav', 0, 1, 0, 0, 'Please hold', 0),
    (1, 1, 3, 60, 1, 0, 'Messages', 'P01M003.wav', 0, 1, 0, 0, 'All lines are busy', 0),
    (1, 1, 4, 60, 1, 0, 'Messages', 'P01M004.wav', 0, 1, 0, 0, 'Nobody answered', 0),
    -- Exists but has no label: its exception row shows an empty label.
    (1, 1, 5, 60, 1, 0, 'Messages', 'P01M005.wav', 0, 1, 0, 0, NULL, 0);

INSERT INTO Node_CMD (ConfigID, PartID, NodeNumber, NodeDescription) VALUES
    (1, 1, 1, 'Disconnect caller');
-- Detail rows of a real node (master 1): copying the template (master 0) must leave them out.
INSERT INTO Detail_CMD (ConfigID, PartID, SequenceNo, NodeTypeID, NodeNumber, NodeMasterID,
                        NodeType) VALUES
    (1, 1, 1, 0, 4, 1, 'MSG');

INSERT INTO Node_DTMF (ConfigID, PartID, NodeNumber, DTMFClear, NumberOfDigits,
                       TerminatingDigit, SelectionTimeout, DigitTimeout, RetryLimit,
                       NodeDescription) VALUES
    (1, 1, 1, 1, 1, '#', 5, 3, 3, 'Main menu');
INSERT INTO Node_MOH (ConfigID, PartID, NodeNumber, FadeTime, MusicLevel, MusicNodeNumber,
                      MusicNodeType, NodeDescription) VALUES
    (1, 1, 1, 2, 8, 2, 'MSG', 'Light classical');
INSERT INTO Node_AUTO (ConfigID, PartID, NodeNumber, NumberOfDigits, TerminatingDigit,
                       NodeDescription) VALUES
    (1, 1, 1, 4, '#', 'Extension dialling');
INSERT INTO Node_DBN (ConfigID, PartID, NodeNumber, NodeDescription, Method) VALUES
    (1, 1, 1, 'Staff directory', 1);

-- STYLE 1-5 cover every supervision kind with their detail rows; the limit is 8, so STYLE 6-8
-- are offered in the style list but do not exist.
INSERT INTO Node_STYLE (ConfigID, PartID, NodeNumber, Disconnection, Hookflash, SuperviseID,
                        SuperviseType, ThresholdTypeID, Transfer, NodeDescription) VALUES
    (1, 1, 1, 1, 600, 0, 'None', 1, 1, 'Blind transfer'),
    (1, 1, 2, 1, 600, 1, 'Partial', 1, 1, 'Partial supervision'),
    (1, 1, 3, 1, 600, 2, 'Full', 1, 1, 'Full supervision'),
    (1, 1, 4, 1, 600, 3, 'DialCont', 1, 1, 'Dial and continue'),
    (1, 1, 5, 1, 600, 4, 'Enhanced', 1, 1, 'Enhanced supervision');
INSERT INTO STYLE_Partial (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries,
                           Retrieve, RingLimit, RingOff, RingOn, SuperviseID) VALUES
    (1, 1, 2, 500, 500, 30, 3, 1, 6, 4000, 2000, 1);
INSERT INTO STYLE_Full (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry, NumberRetries,
                        Retrieve, RingLimit, RingOff, RingOn, SuperviseID) VALUES
    (1, 1, 3, 450, 450, 20, 2, 1, 5, 4000, 2000, 2);
INSERT INTO STYLE_DialCont (ConfigID, PartID, StyleID, BusyOff, BusyOn, BusyRetry,
                            NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
VALUES (1, 1, 4, 0, 0, 0, 0, 0, 0, 0, 0, 3);
INSERT INTO STYLE_Enhanced (ConfigID, PartID, StyleID, Busy1On, Busy2On, BusyRetry,
                            NumberRetries, Retrieve, RingLimit, RingOff, RingOn, SuperviseID)
VALUES (1, 1, 5, 250, 500, 15, 4, 1, 8, 4000, 2000, 4);

-- Other partitions: a STYLE 1 where the style list has entries (2/1 has one too, to show that
-- the missing limit, not a missing node, keeps the editor closed).
INSERT INTO Node_STYLE (ConfigID, PartID, NodeNumber, SuperviseID, SuperviseType,
                        NodeDescription) VALUES
    (1, 2, 1, 0, 'None', 'Blind transfer'),
    (2, 1, 1, 0, 'None', 'Blind transfer'),
    (2, 3, 1, 0, 'None', 'Blind transfer');

-- XFER nodes ----------------------------------------------------------------------------------

INSERT INTO Node_XFER (ConfigID, PartID, NodeNumber, StyleNodeNumber, HoldNodeType,
                       HoldNodeNumber, Dial, MOHNodeType, MOHNodeNumber, Busy1NodeType,
                       Busy1NodeNumber, Busy2NodeType, Busy2NodeNumber, NoAnswerNodeType,
                       NoAnswerNodeNumber, AnswerNodeType, AnswerNodeNumber, NodeDescription)
VALUES
    -- 1/1 (node 0, the template, is above) --
    -- Every reference exists: saving asks nothing.
    (1, 1, 1, 2, 'NOOP', 1, '2001', 'MOH', 1, 'MSG', 3, 'MSG', 3, 'MSG', 4, 'BEEP', 1,
     'Reception'),
    -- Type texts in lower and mixed case: no-number commands keep the stored text, numbered
    -- types are found in the catalogue regardless of case. MSG 5 has no label.
    (1, 1, 2, 3, 'noop', 1, '2002', 'beep', 1, 'msg', 3, 'Msg', 5, 'DTMF', 1, 'Beep', 1,
     'Sales desk'),
    -- No dial string and no label.
    (1, 1, 3, 1, 'MSG', 2, NULL, 'NOOP', 1, 'MSG', 3, 'CMD', 1, 'MSG', 4, 'MSG', 1, NULL),
    -- Missing nodes to auto-create: STYLE 6, MSG 12 (twice: asked once), CMD 7, PMSG 20 (made
    -- as MSG 20), XFER 9.
    (1, 1, 5, 6, 'MSG', 12, '3005', 'MOH', 1, 'CMD', 7, 'PMSG', 20, 'MSG', 12, 'XFER', 9,
     'Support line'),
    -- Busy 1/2 hold "NOOP" as a type name (looked up in the catalogue: 814, never checked);
    -- GOTO (816) and HANGUP (999) are never checked either.
    (1, 1, 8, 4, 'MSG', 2, '*72,2008#', 'BEEP', 1, 'NOOP', 1, 'NOOP', 1, 'GOTO', 5, 'HANGUP', 1,
     'After hours'),
    -- Dial keyword AUTO.
    (1, 1, 12, 5, 'NOOP', 1, 'AUTO', 'MOH', 1, 'MSG', 3, 'MSG', 3, 'MSG', 4, 'BEEP', 1,
     'Operator'),
    -- A dial string with a character outside the allowed set; missing TIME 2 and PAAS 2.
    (1, 1, 13, 2, 'MSG', 2, '12-34', 'NOOP', 1, 'MSG', 3, 'TIME', 2, 'PAAS', 2, 'BEEP', 1,
     'Warehouse'),
    -- Targets of the limit-0 type (LIST 2) and of a type without a limit row (TABLE 3), of types
    -- nothing can create (FAX 2, SPARE 1) and SMSG 4 (checked as MSG 4, which exists).
    (1, 1, 15, 7, 'LIST', 2, '2015', 'TABLE', 3, 'FAX', 2, 'SPARE', 1, 'SMSG', 4, 'beep', 1,
     'Overflow'),
    -- Every allowed dial character; a quote in the label; missing STYLE 8, VOX 2 and DTMF 9.
    (1, 1, 20, 8, 'XFER', 1, '12,34!#*', 'NOOP', 1, 'DBN', 1, 'AUTO', 1, 'VOX', 2, 'DTMF', 9,
     'Customer''s line'),
    -- No style chosen (0); NOOP in the Answer row is a type name there; missing MOH 2, DATE 2.
    (1, 1, 21, 0, 'MSG', 1, '', 'MOH', 2, 'MSG', 1, 'MSG', 1, 'DATE', 2, 'NOOP', 1,
     'Style not chosen'),
    -- The highest number the partition allows; the targets the Default button writes.
    (1, 1, 30, 1, 'MSG', 1, '2030', 'NOOP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1,
     'Last line'),

    -- 1/2 --
    (1, 2, 1, 1, 'NOOP', 1, '4001', 'BEEP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'BEEP', 1,
     'Front desk'),
    -- A type text the catalogue does not know: loading fails.
    (1, 2, 2, 1, 'NOOP', 1, '4002', 'BEEP', 1, 'MSG', 1, 'FOO', 1, 'MSG', 1, 'BEEP', 1,
     'Unknown target type'),
    -- STYLE 9 lies beyond the style list (limit 4): loading fails.
    (1, 2, 4, 9, 'NOOP', 1, '4004', 'BEEP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'BEEP', 1,
     'Style out of range'),

    -- 2/1: never opens (no STYLE limit) --
    (2, 1, 1, 1, 'NOOP', 1, '5001', 'NOOP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'BEEP', 1,
     'Closed partition'),

    -- 2/3 --
    (2, 3, 1, 1, 'NOOP', 1, '6001', 'BEEP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'BEEP', 1,
     'Branch office'),
    -- The partition's last allowed number (limit 3).
    (2, 3, 3, 1, 'MSG', 1, '6003', 'NOOP', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1, 'MSG', 1,
     'Branch night line');

-- General rows: one for every node of every type, with its type and label -------------------

INSERT INTO Node_General_Pool (ConfigID, PartID, NodeTypeID, NodeNumber, NodeType,
                               NodeDescription, DateModified)
SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription, '3/14/2024 9:30:00 AM'
FROM (
    SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_MSG
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_CMD
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_TIME
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_DATE
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_XFER
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_STYLE
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_DTMF
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_VOX
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_LIST
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_AUTO
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_MOH
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_PAAS
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_TABLE
    UNION ALL SELECT ConfigID, PartID, NodeTypeID, NodeNumber, NodeType, NodeDescription FROM Node_DBN
);

COMMIT;
