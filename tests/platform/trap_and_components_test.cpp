#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/components.h"
#include "platform/error_trap.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "runtime/error.h"
#include "support/platform_doubles.h"

namespace xfer::platform {
namespace {

TEST(TrapTest, ReportsTheErrorAfterTheRestoreStepAndReturns) {
    test::RecordingMessageBoxes boxes;
    std::vector<std::string> steps;
    const bool finished = Trap(
        boxes, "LoadData",
        [&] {
            steps.push_back("body");
            runtime::Raise(3021, "Microsoft JET Database Engine", "No current record.");
        },
        [&] { steps.push_back("restore (" + std::to_string(boxes.shown().size()) + " boxes)"); });
    EXPECT_FALSE(finished);
    EXPECT_EQ(steps, (std::vector<std::string>{"body", "restore (0 boxes)"}));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0],
              (MessageBoxRequest{"Source: Microsoft JET Database Engine - LoadData \r\n"
                                 "Description: No current record.",
                                 mb::kOKOnly, mb::kExclamation, "Error"}));
}

TEST(TrapTest, OtherFailuresAreReportedTooAndNothingEscapes) {
    test::RecordingMessageBoxes boxes;
    EXPECT_FALSE(Trap(boxes, "X", [] { throw std::logic_error("broken"); }));
    EXPECT_TRUE(Trap(boxes, "Y", [] {}));
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "Source: QRV_XFER_Node - X \r\nDescription: broken");
}

TEST(MessageBoxTest, ScriptedAnswersThenTheFirstButton) {
    test::RecordingMessageBoxes boxes;
    boxes.Answer(answer::kCancel);
    EXPECT_EQ(boxes.MsgBox("q", mb::kYesNoCancel | mb::kQuestion, "Confirmation"), answer::kCancel);
    EXPECT_EQ(boxes.MsgBox("q", mb::kYesNoCancel | mb::kQuestion, "Confirmation"), answer::kYes);
    EXPECT_EQ(boxes.unscripted(), 1);
    EXPECT_EQ(boxes.shown()[0].icon, mb::kQuestion);
    EXPECT_EQ(boxes.shown()[0].buttons, mb::kYesNoCancel);
}

TEST(LabelValidatorTest, RefusesQuotesThatBreakTheProductsSqlAndLineBreaks) {
    LabelValidator v;
    const std::pair<const char*, bool> cases[] = {
        {"Sales transfer", true}, {"", true},      {"O'Brien", true},       {"It''s", false},
        {"say \"hi\"", false},    {"a\tb", false}, {"line\r\nnext", false},
    };
    for (const auto& [text, ok] : cases)
        EXPECT_EQ(v.ValidateText(text), ok) << text;
}

TEST(ComponentFactoryTest, UnknownIdentifierCannotBeCreated) {
    auto owned = DefaultComponents();
    ComponentFactory& factory = *owned;
    EXPECT_NE(factory.create<TextFieldValidator>(kValidatorProgId), nullptr);
    factory.unregisterComponent(kValidatorProgId);
    try {
        factory.CreateObject(kValidatorProgId);
        FAIL();
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.number(), runtime::err::kCantCreateObject);
        EXPECT_EQ(e.description(), "ActiveX component can't create object");
    }
}

}  // namespace
}  // namespace xfer::platform
