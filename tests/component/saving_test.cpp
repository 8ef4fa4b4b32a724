// Saving through OK, Apply, Cancel and the close box: the input checks, the reference check
// with auto-create, node duplication and what each fault leaves behind.

#include <gtest/gtest.h>

#include <regex>

#include "business_rules/business_rules.h"
#include "business_rules/node_duplicator.h"
#include "component/harness.h"
#include "data/database.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;
using platform::answer::kCancel;
using platform::answer::kNo;
using platform::answer::kYes;
namespace confirm = platform::confirm;

std::string Xfer(Harness& h, int node, const std::string& column) {
    return h.database.scalar(
        "SELECT " + column +
        " FROM Node_XFER WHERE ConfigID=1 AND PartID=1 AND NodeNumber=" + std::to_string(node));
}
long long Exists(Harness& h, const std::string& table, const std::string& where) {
    return h.database.count("SELECT 1 FROM " + table + " WHERE ConfigID=1 AND PartID=1 AND " +
                            where);
}

TEST(SavingTest, OkSavesTheEditsAndCreatesTheMissingNodesTheUserAgreesTo) {
    Harness h;
    std::vector<std::string> status;
    h.answerConfirmations(
        {confirm::kCreate, confirm::kSkip, confirm::kCreate, confirm::kCreateAll});
    h.Open(1, 1, 5, [&](GUI& f, UserActions& user) {
        f.StatusBar1.setObserver([&](editor::Control&, editor::Prop p) {
            if (p == editor::Prop::Panels)
                status.push_back(f.StatusBar1.Panels(1).Text);
        });
        ASSERT_TRUE(user.type(f.txtDescription, "Support desk", true));
        ASSERT_TRUE(user.type(f.txtDial, "3005,1", true));
        ASSERT_TRUE(user.choose(f.cmbXStyle, std::string("STYLE 7")));
        ASSERT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.IsLoaded());
    });
    EXPECT_EQ(h.prompts(),
              (std::vector<std::string>{"STYLE 7 is referenced but it does not exist.\r\nDo you "
                                        "want to auto create node 'STYLE 7'?",
                                        "MSG 12 is referenced but it does not exist.\r\nDo you "
                                        "want to auto create node 'MSG 12'?",
                                        "CMD 7 is referenced but it does not exist.\r\nDo you want "
                                        "to auto create node 'CMD 7'?",
                                        "MSG 20 is referenced but it does not exist.\r\nDo you "
                                        "want to auto create node 'MSG 20'?"}));
    EXPECT_EQ(status, (std::vector<std::string>{"Checking for non-existing nodes. Please wait...",
                                                "STYLE 7 is created.", "CMD 7 is created.",
                                                "MSG 20 is created.", "XFER 9 is created.",
                                                "Saving node information. Please wait...", ""}));
    EXPECT_TRUE(h.boxes->shown().empty());

    // The node itself: both rows, the targets as they were.
    EXPECT_EQ(h.database.rows(
                  "SELECT Dial, StyleNodeNumber, NodeDescription, HoldNodeType, HoldNodeNumber, "
                  "Busy2NodeType, Busy2NodeNumber, NodeType, NodeTypeID FROM Node_XFER "
                  "WHERE ConfigID=1 AND PartID=1 AND NodeNumber=5"),
              (std::vector<std::vector<std::string>>{
                  {"3005,1", "7", "Support desk", "MSG", "12", "PMSG", "20", "XFER", "4"}}));
    const std::string modified = h.database.scalar(
        "SELECT DateModified FROM Node_General_Pool WHERE ConfigID=1 AND PartID=1 AND NodeTypeID=4 "
        "AND NodeNumber=5");
    EXPECT_TRUE(std::regex_match(modified, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << modified;
    EXPECT_EQ(h.database.scalar(
                  "SELECT NodeDescription FROM Node_General_Pool WHERE ConfigID=1 AND PartID=1 "
                  "AND NodeTypeID=4 AND NodeNumber=5"),
              "Support desk");

    // Created from the templates: STYLE 7 with the detail row its template's SuperviseID (1)
    // selects, CMD 7 with the template's detail rows, PMSG 20 as MSG 20, XFER 9. MSG 12 skipped.
    EXPECT_EQ(Exists(h, "Node_STYLE", "NodeNumber=7"), 1);
    EXPECT_EQ(Exists(h, "STYLE_Partial", "StyleID=7"), 1);
    EXPECT_EQ(
        h.database.rows("SELECT SequenceNo, NodeTypeID, NodeNumber, NodeType FROM Detail_CMD WHERE "
                        "ConfigID=1 AND PartID=1 AND NodeMasterID=7 ORDER BY SequenceNo"),
        (std::vector<std::vector<std::string>>{{"1", "0", "1", "MSG"}, {"2", "815", "1", "BEEP"}}));
    EXPECT_EQ(
        h.database.scalar(
            "SELECT VDAFilename FROM Node_MSG WHERE ConfigID=1 AND PartID=1 AND NodeNumber=20"),
        "P01M020.wav");
    EXPECT_EQ(Exists(h, "Node_XFER", "NodeNumber=9"), 1);
    EXPECT_EQ(Exists(h, "Node_MSG", "NodeNumber=12"), 0);
    EXPECT_EQ(
        h.database.rows(
            "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE ConfigID=1 AND PartID=1 "
            "AND DateModified NOT LIKE '3/14/2024%' ORDER BY NodeTypeID, NodeNumber"),
        (std::vector<std::vector<std::string>>{
            {"0", "20"}, {"1", "7"}, {"4", "5"}, {"4", "9"}, {"5", "7"}}));
    EXPECT_EQ(h.mouse->Current(), platform::Pointer::Default);
}

TEST(SavingTest, StopOrClosingTheDialogEndsTheCheckButTheNodeIsStillSaved) {
    struct Case {
        std::vector<long> answers;
        std::size_t prompts;
        std::vector<std::string> created;  // Node_General_Pool rows added, "type/number"
    };
    const Case cases[] = {
        {{confirm::kStop}, 1, {}},
        {{confirm::kClosed}, 1, {}},
        {{confirm::kCreate, confirm::kStop}, 2, {"5/6"}},
        {{confirm::kCreateAll}, 1, {"0/12", "0/20", "1/7", "4/9", "5/6"}},
        {{confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip}, 5, {}},
    };
    for (const auto& c : cases) {
        Harness h;
        for (long a : c.answers)
            h.answerConfirmations({a});
        h.Open(1, 1, 5, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "Saved anyway", true);
            user.click(f.cmdOK);
        });
        EXPECT_EQ(h.prompts().size(), c.prompts);
        std::vector<std::string> created;
        for (const auto& r : h.database.rows(
                 "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE "
                 "DateModified NOT LIKE '3/14/2024%' AND NOT (NodeTypeID = 4 AND NodeNumber = 5) "
                 "ORDER BY NodeTypeID, NodeNumber")) {
            created.push_back(r[0] + "/" + r[1]);
        }
        EXPECT_EQ(created, c.created);
        EXPECT_EQ(Xfer(h, 5, "NodeDescription"), "Saved anyway");
    }
}

