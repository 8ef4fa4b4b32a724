// The form with a rules object of the test's own, without a database: when the rules object
// lives, and the list's window procedure. What the handlers do with real rules is tested in
// tests/component.

#include <gtest/gtest.h>

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

// Records when it is created and released; its rules do nothing.
class FakeRules final : public FormRules {
  public:
    explicit FakeRules(std::vector<std::string>& calls) : calls_(calls) {
        calls_.push_back("created");
    }
    ~FakeRules() override { calls_.push_back("released"); }

    bool LoadData(std::int16_t) override { return true; }
    void Get_XStyle_Description(std::int16_t) override {}
    void Validate_Input_Dial() override {}
    bool Validate_Dial_TextBox() override { return true; }
    void Combo_Change(ComboBox&) override {}
    void SaveChanges(std::int16_t) override {}

  private:
    std::vector<std::string>& calls_;
};

platform::PlatformParts Parts(test::RecordingMessageBoxes*& boxes) {
    platform::PlatformParts parts;
    auto recording = std::make_unique<test::RecordingMessageBoxes>();
    boxes = recording.get();
    parts.messageBoxes = std::move(recording);
    return parts;
}

// The form loaded and shown; the creation of its first rules object is not recorded.
class FormHandlers : public ::testing::Test {
  protected:
    FormHandlers()
        : services(Parts(boxes)),
          form(services.view(), [this] { return std::make_unique<FakeRules>(calls); }),
          user(form) {
        form.Load();
        form.setShown(true);
        calls.clear();
    }

    test::RecordingMessageBoxes* boxes = nullptr;
    std::vector<std::string> calls;
    platform::PlatformServices services;
    GUI form;
    UserActions user;
};

TEST_F(FormHandlers, TheRulesObjectLivesFromLoadToUnload) {
    EXPECT_NO_THROW(form.rules());
    boxes->Answer(kCancel);
    ASSERT_TRUE(user.type(form.txtDescription, "!"));
    EXPECT_FALSE(user.closeBox());  // cancelled: the form and its rules stay
    EXPECT_EQ(calls, std::vector<std::string>{});
    boxes->Answer(kNo);
    EXPECT_TRUE(user.closeBox());
    EXPECT_EQ(calls, std::vector<std::string>{"released"});
    try {
        form.rules();
        ADD_FAILURE() << "no rules object after unloading";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.number(), runtime::err::kObjectNotSet);
    }
    form.Load();
    EXPECT_EQ(calls, (std::vector<std::string>{"released", "created"}));
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
