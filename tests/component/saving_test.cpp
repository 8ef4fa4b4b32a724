// Saving through OK, Apply, Cancel and the close box: the input checks, the reference check
// with auto-create, node duplication and what each fault leaves behind.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <regex>

#include "business_rules/business_rules.h"
#include "business_rules/node_duplicator.h"
#include "component/harness.h"
#include "data/database.h"
#include "support/partition_builder.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;
using platform::answer::kCancel;
using platform::answer::kNo;
using platform::answer::kYes;
namespace confirm = platform::confirm;
using Rows = std::vector<std::vector<std::string>>;

// The partition the saves here happen in: templates to copy (the STYLE template with partial
// supervision, the CMD template with two detail rows), XFER 1 whose references all exist and
// XFER 5 whose references do not: STYLE 6, MSG 12 (twice), CMD 7, PMSG 20 (an MSG) and XFER 9.
PartitionBuilder Partition(Harness& h) {
    PartitionBuilder p(h.database, 1, 1);
    p.typeNames(kStandardTypeNames)
        .typeNames({{10, "FAX"}, {14, "SPARE"}, {817, "PMSG"}, {818, "SMSG"}})
        .limits({{"MSG", 99}, {"CMD", 50}, {"XFER", 30}, {"STYLE", 8}, {"MOH", 5}, {"LIST", 0}})
        .templates(/*styleSuperviseId=*/1)
        .detail("Detail_CMD", 0, 2, "BEEP", 1)
        .detail("Detail_CMD", 1, 1, "MSG", 4)  // CMD 1's own: copying the template leaves it
        .style(2, "Partial supervision")
        .node("MSG", 3, "All lines are busy")
        .node("MSG", 4, "Nobody answered")
        .node("MOH", 1, "Strings")
        .node("CMD", 1, "Disconnect caller")
        .xfer({.number = 1,
               .style = 2,
               .dial = "2001",
               .label = "Reception",
               .targets =
                   {{{"NOOP", 1}, {"MOH", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 4}, {"BEEP", 1}}}})
        .xfer({.number = 5,
               .style = 6,
               .dial = "3005",
               .label = "Support line",
               .targets = {
                   {{"MSG", 12}, {"MOH", 1}, {"CMD", 7}, {"PMSG", 20}, {"MSG", 12}, {"XFER", 9}}}});
    return p;
}

std::string Xfer(Harness& h, int node, const std::string& column) {
    return h.database.scalar(
        "SELECT " + column +
        " FROM Node_XFER WHERE ConfigID=1 AND PartID=1 AND NodeNumber=" + std::to_string(node));
}
long long Exists(Harness& h, const std::string& table, const std::string& where) {
    return h.database.count("SELECT 1 FROM " + table + " WHERE ConfigID=1 AND PartID=1 AND " +
                            where);
}
// The general rows a save wrote or added, as "type/number", leaving out `except`'s.
std::vector<std::string> Touched(Harness& h, const std::string& except = "1 = 0") {
    std::vector<std::string> touched;
    for (const auto& r : h.database.rows(
             "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE DateModified <> '" +
             std::string(PartitionBuilder::kBuiltDate) + "' AND NOT (" + except +
             ") ORDER BY NodeTypeID, NodeNumber")) {
        touched.push_back(r[0] + "/" + r[1]);
    }
    return touched;
}
// Records the first status panel's text at each change.
void RecordStatus(GUI& f, std::vector<std::string>& status) {
    f.StatusBar1.setObserver([&](editor::Control&, editor::Prop p) {
        if (p == editor::Prop::Panels)
            status.push_back(f.StatusBar1.Panels(1).Text);
    });
}