TEST(SavingTest, CommandsAndTypesWithoutACopyAreNeverCreated) {
    Harness h;
    h.answerConfirmations({confirm::kCreateAll});
    h.Open(1, 1, 15, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "x");
        user.click(f.cmdOK);
    });
    // LIST 2 and TABLE 3 are offered and made; FAX 2 and SPARE 1 are offered but nothing can
    // make them; SMSG 4 is MSG 4, which exists; BEEP is never offered.
    EXPECT_EQ(h.prompts().size(), 1u);
    EXPECT_TRUE(h.prompts()[0].starts_with("STYLE 7 is referenced"));
    EXPECT_EQ(Exists(h, "Node_LIST", "NodeNumber=2"), 1);
    EXPECT_EQ(Exists(h, "Node_TABLE", "NodeNumber=3"), 1);
    EXPECT_EQ(Exists(h, "Node_General_Pool", "NodeTypeID IN (10, 14)"), 0);
}

TEST(SavingTest, NothingMissingMeansNoPrompt) {
    Harness h;
    std::vector<std::string> status;
    h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
        f.StatusBar1.setObserver([&](editor::Control&, editor::Prop p) {
            if (p == editor::Prop::Panels)
                status.push_back(f.StatusBar1.Panels(1).Text);
        });
        user.type(f.txtDescription, "!");
        user.click(f.cmdApply);
        EXPECT_TRUE(f.IsLoaded());
        EXPECT_FALSE(f.cmdApply.Enabled());
        EXPECT_FALSE(f.StatusBar1.Visible());
        EXPECT_TRUE(f.Frame1.Enabled());
    });
    EXPECT_TRUE(h.prompts().empty());
    EXPECT_EQ(status, (std::vector<std::string>{"Checking for non-existing nodes. Please wait...",
                                                "Saving node information. Please wait...", ""}));
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "Reception!");
}

