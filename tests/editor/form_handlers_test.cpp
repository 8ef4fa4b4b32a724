// The form's event handlers with a rules object of the test's own: what each handler asks of
// its rules, and what it does with the answers, without a database.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editor/controls/user_actions.h"
#include "editor/gui.h"
#include "platform/platform.h"
#include "runtime/error.h"
#include "support/platform_doubles.h"

namespace xfer::editor {
namespace {

using platform::answer::kCancel;
using platform::answer::kNo;
using platform::answer::kYes;

// Records every call, with whether cmdApply was enabled at the time. Loading a node writes its
// label into the form, as the real loader does.
class FakeRules final : public FormRules {
  public:
    struct Script {
        std::vector<std::string> calls;
        bool dialValid = true;
        GUI* form = nullptr;
    };
    explicit FakeRules(Script& script) : script_(script) { script_.calls.push_back("created"); }
    ~FakeRules() override { script_.calls.push_back("released"); }

    bool LoadData(std::int16_t Node_Number) override {
        log("LoadData " + std::to_string(Node_Number));
        script_.form->txtDescription.setText("XFER " + std::to_string(Node_Number));
        return true;
    }
    void Get_XStyle_Description(std::int16_t StyleNodeNumber) override {
        log("Get_XStyle_Description " + std::to_string(StyleNodeNumber));
    }
    void Validate_Input_Dial() override { log("Validate_Input_Dial"); }
    bool Validate_Dial_TextBox() override {
        log("Validate_Dial_TextBox");
        return script_.dialValid;
    }
    void Combo_Change(ComboBox& Combo) override { log("Combo_Change " + Combo.Name()); }
    void SaveChanges(std::int16_t NodeNumber) override {
        log("SaveChanges " + std::to_string(NodeNumber));
    }

  private:
    void log(const std::string& call) {
        const bool pending = script_.form != nullptr && script_.form->cmdApply.Enabled();
        script_.calls.push_back(call + (pending ? " (pending)" : ""));
    }
    Script& script_;
};

platform::PlatformParts Parts(test::RecordingMessageBoxes*& boxes) {
    platform::PlatformParts parts;
    auto recording = std::make_unique<test::RecordingMessageBoxes>();
    boxes = recording.get();
    parts.messageBoxes = std::move(recording);
    return parts;
}

// The form loaded and shown on XFER 1 of a partition with XFER 1 and XFER 2, as the loaders
// leave it; the calls of its loading are not recorded.
class FormHandlers : public ::testing::Test {
  protected:
    FormHandlers()
        : services(Parts(boxes)),
          form(services.view(), [this] { return std::make_unique<FakeRules>(rules); }),
          user(form) {
        form.Load();
        form.setNodeNumber(1);
        for (long n : {1, 2}) {
            form.cmbNode.AddItem("XFER " + std::to_string(n));
            form.cmbNode.setItemData(form.cmbNode.NewIndex(), n);
        }
        form.cmbNode.setListIndex(0);
        for (const char* style : {"STYLE 1", "STYLE 2"})
            form.cmbXStyle.AddItem(style);
        form.cmbXStyle.setListIndex(0);
        form.txtDescription.setText("Reception");
        form.cmdApply.setEnabled(false);
        form.setShown(true);
        rules.calls.clear();
        rules.form = &form;
    }