TEST(SavingTest, OkSavesTheEditsAndCreatesTheMissingNodesTheUserAgreesTo) {
    Harness h;
    Partition(h);
    std::vector<std::string> status;
    h.answerConfirmations(
        {confirm::kCreate, confirm::kSkip, confirm::kCreate, confirm::kCreateAll});
    h.open(1, 1, 5, [&](GUI& f, UserActions& user) {
        RecordStatus(f, status);
        ASSERT_TRUE(user.type(f.txtDescription, "Support desk", true));
        ASSERT_TRUE(user.type(f.txtDial, "3005,1", true));
        ASSERT_TRUE(user.choose(f.cmbXStyle, std::string("STYLE 7")));
        ASSERT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.isLoaded());
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
              (Rows{{"3005,1", "7", "Support desk", "MSG", "12", "PMSG", "20", "XFER", "4"}}));
    const std::string modified = h.database.scalar(
        "SELECT DateModified FROM Node_General_Pool WHERE ConfigID=1 AND PartID=1 AND NodeTypeID=4 "
        "AND NodeNumber=5");
    EXPECT_TRUE(std::regex_match(modified, std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << modified;
    EXPECT_EQ(h.database.scalar(
                  "SELECT NodeDescription FROM Node_General_Pool WHERE ConfigID=1 AND PartID=1 "
                  "AND NodeTypeID=4 AND NodeNumber=5"),
              "Support desk");

    // Created from the templates: STYLE 7 with the detail row its template's supervision
    // selects, CMD 7 with the template's detail rows, PMSG 20 as MSG 20, XFER 9. MSG 12 skipped.
    EXPECT_EQ(Exists(h, "Node_STYLE", "NodeNumber=7"), 1);
    EXPECT_EQ(Exists(h, "STYLE_Partial", "StyleID=7"), 1);
    EXPECT_EQ(
        h.database.rows("SELECT SequenceNo, NodeTypeID, NodeNumber, NodeType FROM Detail_CMD WHERE "
                        "ConfigID=1 AND PartID=1 AND NodeMasterID=7 ORDER BY SequenceNo"),
        (Rows{{"1", "0", "1", "MSG"}, {"2", "815", "1", "BEEP"}}));
    EXPECT_EQ(
        h.database.scalar(
            "SELECT VDAFilename FROM Node_MSG WHERE ConfigID=1 AND PartID=1 AND NodeNumber=20"),
        "P01M020.wav");
    EXPECT_EQ(Exists(h, "Node_XFER", "NodeNumber=9"), 1);
    EXPECT_EQ(Exists(h, "Node_MSG", "NodeNumber=12"), 0);
    EXPECT_EQ(Touched(h), (std::vector<std::string>{"0/20", "1/7", "4/5", "4/9", "5/7"}));
    EXPECT_EQ(h.mouse->current(), platform::Pointer::Default);
}

TEST(SavingTest, StopOrClosingTheDialogEndsTheCheckButTheNodeIsStillSaved) {
    const struct {
        std::vector<long> answers;
        std::size_t prompts;
        std::vector<std::string> created;  // general rows added, "type/number"
    } cases[] = {
        {{confirm::kStop}, 1, {}},
        {{confirm::kClosed}, 1, {}},
        {{confirm::kCreate, confirm::kStop}, 2, {"5/6"}},
        {{confirm::kCreateAll}, 1, {"0/12", "0/20", "1/7", "4/9", "5/6"}},
        {{confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip}, 5, {}},
    };
    for (const auto& c : cases) {
        Harness h;
        Partition(h);
        for (long a : c.answers)
            h.answerConfirmations({a});
        h.open(1, 1, 5, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "Saved anyway", true);
            user.click(f.cmdOK);
        });
        EXPECT_EQ(h.prompts().size(), c.prompts);
        EXPECT_EQ(Touched(h, "NodeTypeID = 4 AND NodeNumber = 5"), c.created);
        EXPECT_EQ(Xfer(h, 5, "NodeDescription"), "Saved anyway");
    }
}

