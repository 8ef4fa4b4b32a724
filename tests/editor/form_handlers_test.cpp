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

// The form as designed, in twips within each control's container, with its captions and
// fonts: what the window lays out and a person reads.
TEST_F(FormHandlers, TheFormIsLaidOutAsDesigned) {
    struct Placed {
        const Control& control;
        int left, top, width, height;
        std::string caption;  // of labels, buttons and frames
    };
    const Placed placed[] = {
        {form.Frame1, 30, 30, 4905, 5385, ""},
        {form.cmdFirst, 720, 90, 375, 315, ""},
        {form.cmdPrevious, 1095, 90, 375, 315, ""},
        {form.cmbNode, 1470, 90, 1095, 315, ""},
        {form.lblRecordPosition, 2550, 90, 855, 315, "n/m"},
        {form.cmdNext, 3420, 90, 375, 315, ""},
        {form.cmdLast, 3795, 90, 375, 315, ""},
        {form.lblLabel, 120, 570, 435, 195, "Label:"},
        {form.txtDescription, 690, 540, 2565, 315, ""},
        {form.lblDial, 120, 1020, 345, 195, "Dial:"},
        {form.txtDial, 690, 990, 2565, 315, ""},
        {form.lblXStyle, 120, 1470, 585, 225, "Style:"},
        {form.cmbXStyle, 690, 1440, 1065, 315, ""},
        {form.txtXStyleDescription, 1800, 1440, 2565, 315, ""},
        {form.fraExceptions, 60, 1950, 4695, 2835, "Exceptions"},
        {form.LVExceptions, 120, 240, 4455, 2085, ""},
        {form.cmbHoldNode, 1200, 360, 975, 315, ""},
        {form.cmbAnswerNumber, 2160, 2010, 700, 315, ""},
        {form.cmdExceptionsEdit, 2760, 2430, 855, 255, "Edit"},
        {form.cmdExceptionsDefault, 3720, 2430, 855, 255, "Default"},
        {form.cmdOK, 630, 4890, 855, 375, "OK"},
        {form.cmdCancel, 1980, 4890, 855, 375, "Cancel"},
        {form.cmdApply, 3300, 4890, 855, 372, "Apply"},
    };
    for (const Placed& p : placed) {
        const Control& c = p.control;
        EXPECT_EQ((std::vector<int>{c.Left(), c.Top(), c.Width(), c.Height()}),
                  (std::vector<int>{p.left, p.top, p.width, p.height}))
            << c.Name();
        std::string caption;
        if (const auto* label = dynamic_cast<const Label*>(&c))
            caption = label->Caption();
        else if (const auto* button = dynamic_cast<const CommandButton*>(&c))
            caption = button->Caption();
        else if (const auto* frame = dynamic_cast<const Frame*>(&c))
            caption = frame->Caption();
        EXPECT_EQ(caption, p.caption) << c.Name();
    }
    EXPECT_TRUE(form.fraExceptions.FontBold());
    EXPECT_FALSE(form.txtDescription.FontBold());
    EXPECT_EQ(form.cmdFirst.FontName(), "MS Sans Serif");
}

}  // namespace
}  // namespace xfer::editor