    test::RecordingMessageBoxes* boxes = nullptr;
    FakeRules::Script rules;
    platform::PlatformServices services;
    GUI form;
    UserActions user;
};

TEST_F(FormHandlers, CommitButtonsSaveOnlyWhatIsPendingAndValid) {
    const std::string check = "Validate_Dial_TextBox (pending)";
    const std::string save = "SaveChanges 1 (pending)";
    const struct {
        const char* name;
        bool edit, dialValid;
        CommandButton GUI::*button;
        int answer;  // to the pending-change prompt, if one comes
        std::vector<std::string> calls;
        bool loaded, pending;  // afterwards
    } cases[] = {
        {"OK, nothing pending", false, true, &GUI::cmdOK, 0, {"released"}, false, false},
        {"OK", true, true, &GUI::cmdOK, 0, {check, save, "released"}, false, false},
        {"OK, dial refused", true, false, &GUI::cmdOK, 0, {check}, true, true},
        {"Apply", true, true, &GUI::cmdApply, 0, {check, save}, true, false},
        {"Cancel, answered No", true, true, &GUI::cmdCancel, kNo, {"released"}, false, false},
        {"Cancel, answered Yes",
         true,
         true,
         &GUI::cmdCancel,
         kYes,
         {save, "released"},
         false,
         false},
        {"Cancel, answered Cancel", true, true, &GUI::cmdCancel, kCancel, {}, true, true},
    };
    for (const auto& c : cases) {
        form.Load();
        form.setShown(true);
        form.cmdApply.setEnabled(false);
        rules.calls.clear();
        rules.dialValid = c.dialValid;
        boxes->Clear();
        if (c.answer != 0)
            boxes->Answer(c.answer);
        if (c.edit) {
            ASSERT_TRUE(user.type(form.txtDescription, "!"));
        }
        ASSERT_TRUE(user.click(form.*c.button)) << c.name;
        EXPECT_EQ(rules.calls, c.calls) << c.name;
        EXPECT_EQ(form.isLoaded(), c.loaded) << c.name;
        EXPECT_EQ(form.cmdApply.Enabled(), c.pending) << c.name;
        EXPECT_EQ(boxes->shown().size(), c.answer != 0 ? 1u : 0u) << c.name;
    }
}

TEST_F(FormHandlers, NavigationSettlesPendingEditsOrPutsTheSelectorBack) {
    const struct {
        int answer;
        std::vector<std::string> calls;
        std::int16_t at;
        std::string label;
        bool pending;
    } cases[] = {
        // Cancel stays on the node with its edits, and the selector shows it again.
        {kCancel, {}, 1, "Reception!", true},
        // The node loaded is not an edit, even though loading rewrote the label.
        {kNo, {"LoadData 2 (pending)"}, 2, "XFER 2", false},
        {kYes, {"SaveChanges 1 (pending)", "LoadData 2"}, 2, "XFER 2", false},
    };
    for (const auto& c : cases) {
        form.setNodeNumber(1);
        form.cmbNode.setListIndex(0);
        form.cmdApply.setEnabled(false);
        rules.calls.clear();
        ASSERT_TRUE(user.type(form.txtDescription, "!"));
        boxes->Answer(c.answer);
        ASSERT_TRUE(user.choose(form.cmbNode, std::string("XFER 2")));
        EXPECT_EQ(rules.calls, c.calls) << c.answer;
        EXPECT_EQ(form.nodeNumber(), c.at) << c.answer;
        EXPECT_EQ(form.cmbNode.Text(), "XFER " + std::to_string(c.at)) << c.answer;
        EXPECT_EQ(form.txtDescription.Text(), c.label) << c.answer;
        EXPECT_EQ(form.cmdApply.Enabled(), c.pending) << c.answer;
    }
}

TEST_F(FormHandlers, EditsAskTheirRulesFirstThenMarkTheNodeChanged) {
    const struct {
        const char* name;
        std::function<bool(GUI&, UserActions&)> act;
        std::vector<std::string> calls;
    } cases[] = {
        {"a dial key",
         [](GUI& f, UserActions& u) { return u.type(f.txtDial, "5"); },
         {"Validate_Input_Dial"}},
        {"a style",
         [](GUI& f, UserActions& u) { return u.choose(f.cmbXStyle, 1L); },
         {"Get_XStyle_Description 2"}},
        {"a label key", [](GUI& f, UserActions& u) { return u.type(f.txtDescription, "x"); }, {}},
    };
    for (const auto& c : cases) {
        form.cmdApply.setEnabled(false);
        rules.calls.clear();
        ASSERT_TRUE(c.act(form, user)) << c.name;
        EXPECT_EQ(rules.calls, c.calls) << c.name;
        EXPECT_TRUE(form.cmdApply.Enabled()) << c.name;
    }
}

TEST_F(FormHandlers, TheRulesObjectLivesFromLoadToUnload) {
    EXPECT_NO_THROW(form.rules());
    boxes->Answer(kCancel);
    ASSERT_TRUE(user.type(form.txtDescription, "!"));
    EXPECT_FALSE(user.closeBox());  // cancelled: the form and its rules stay
    EXPECT_EQ(rules.calls, std::vector<std::string>{});
    boxes->Answer(kNo);
    EXPECT_TRUE(user.closeBox());
    EXPECT_EQ(rules.calls, std::vector<std::string>{"released"});
    try {
        form.rules();
        ADD_FAILURE() << "no rules object after unloading";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.number(), runtime::err::kObjectNotSet);
    }
    form.Load();
    EXPECT_EQ(rules.calls, (std::vector<std::string>{"released", "created"}));
}

TEST_F(FormHandlers, TheListsWindowProcedureIsTheFormsOnlyWhileItIsLoaded) {
    form.Unload();
    // A procedure of someone else's, installed before the form loads.
    std::vector<unsigned> seen;
    form.LVExceptions.setWindowProc([&](std::intptr_t, unsigned msg, long, long) {
        seen.push_back(msg);
        return 7L;
    });
    for (int round = 0; round < 2; ++round) {
        form.Load();
        form.cmbBusy1Node.setVisible(true);
        EXPECT_EQ(form.LVExceptions.SendMessage(kWmVScroll, kSbLineDown, 0), 7);
        EXPECT_FALSE(form.cmbBusy1Node.Visible());  // the form's procedure ran first
        ASSERT_TRUE(form.Unload());
        form.cmbBusy1Node.setVisible(true);
        EXPECT_EQ(form.LVExceptions.SendMessage(kWmVScroll, kSbLineDown, 0), 7);
        EXPECT_TRUE(form.cmbBusy1Node.Visible());  // and is gone after the unload
    }
    EXPECT_EQ(seen, (std::vector<unsigned>{kWmVScroll, kWmVScroll, kWmVScroll, kWmVScroll}));
}

}  // namespace
}  // namespace xfer::editor