TEST(SavingTest, EachReferencedNodeIsOfferedOnceByItsWholeName) {
    const struct {
        const char* name;
        std::array<ExceptionTarget, 6> targets;
        std::vector<std::string> offered;
    } cases[] = {
        // A name that begins another listed name is a node of its own.
        {"MSG 1 after MSG 12",
         {{{"MSG", 12}, {"NOOP", 1}, {"MSG", 1}, {"MSG", 3}, {"MSG", 3}, {"BEEP", 1}}},
         {"MSG 12", "MSG 1"}},
        {"letter case",
         {{{"MSG", 12}, {"NOOP", 1}, {"msg", 12}, {"MSG", 3}, {"Msg", 12}, {"BEEP", 1}}},
         {"MSG 12"}},
        {"a message type listed as MSG",
         {{{"PMSG", 12}, {"NOOP", 1}, {"MSG", 12}, {"MSG", 3}, {"SMSG", 12}, {"BEEP", 1}}},
         {"MSG 12"}},
    };
    for (const auto& c : cases) {
        Harness h;
        Partition(h).xfer({.number = 7, .style = 2, .targets = c.targets});
        h.answerConfirmations({confirm::kSkip, confirm::kSkip, confirm::kSkip});
        h.open(1, 1, 7, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "!");
            user.click(f.cmdOK);
        });
        std::vector<std::string> offered;
        for (const auto& prompt : h.prompts())
            offered.push_back(prompt.substr(0, prompt.find(" is referenced")));
        EXPECT_EQ(offered, c.offered) << c.name;
    }
}

TEST(SavingTest, CommandsAndTypesWithoutACopyAreNeverCreated) {
    Harness h;
    // LIST 2 (limit 0) and TABLE 3 (no limit row) are offered and made; FAX 2 and SPARE 1 are
    // offered but nothing can make them; SMSG 4 is MSG 4, which exists; BEEP is never offered.
    Partition(h).xfer(
        {.number = 15,
         .style = 7,
         .targets = {
             {{"LIST", 2}, {"TABLE", 3}, {"FAX", 2}, {"SPARE", 1}, {"SMSG", 4}, {"beep", 1}}}});
    h.answerConfirmations({confirm::kCreateAll});
    h.open(1, 1, 15, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "x");
        user.click(f.cmdOK);
    });
    EXPECT_EQ(h.prompts().size(), 1u);
    EXPECT_TRUE(h.prompts()[0].starts_with("STYLE 7 is referenced"));
    EXPECT_EQ(Exists(h, "Node_LIST", "NodeNumber=2"), 1);
    EXPECT_EQ(Exists(h, "Node_TABLE", "NodeNumber=3"), 1);
    EXPECT_EQ(Exists(h, "Node_General_Pool", "NodeTypeID IN (10, 14)"), 0);
}

TEST(SavingTest, NothingMissingMeansNoPrompt) {
    Harness h;
    Partition(h);
    std::vector<std::string> status;
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        RecordStatus(f, status);
        user.type(f.txtDescription, "!");
        user.click(f.cmdApply);
        EXPECT_TRUE(f.isLoaded());
        EXPECT_FALSE(f.cmdApply.Enabled());
    });
    EXPECT_TRUE(h.prompts().empty());
    EXPECT_EQ(status, (std::vector<std::string>{"Checking for non-existing nodes. Please wait...",
                                                "Saving node information. Please wait...", ""}));
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "Reception!");
}

// A confirmation dialog that answers "create" and lets the test look at the form meanwhile.
class WatchedConfirmation final : public platform::ConfirmationDialog {
  public:
    explicit WatchedConfirmation(std::function<void(const std::string&)> watch)
        : watch_(std::move(watch)) {}
    long show(short, const std::string& prompt, long, long, const std::string&) override {
        watch_(prompt.substr(0, prompt.find(" is referenced")));
        return confirm::kCreate;
    }

  private:
    std::function<void(const std::string&)> watch_;
};

