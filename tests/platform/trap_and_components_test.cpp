#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>

#include "platform/components.h"
#include "platform/error_trap.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "runtime/error.h"
#include "support/platform_doubles.h"

namespace xfer::platform {
namespace {

// Every failure is reported in one box after the restore step has run, and the caller goes on.
TEST(TrapTest, ReportsAnyFailureAfterTheRestoreStepAndReturns) {
    const struct {
        std::function<void()> fault;
        std::string text;  // of the box; "" for none
    } cases[] = {
        {[] { runtime::Raise(3021, "Microsoft JET Database Engine", "No current record."); },
         "Source: Microsoft JET Database Engine - LoadData \r\nDescription: No current record."},
        {[] { throw std::logic_error("broken"); },
         "Source: QRV_XFER_Node - LoadData \r\nDescription: broken"},
        {[] { throw std::bad_alloc(); },
         "Source: QRV_XFER_Node - LoadData \r\nDescription: Out of memory"},
        {[] {}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        test::RecordingMessageBoxes boxes;
        std::vector<std::string> steps;
        const bool finished = Trap(
            boxes, "LoadData",
            [&] {
                steps.push_back("body");
                c.fault();
            },
            [&] {
                steps.push_back("restore (" + std::to_string(boxes.shown().size()) + " boxes)");
            });
        EXPECT_EQ(finished, c.text.empty());
        if (c.text.empty()) {
            EXPECT_EQ(steps, std::vector<std::string>{"body"});
            EXPECT_TRUE(boxes.shown().empty());
            continue;
        }
        EXPECT_EQ(steps, (std::vector<std::string>{"body", "restore (0 boxes)"}));
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.shown()[0],
                  (MessageBoxRequest{c.text, mb::kOKOnly, mb::kExclamation, "Error"}));
    }
}

// A box nobody answers gives its first button.
TEST(MessageBoxTest, DefaultAnswerIsTheFirstButton) {
    EXPECT_EQ(DefaultAnswer(mb::kYesNoCancel), answer::kYes);
    EXPECT_EQ(DefaultAnswer(mb::kOKOnly), answer::kOK);
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

}  // namespace
}  // namespace xfer::platform