struct DialCase {
    std::string typed, shown;
    bool accepted;
};

TEST(SavingTest, DialStringsAreFilteredWhileTypedAndCheckedBeforeSaving) {
    const DialCase cases[] = {
        {"auto", "AUTO", true},
        {"AUTO5", "AUTO5", true},
        {"12AUTO", "12AUTO", true},
        {"AUTOA", "AUTOA", false},
        {"AUTO1A", "AUTO1A", false},
        {"AUT", "AUT", false},
        {"12,34!#*", "12,34!#*", true},
        {"12-34", "1234", true},
        {"12 34", "1234", true},
        {"", "", true},
        {std::string(31, '1'), std::string(31, '1'), true},
        {std::string(32, '2'), std::string(31, '2'), true},
    };
    for (const auto& c : cases) {
        Harness h;
        h.boxes->Answer(platform::answer::kOK);
        h.boxes->Answer(kNo);  // the close box's prompt after a refused dial
        std::string shown;
        h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "!");
            user.type(f.txtDial, c.typed, true);
            if (c.typed.empty())
                user.type(f.txtDial, "\b", true);
            shown = f.txtDial.Text();
            user.click(f.cmdOK);
            EXPECT_EQ(f.IsLoaded(), !c.accepted) << c.typed;
            if (!c.accepted) {
                EXPECT_EQ(f.FocusedControl(), &f.txtDial);
                EXPECT_EQ(f.txtDial.SelLength(), static_cast<int>(c.shown.size()));
            }
        });
        EXPECT_EQ(shown, c.shown) << c.typed;
        if (c.accepted) {
            EXPECT_EQ(Xfer(h, 1, "Dial"), c.shown);
            EXPECT_TRUE(h.boxes->shown().empty()) << c.typed;
        } else {
            ASSERT_GE(h.boxes->shown().size(), 1u);
            EXPECT_EQ(h.boxes->shown()[0], (platform::MessageBoxRequest{
                                               c.shown + " is Invalid Data", platform::mb::kOKOnly,
                                               platform::mb::kInformation, "Information"}));
            EXPECT_EQ(Xfer(h, 1, "Dial"), "2001");
        }
    }
}

TEST(SavingTest, NumberPickersKeepTheirTextInsideTheirRange) {
    struct Case {
        long first, last;
        std::string keys, shown;
        bool pasted = false;  // the whole text at once rather than key by key
    };
    const Case cases[] = {{1, 500, "5000", "500"},
                          {1, 500, "12x3", "12", true},
                          {1, 500, "0", "1"},
                          {1, 500, "7\b", "1"},
                          {100, 200, "150", "100"}};
    Harness h;
    for (const auto& c : cases) {
        business_rules::Business_Rules rules(h.component());
        editor::ComboBox combo("cmbTest", editor::ComboStyle::DropDownCombo);
        combo.SetRange(c.first, c.last);
        combo.Change = [&] { rules.Combo_Change(combo); };
        if (c.pasted)
            combo.setText(c.keys);
        for (char k : c.pasted ? std::string() : c.keys) {
            combo.setSelStart(static_cast<int>(combo.Text().size()));
            combo.TypeKey(k);
        }
        EXPECT_EQ(combo.Text(), c.shown) << c.keys;
    }
    EXPECT_TRUE(h.boxes->shown().empty());
}