// The busy state while saving (hourglass, Frame1 disabled, status bar shown) and its end on
// every way out of the save, as the form shows it at each status text and each prompt.
TEST(SavingTest, TheFormIsBusyWhileSavingAndUsableAgainOnEveryExit) {
    using platform::Pointer;
    struct Moment {
        std::string at;
        Pointer pointer;
        bool frameEnabled, statusBarVisible;
        bool operator==(const Moment&) const = default;
    };
    const std::string checking = "Checking for non-existing nodes. Please wait...";
    const std::string saving = "Saving node information. Please wait...";
    const struct {
        const char* name;
        std::int16_t node;  // 7 misses MSG 12; 1 misses nothing
        std::function<void(Harness&)> fault;
        std::vector<Moment> moments;
        std::string box;  // the beginning of the one box shown, if any
    } cases[] = {
        {"saved",
         7,
         [](Harness&) {},
         {{checking, Pointer::Hourglass, false, true},
          // The user answers with the normal pointer; the work after it is busy again.
          {"prompt MSG 12", Pointer::Default, false, true},
          {"MSG 12 is created.", Pointer::Hourglass, false, true},
          {saving, Pointer::Hourglass, false, true},
          {"", Pointer::Default, false, true}},
         ""},
        {"the reference check fails",
         7,
         [](Harness& h) { h.factory->unregisterComponent(platform::kConfirmationProgId); },
         {{checking, Pointer::Hourglass, false, true},
          {saving, Pointer::Default, false, true},
          {"", Pointer::Default, false, true}},
         "Source: QRV_XFER_Node - CheckForUnReferencedNodes \r\nDescription: ActiveX component "
         "can't create object"},
        {"an update fails",
         1,
         [](Harness& h) {
             h.database.exec(
                 "ALTER TABLE Node_General_Pool RENAME COLUMN DateModified TO Modified");
         },
         {{checking, Pointer::Hourglass, false, true}, {saving, Pointer::Hourglass, false, true}},
         "Source: " + ProviderSource() + " - SaveChanges \r\nDescription: "},
    };
    for (const auto& c : cases) {
        Harness h;
        Partition(h).xfer(
            {.number = 7,
             .style = 2,
             .targets = {
                 {{"MSG", 12}, {"NOOP", 1}, {"MSG", 3}, {"MSG", 3}, {"MSG", 3}, {"BEEP", 1}}}});
        std::vector<Moment> moments;
        std::function<void(std::string)> now;
        h.factory->registerComponent(platform::kConfirmationProgId, [&] {
            return std::make_shared<WatchedConfirmation>(
                [&](const std::string& node) { now("prompt " + node); });
        });
        c.fault(h);
        Moment after{};
        h.open(1, 1, c.node, [&](GUI& f, UserActions& user) {
            now = [&](std::string at) {
                moments.push_back({std::move(at), h.mouse->current(), f.Frame1.Enabled(),
                                   f.StatusBar1.Visible()});
            };
            f.StatusBar1.setObserver([&](editor::Control&, editor::Prop p) {
                if (p == editor::Prop::Panels)
                    now(f.StatusBar1.Panels(1).Text);
            });
            user.type(f.txtDescription, "!");
            user.click(f.cmdApply);
            after = {"after", h.mouse->current(), f.Frame1.Enabled(), f.StatusBar1.Visible()};
            h.boxes->Answer(kNo);
        });
        EXPECT_EQ(moments, c.moments) << c.name;
        EXPECT_EQ(after, (Moment{"after", Pointer::Default, true, false})) << c.name;
        const auto boxes = h.boxTexts();
        if (c.box.empty()) {
            EXPECT_TRUE(boxes.empty()) << c.name << ": " << boxes[0];
        } else {
            ASSERT_FALSE(boxes.empty()) << c.name;
            EXPECT_TRUE(boxes[0].starts_with(c.box)) << c.name << ": " << boxes[0];
        }
    }
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
        Partition(h);
        h.boxes->Answer(platform::answer::kOK);
        h.boxes->Answer(kNo);  // the close box's prompt after a refused dial
        std::string shown;
        h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "!");
            user.type(f.txtDial, c.typed, true);
            if (c.typed.empty())
                user.type(f.txtDial, "\b", true);
            shown = f.txtDial.Text();
            user.click(f.cmdOK);
            EXPECT_EQ(f.isLoaded(), !c.accepted) << c.typed;
            if (!c.accepted) {
                EXPECT_EQ(f.focusedControl(), &f.txtDial);
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
        combo.setRange(c.first, c.last);
        combo.Change = [&] { rules.Combo_Change(combo); };
        if (c.pasted)
            combo.setText(c.keys);
        for (char k : c.pasted ? std::string() : c.keys) {
            combo.setSelStart(static_cast<int>(combo.Text().size()));
            combo.typeKey(k);
        }
        EXPECT_EQ(combo.Text(), c.shown) << c.keys;
    }
    EXPECT_TRUE(h.boxes->shown().empty());
}

