// Saving through OK, Apply, Cancel and the close box: the input checks, the reference check
// with auto-create, node duplication and what each fault leaves behind.

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <regex>

#include "business_rules/node_duplicator.h"
#include "component/harness.h"
#include "data/database.h"
#include "runtime/utf8.h"

namespace xfer::test {
namespace {

using editor::GUI;
using editor::UserActions;
using platform::answer::kNo;
namespace confirm = platform::confirm;
using Rows = std::vector<std::vector<std::string>>;
using V = std::vector<std::string>;

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
V Touched(Harness& h, const std::string& except = "1 = 0") {
    V touched;
    for (const auto& r : h.database.rows(
             "SELECT NodeTypeID, NodeNumber FROM Node_General_Pool WHERE DateModified <> '" +
             std::string(PartitionBuilder::kBuiltDate) + "' AND NOT (" + except +
             ") ORDER BY NodeTypeID, NodeNumber")) {
        touched.push_back(r[0] + "/" + r[1]);
    }
    return touched;
}
// The question the reference check asks about a missing node.
std::string Prompt(const std::string& node) {
    return node + " is referenced but it does not exist.\r\nDo you want to auto create node '" +
           node + "'?";
}
platform::MessageBoxRequest Information(const std::string& text) {
    return {text, platform::mb::kOKOnly, platform::mb::kInformation, "Information"};
}

TEST(SavingTest, OkSavesTheEditsAndCreatesTheMissingNodesTheUserAgreesTo) {
    StandardHarness h(/*templates=*/true);
    h.answerConfirmations(
        {confirm::kCreate, confirm::kSkip, confirm::kCreate, confirm::kCreateAll});
    h.open(1, 1, 5, [&](GUI& f, UserActions& user) {
        ASSERT_TRUE(user.type(f.txtDescription, "Support desk", true));
        ASSERT_TRUE(user.type(f.txtDial, "3005,1", true));
        ASSERT_TRUE(user.choose(f.cmbXStyle, std::string("STYLE 7")));
        ASSERT_TRUE(user.click(f.cmdOK));
        EXPECT_FALSE(f.isLoaded());
    });
    EXPECT_EQ(h.prompts(),
              (V{Prompt("STYLE 7"), Prompt("MSG 12"), Prompt("CMD 7"), Prompt("MSG 20")}));
    EXPECT_TRUE(h.boxes->shown().empty());

    // The node itself: both rows, the targets as they were.
    EXPECT_EQ(h.database.rows(
                  "SELECT Dial, StyleNodeNumber, NodeDescription, HoldNodeType, HoldNodeNumber, "
                  "Busy2NodeType, Busy2NodeNumber, NodeType, NodeTypeID FROM Node_XFER "
                  "WHERE ConfigID=1 AND PartID=1 AND NodeNumber=5"),
              (Rows{{"3005,1", "7", "Support desk", "MSG", "12", "PMSG", "20", "XFER", "4"}}));
    const Rows general = h.database.rows(
        "SELECT DateModified, NodeDescription FROM Node_General_Pool WHERE ConfigID=1 AND "
        "PartID=1 AND NodeTypeID=4 AND NodeNumber=5");
    EXPECT_TRUE(std::regex_match(general[0][0], std::regex(R"(\d{4}-\d\d-\d\d \d\d:\d\d:\d\d)")))
        << general[0][0];
    EXPECT_EQ(general[0][1], "Support desk");

    // Created from the templates (DuplicationTest has what each copy holds); MSG 12 skipped.
    EXPECT_EQ(Touched(h), (V{"0/20", "1/7", "4/5", "4/9", "5/7"}));
}

TEST(SavingTest, StopOrClosingTheDialogEndsTheCheckButTheNodeIsStillSaved) {
    const struct {
        std::vector<long> answers;
        std::size_t prompts;
        V created;  // general rows added, "type/number"
    } cases[] = {
        {{confirm::kStop}, 1, {}},
        {{confirm::kClosed}, 1, {}},
        {{confirm::kCreate, confirm::kStop}, 2, {"5/6"}},
        {{confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip, confirm::kSkip}, 5, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.prompts);
        StandardHarness h(/*templates=*/true);
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
// every way out of the save, as the form shows it at each status text and each prompt. A
// fault reports itself and leaves the node row written and nothing pending, as a save does.
TEST(SavingTest, TheFormIsBusyWhileSavingAndUsableAgainOnEveryExit) {
    using platform::Pointer;
    struct Moment {
        std::string at;
        Pointer pointer;
        bool frameEnabled, statusBarVisible;
        bool operator==(const Moment&) const = default;
    };
    // Applies a one-key edit to `node`, recording the form at each status text and prompt.
    const auto apply = [](Harness& h, std::int16_t node) {
        std::vector<Moment> moments;
        std::function<void(std::string)> now;
        h.factory->registerComponent(platform::kConfirmationProgId, [&] {
            return std::make_shared<WatchedConfirmation>(
                [&](const std::string& node) { now("prompt " + node); });
        });
        h.open(1, 1, node, [&](GUI& f, UserActions& user) {
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
            now("after");
            EXPECT_FALSE(f.cmdApply.Enabled());
        });
        return moments;
    };
    const Moment checking{"Checking for non-existing nodes. Please wait...", Pointer::Hourglass,
                          false, true};
    const Moment saving{"Saving node information. Please wait...", Pointer::Hourglass, false, true};
    const Moment after{"after", Pointer::Default, true, false};

    StandardHarness saved(/*templates=*/true);  // XFER 30 misses MSG 12
    // The user answers with the normal pointer; the work after it is busy again.
    EXPECT_EQ(apply(saved, 30),
              (std::vector<Moment>{checking,
                                   {"prompt MSG 12", Pointer::Default, false, true},
                                   {"MSG 12 is created.", Pointer::Hourglass, false, true},
                                   saving,
                                   {"", Pointer::Default, false, true},
                                   after}));
    EXPECT_TRUE(saved.boxTexts().empty());
    EXPECT_EQ(Xfer(saved, 30, "NodeDescription"), "Last line!");

    StandardHarness failed;  // XFER 1 misses nothing: no prompt before the update
    failed.database.exec("ALTER TABLE Node_General_Pool RENAME COLUMN DateModified TO Modified");
    EXPECT_EQ(apply(failed, 1), (std::vector<Moment>{checking, saving, after}));
    ASSERT_EQ(failed.boxTexts().size(), 1u);
    EXPECT_TRUE(failed.boxTexts()[0].starts_with("Source: " + ProviderSource() +
                                                 " - SaveChanges \r\nDescription: "))
        << failed.boxTexts()[0];
    EXPECT_EQ(Xfer(failed, 1, "NodeDescription"), "Reception!");
}

// What is typed is checked before saving, from OK and from Apply: the dial, which its filter
// keeps to upper-case dial characters at each key (at most 31), and the label. A refusal says
// why, keeps the form open with the edit pending and writes nothing; the refused text is
// selected for retyping. The rules themselves are in business_rules/input_rules_test.cpp and
// platform/platform_test.cpp.
TEST(SavingTest, TypedTextIsCheckedBeforeSaving) {
    const struct {
        std::string dial, label;  // typed over the boxes' texts
        std::string shown;        // in the dial box
        bool apply;               // saved with Apply, else OK
        std::optional<platform::MessageBoxRequest> refusal;
    } cases[] = {
        {"auto", "x", "AUTO", false, {}},
        {"12-34", "x", "1234", true, {}},
        {"", "x", "", false, {}},
        {"AUTOA", "x", "AUTOA", false, Information("AUTOA is Invalid Data")},
        {"2001", "It''s", "2001", true,
         Information(
             "Double quotes and continuous single quotes are not allowed in the Label field")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dial + " " + c.label);
        StandardHarness h;
        h.boxes->Answer(platform::answer::kOK);
        h.boxes->Answer(kNo);  // the close box's prompt after a refusal
        h.open(1, 1, 1, [&](GUI& f, UserActions& user) {
            user.type(f.txtDescription, c.label, true);
            user.type(f.txtDial, c.dial.empty() ? "\b" : c.dial, true);
            EXPECT_EQ(f.txtDial.Text(), c.shown);
            user.click(c.apply ? f.cmdApply : f.cmdOK);
            EXPECT_EQ(f.isLoaded(), c.apply || c.refusal);
            EXPECT_EQ(f.cmdApply.Enabled(), c.refusal.has_value());
            if (c.refusal) {
                auto& box = c.label == "x" ? f.txtDial : f.txtDescription;
                EXPECT_EQ(f.focusedControl(), &box);
                EXPECT_EQ(box.SelLength(), runtime::utf8::Length(box.Text()));
            }
        });
        const auto& boxes = h.boxes->shown();
        EXPECT_EQ(boxes.empty() ? std::nullopt : std::optional(boxes[0]), c.refusal);
        EXPECT_EQ(Xfer(h, 1, "Dial") + "/" + Xfer(h, 1, "NodeDescription"),
                  c.refusal ? "2001/Reception" : c.shown + "/" + c.label);
        EXPECT_TRUE(h.prompts().empty());  // XFER 1 misses nothing
    }
}

TEST(SavingTest, AFailedCopyKeepsWhatWasWrittenAndTheCheckGoesOn) {
    StandardHarness h(/*templates=*/true);
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

// Copies made straight from DuplicateNode, each in a partition of its own whose STYLE template
// supervises as the case says. DTMF 1's own detail row is no part of a copy.
TEST(DuplicationTest, EachTypeIsCopiedFromItsTemplateWithWhatItsCommandsReplace) {
    const struct {
        int superviseId;  // of the STYLE template
        std::string type, number;
        V expected;  // "table=count" of rows with the new number
    } cases[] = {
        {0, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {1, "5", "6", {"Node_STYLE=1", "STYLE_Partial=1", "STYLE_Full=0", "STYLE_Enhanced=0"}},
        {2, "5", "6", {"Node_STYLE=1", "STYLE_Partial=0", "STYLE_Full=1", "STYLE_DialCont=0"}},
        {3, "5", "2", {"Node_STYLE=1", "STYLE_DialCont=1", "STYLE_Enhanced=0"}},
        {7, "5", "6", {"Node_STYLE=1", "STYLE_DialCont=0", "STYLE_Enhanced=1"}},
        {1, "817", "20", {"Node_MSG=1", "Node_General_Pool=1"}},
        {1, "818", "1250", {"Node_MSG=1", "Node_General_Pool=1"}},
        {1, "6", "9", {"Node_DTMF=1", "Detail_DTMF_Prompts=1", "Detail_DTMF_Action=2"}},
        {1, "8", "2", {"Node_LIST=1", "Detail_LIST=1", "Node_General_Pool=1"}},
        {1, "13", "3", {"Node_TABLE=1", "Detail_TABLE_Action=1", "Node_General_Pool=1"}},
        {1, "10", "77", {"Node_General_Pool=0"}},  // no copy for FAX
    };
    Harness h;
    PartitionBuilder(h.database, 1, 1)
        .typeNames(kStandardTypeNames)
        .typeNames({{10, "FAX"}, {817, "PMSG"}, {818, "SMSG"}});
    data::DataBase db(h.platform());
    std::int16_t partition = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type + " from a STYLE template supervising " +
                     std::to_string(c.superviseId));
        PartitionBuilder(h.database, 1, ++partition)
            .templates(c.superviseId)
            .detail("Detail_DTMF_Action", 0, 2, "XFER", 1)
            .detail("Detail_DTMF_Action", 1, 1, "MSG", 4);
        business_rules::NodeDuplicator(db, *h.boxes)
            .DuplicateNode({1, partition}, "0", c.number, c.type);
        V got;
        for (const auto& e : c.expected) {
            const std::string table = e.substr(0, e.find('='));
            const std::string key = table.starts_with("STYLE_")    ? "StyleID"
                                    : table.starts_with("Detail_") ? "NodeMasterID"
                                                                   : "NodeNumber";
            got.push_back(table + "=" +
                          std::to_string(h.database.count(
                              "SELECT 1 FROM " + table + " WHERE ConfigID=1 AND PartID=" +
                              std::to_string(partition) + " AND " + key + "=" + c.number)));
        }
        EXPECT_EQ(got, c.expected);
    }
    EXPECT_TRUE(h.boxes->shown().empty());
    // The aliases are made as MSG nodes, with the message file of their partition and number.
    EXPECT_EQ(h.database.rows("SELECT m.PartID, m.VDAFilename, g.NodeTypeID FROM Node_MSG m JOIN "
                              "Node_General_Pool g ON g.ConfigID = m.ConfigID AND g.PartID = "
                              "m.PartID AND g.NodeNumber = m.NodeNumber WHERE m.NodeNumber > 0 "
                              "ORDER BY m.PartID"),
              (Rows{{"6", "P06M020.wav", "0"}, {"7", "P07M1250.wav", "0"}}));
}

}  // namespace
}  // namespace xfer::test