TEST(SavingTest, LabelsWithQuotesAreRefusedAndNothingIsWritten) {
    for (const std::string label : {"Say \"hi\"", "It''s"}) {
        for (bool apply : {false, true}) {
            Harness h;
            h.boxes->Answer(platform::answer::kOK);
            h.boxes->Answer(kNo);
            h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
                user.type(f.txtDescription, label, true);
                user.click(apply ? f.cmdApply : f.cmdOK);
                EXPECT_TRUE(f.IsLoaded());
                EXPECT_TRUE(f.cmdApply.Enabled());
            });
            ASSERT_GE(h.boxes->shown().size(), 1u);
            EXPECT_EQ(
                h.boxes->shown()[0],
                (platform::MessageBoxRequest{
                    "Double quotes and continuous single quotes are not allowed in the Label field",
                    platform::mb::kOKOnly, platform::mb::kInformation, "Information"}));
            EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "Reception");
        }
    }
}

TEST(SavingTest, PendingChangesAreAskedAboutOnCancelAndOnTheCloseBox) {
    struct Case {
        bool closeBox;
        int answer;
        bool open;          // still open after the press
        std::string saved;  // the label in the database afterwards
    };
    const Case cases[] = {
        {false, kYes, false, "Changed"},     {false, kNo, false, "Reception"},
        {false, kCancel, true, "Reception"}, {true, kYes, false, "Changed"},
        {true, kNo, false, "Reception"},     {true, kCancel, true, "Reception"},
    };
    for (const auto& c : cases) {
        Harness h;
        h.boxes->Answer(c.answer);
        h.boxes->Answer(kNo);  // the close box at the end of a session left open
        h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "Changed", true);
            user.type(f.txtDial, "1-", true);  // a dial that OK would refuse does not stop Yes
            if (c.closeBox) {
                EXPECT_EQ(user.closeBox(), !c.open);
            } else {
                user.click(f.cmdCancel);
            }
            EXPECT_EQ(f.IsLoaded(), c.open);
            if (c.open) {
                EXPECT_EQ(f.txtDescription.Text(), "Changed");
            }
        });
        ASSERT_GE(h.boxes->shown().size(), 1u);
        EXPECT_EQ(
            h.boxes->shown()[0],
            (platform::MessageBoxRequest{"Do you want to save changes?", platform::mb::kYesNoCancel,
                                         platform::mb::kQuestion, "Confirmation"}));
        EXPECT_EQ(Xfer(h, 1, "NodeDescription"), c.saved);
    }
}

TEST(SavingTest, OkWithNothingPendingClosesAtOnce) {
    Harness h;
    h.Open(1, 1, 13, [&](GUI& f, UserActions& user) {
        EXPECT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.IsLoaded());
    });
    EXPECT_TRUE(h.boxes->shown().empty());
    EXPECT_TRUE(h.prompts().empty());
    EXPECT_EQ(Xfer(h, 13, "Dial"), "12-34");
}

TEST(SavingTest, AFailedGeneralRowUpdateLeavesTheNodeRowWrittenAndTheFormUsable) {
    Harness h;
    h.database.exec(
        "CREATE TRIGGER full BEFORE UPDATE ON Node_General_Pool BEGIN SELECT RAISE(ABORT, 'disk "
        "full'); END");
    h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "New", true);
        user.click(f.cmdApply);
        EXPECT_FALSE(f.StatusBar1.Visible());
        EXPECT_TRUE(f.Frame1.Enabled());
        EXPECT_FALSE(f.cmdApply.Enabled());  // the caller goes on as after a save
    });
    EXPECT_EQ(
        h.boxTexts(),
        (std::vector<std::string>{
            "Source: Microsoft JET Database Engine - SaveChanges \r\nDescription: disk full"}));
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "New");
    EXPECT_EQ(h.mouse->Current(), platform::Pointer::Default);
}

TEST(SavingTest, AFailedCopyKeepsWhatWasWrittenAndTheCheckGoesOn) {
    Harness h;
    h.database.exec(
        "CREATE TRIGGER broken BEFORE INSERT ON Detail_CMD BEGIN SELECT RAISE(ABORT, 'no room'); "
        "END");
    h.answerConfirmations({confirm::kCreateAll});
    h.Open(1, 1, 5, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "x");
        user.click(f.cmdOK);
    });
    EXPECT_EQ(
        h.boxTexts(),
        (std::vector<std::string>{
            "Source: Microsoft JET Database Engine - DuplicateNode \r\nDescription: no room"}));
    EXPECT_EQ(Exists(h, "Node_CMD", "NodeNumber=7"), 1);
    EXPECT_EQ(Exists(h, "Node_General_Pool", "NodeTypeID=1 AND NodeNumber=7"), 0);
    EXPECT_EQ(Exists(h, "Node_XFER", "NodeNumber=9"), 1);  // later nodes are still made
    EXPECT_EQ(Xfer(h, 5, "NodeDescription"), "Support linex");
}