TEST(SavingTest, LabelsWithQuotesAreRefusedAndNothingIsWritten) {
    for (const std::string label : {"Say \"hi\"", "It''s"}) {
        for (bool apply : {false, true}) {
            Harness h;
            Partition(h);
            h.boxes->Answer(platform::answer::kOK);
            h.boxes->Answer(kNo);
            h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
                user.type(f.txtDescription, label, true);
                user.click(apply ? f.cmdApply : f.cmdOK);
                EXPECT_TRUE(f.isLoaded());
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
    const struct {
        bool closeBox;
        int answer;
        bool open;          // still open after the press
        std::string saved;  // the label in the database afterwards
    } cases[] = {
        {false, kYes, false, "Changed"},     {false, kNo, false, "Reception"},
        {false, kCancel, true, "Reception"}, {true, kYes, false, "Changed"},
        {true, kNo, false, "Reception"},     {true, kCancel, true, "Reception"},
    };
    for (const auto& c : cases) {
        Harness h;
        Partition(h);
        h.boxes->Answer(c.answer);
        h.boxes->Answer(kNo);  // the close box at the end of a session left open
        h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, "Changed", true);
            user.type(f.txtDial, "1-", true);  // a dial that OK would refuse does not stop Yes
            if (c.closeBox) {
                EXPECT_EQ(user.closeBox(), !c.open);
            } else {
                user.click(f.cmdCancel);
            }
            EXPECT_EQ(f.isLoaded(), c.open);
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
    // Loading replaces the dial it cannot take; that alone is no edit to save.
    Partition(h).xfer({.number = 13, .dial = "12-34"});
    h.open(1, 1, 13, [&](GUI& f, UserActions& user) {
        EXPECT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_TRUE(h.boxes->shown().empty());
    EXPECT_TRUE(h.prompts().empty());
    EXPECT_EQ(Xfer(h, 13, "Dial"), "12-34");
}

TEST(SavingTest, AFailedGeneralRowUpdateLeavesTheNodeRowWritten) {
    Harness h;
    Partition(h);
    h.database.exec("ALTER TABLE Node_General_Pool RENAME COLUMN DateModified TO Modified");
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "New", true);
        user.click(f.cmdApply);
        EXPECT_FALSE(f.cmdApply.Enabled());  // the caller goes on as after a save
    });
    ASSERT_EQ(h.boxTexts().size(), 1u);
    EXPECT_TRUE(h.boxTexts()[0].starts_with("Source: " + ProviderSource() +
                                            " - SaveChanges \r\nDescription: "));
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "New");
}

TEST(SavingTest, AFailedCopyKeepsWhatWasWrittenAndTheCheckGoesOn) {
    Harness h;
    Partition(h);
    h.database.exec("ALTER TABLE Detail_CMD RENAME COLUMN NodeMasterID TO MasterID");
    h.answerConfirmations({confirm::kCreateAll});
    h.open(1, 1, 5, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "x");
        user.click(f.cmdOK);
    });
    ASSERT_EQ(h.boxTexts().size(), 1u);
    EXPECT_TRUE(h.boxTexts()[0].starts_with("Source: " + ProviderSource() +
                                            " - DuplicateNode \r\nDescription: "));
    EXPECT_EQ(Exists(h, "Node_CMD", "NodeNumber=7"), 1);
    EXPECT_EQ(Exists(h, "Node_General_Pool", "NodeTypeID=1 AND NodeNumber=7"), 0);
    EXPECT_EQ(Exists(h, "Node_XFER", "NodeNumber=9"), 1);  // later nodes are still made
    EXPECT_EQ(Xfer(h, 5, "NodeDescription"), "Support linex");
}