TEST(SavingTest, AValidatorThatCannotBeCreatedSavesNothing) {
    Harness h;
    h.factory->Unregister(platform::kValidatorProgId);
    h.boxes->Answer(platform::answer::kOK);
    h.boxes->Answer(kNo);
    h.Open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "New", true);
        user.click(f.cmdOK);
        EXPECT_TRUE(f.IsLoaded());
    });
    EXPECT_EQ(h.boxTexts()[0],
              "Source: QRV_XFER_Node - cmdOK_Click \r\nDescription: ActiveX component can't create "
              "object");
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "Reception");
}

}  // namespace
}  // namespace xfer::test

namespace xfer::test {
namespace {

// Copies made straight from DuplicateNode, in the demo partitions whose STYLE templates take
// each supervision kind.
TEST(DuplicationTest, EachTypeIsCopiedFromItsTemplateWithWhatItsCommandsReplace) {
    struct Case {
        std::int16_t config, partition;
        std::string type, number;
        std::vector<std::string> expected;  // "table=count" of rows with the new number
    };
    const Case cases[] = {
        {1, 2, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {1, 1, "5", "6", {"Node_STYLE=1", "STYLE_Partial=1", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {2, 1, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=1", "STYLE_DialCont=0"}},
        {2, 3, "5", "2", {"Node_STYLE=1", "STYLE_DialCont=1", "STYLE_Enhanced=0"}},
        {2, 2, "5", "6", {"Node_STYLE=1", "STYLE_DialCont=0", "STYLE_Enhanced=1"}},
        {2, 3, "817", "1250", {"Node_MSG=1", "Node_General_Pool=1"}},
        {1, 1, "6", "9", {"Node_DTMF=1", "Detail_DTMF_Prompts=1", "Detail_DTMF_Action=2"}},
        {1, 1, "10", "77", {"Node_General_Pool=0"}},
        {1, 1, "05", "9", {"Node_STYLE=0", "Node_General_Pool=0"}},  // compared as text
    };
    for (const auto& c : cases) {
        Harness h;
        data::DataBase db(h.platform());
        business_rules::NodeDuplicator(db, *h.boxes)
            .DuplicateNode({c.config, c.partition}, "0", c.number, c.type);
        const std::string where = " WHERE ConfigID=" + std::to_string(c.config) +
                                  " AND PartID=" + std::to_string(c.partition) + " AND ";
        std::vector<std::string> got;
        for (const auto& e : c.expected) {
            const std::string table = e.substr(0, e.find('='));
            const std::string key = table.starts_with("STYLE_")    ? "StyleID"
                                    : table.starts_with("Detail_") ? "NodeMasterID"
                                                                   : "NodeNumber";
            got.push_back(table + "=" +
                          std::to_string(h.database.count("SELECT 1 FROM " + table + where + key +
                                                          "=" + c.number)));
        }
        EXPECT_EQ(got, c.expected) << c.type << " in " << c.config << "/" << c.partition;
        EXPECT_TRUE(h.boxes->shown().empty());
    }
    Harness h;
    data::DataBase db(h.platform());
    business_rules::NodeDuplicator(db, *h.boxes).DuplicateNode({2, 3}, "0", "1250", "818");
    EXPECT_EQ(h.database.rows(
                  "SELECT m.VDAFilename, g.NodeTypeID FROM Node_MSG m JOIN Node_General_Pool g "
                  "USING (ConfigID, PartID, NodeNumber) WHERE ConfigID=2 AND PartID=3 AND "
                  "NodeNumber=1250"),
              (std::vector<std::vector<std::string>>{{"P03M1250.wav", "0"}}));
}

}  // namespace
}  // namespace xfer::test