TEST(SavingTest, AValidatorThatCannotBeCreatedSavesNothing) {
    Harness h;
    Partition(h);
    h.factory->unregisterComponent(platform::kValidatorProgId);
    h.boxes->Answer(platform::answer::kOK);
    h.boxes->Answer(kNo);
    h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
        user.type(f.txtDescription, "New", true);
        user.click(f.cmdOK);
        EXPECT_TRUE(f.isLoaded());
    });
    EXPECT_EQ(h.boxTexts()[0],
              "Source: QRV_XFER_Node - cmdOK_Click \r\nDescription: ActiveX component can't create "
              "object");
    EXPECT_EQ(Xfer(h, 1, "NodeDescription"), "Reception");
}

// Copies made straight from DuplicateNode, from templates whose STYLE supervises each way.
TEST(DuplicationTest, EachTypeIsCopiedFromItsTemplateWithWhatItsCommandsReplace) {
    const struct {
        int superviseId;  // of the STYLE template
        std::string type, number;
        std::vector<std::string> expected;  // "table=count" of rows with the new number
    } cases[] = {
        {0, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {1, "5", "6", {"Node_STYLE=1", "STYLE_Partial=1", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {2, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=1", "STYLE_DialCont=0"}},
        {3, "5", "2", {"Node_STYLE=1", "STYLE_DialCont=1", "STYLE_Enhanced=0"}},
        {7, "5", "6", {"Node_STYLE=1", "STYLE_DialCont=0", "STYLE_Enhanced=1"}},
        {1, "817", "1250", {"Node_MSG=1", "Node_General_Pool=1"}},
        {1, "6", "9", {"Node_DTMF=1", "Detail_DTMF_Prompts=1", "Detail_DTMF_Action=2"}},
        {1, "10", "77", {"Node_General_Pool=0"}},                 // no copy for FAX
        {1, "05", "9", {"Node_STYLE=0", "Node_General_Pool=0"}},  // compared as text
    };
    for (const auto& c : cases) {
        Harness h;
        PartitionBuilder(h.database, 1, 3)
            .typeNames(kStandardTypeNames)
            .typeNames({{10, "FAX"}, {817, "PMSG"}})
            .templates(c.superviseId)
            .detail("Detail_DTMF_Action", 0, 2, "XFER", 1);
        data::DataBase db(h.platform());
        business_rules::NodeDuplicator(db, *h.boxes).DuplicateNode({1, 3}, "0", c.number, c.type);
        std::vector<std::string> got;
        for (const auto& e : c.expected) {
            const std::string table = e.substr(0, e.find('='));
            const std::string key = table.starts_with("STYLE_")    ? "StyleID"
                                    : table.starts_with("Detail_") ? "NodeMasterID"
                                                                   : "NodeNumber";
            got.push_back(table + "=" +
                          std::to_string(h.database.count("SELECT 1 FROM " + table +
                                                          " WHERE ConfigID=1 AND PartID=3 AND " +
                                                          key + "=" + c.number)));
        }
        EXPECT_EQ(got, c.expected)
            << c.type << " from a STYLE template supervising " << c.superviseId;
        EXPECT_TRUE(h.boxes->shown().empty());
    }
    // 818 is made as an MSG node, with the message file of its partition and number.
    Harness h;
    PartitionBuilder(h.database, 1, 3).typeNames(kStandardTypeNames).templates();
    data::DataBase db(h.platform());
    business_rules::NodeDuplicator(db, *h.boxes).DuplicateNode({1, 3}, "0", "1250", "818");
    EXPECT_EQ(h.database.rows(
                  "SELECT m.VDAFilename, g.NodeTypeID FROM Node_MSG m JOIN Node_General_Pool g "
                  "ON g.ConfigID = m.ConfigID AND g.PartID = m.PartID AND g.NodeNumber = "
                  "m.NodeNumber WHERE m.ConfigID=1 AND m.PartID=3 AND m.NodeNumber=1250"),
              (Rows{{"P03M1250.wav", "0"}}));
}

}  // namespace
}  // namespace xfer::test
