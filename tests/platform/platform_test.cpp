// The platform layer: the registry hive and .reg file reading, the error trap and the label
// validator.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/components.h"
#include "platform/error_trap.h"
#include "platform/message_box.h"
#include "platform/registry.h"
#include "runtime/error.h"
#include "support/platform_doubles.h"

namespace xfer::platform {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes B(std::string_view s) {
    return Bytes(s.begin(), s.end());
}

const std::string kV5 = "Windows Registry Editor Version 5.00\r\n\r\n";
const std::string kV4 = "REGEDIT4\n\n";
const std::string kKey = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test]\r\n";

std::string repeat(const std::string& text, std::size_t times) {
    std::string out;
    for (std::size_t i = 0; i < times; ++i)
        out += text;
    return out;
}

struct ParseCase {
    const char* what;
    std::string text;
    std::string valueName;
    std::uint32_t type;
    Bytes data;
};

TEST(RegFile, ReadsEveryValueForm) {
    using namespace std::string_literals;
    const ParseCase cases[] = {
        {"escaped text", kV5 + kKey + R"("Path"="C:\\Data \"x\"")", "Path", REG_SZ,
         B("C:\\Data \"x\"\0"s)},
        {"default value", kV5 + kKey + "@=\"d\"", "", REG_SZ, B("d\0"s)},
        {"dword", kV5 + kKey + "\"N\"=dword:fffffffe", "N", REG_DWORD, {0xfe, 0xff, 0xff, 0xff}},
        {"binary", kV5 + kKey + "\"B\"=hex:00,ff,10", "B", REG_BINARY, {0x00, 0xff, 0x10}},
        {"expandable, UTF-16 in version 5", kV5 + kKey + "\"E\"=hex(2):25,00,41,00,25,00,00,00",
         "E", REG_EXPAND_SZ, B("%A%\0"s)},
        {"expandable, bytes in REGEDIT4", kV4 + kKey + "\"E\"=hex(2):25,41,25,00", "E",
         REG_EXPAND_SZ, B("%A%\0"s)},
        {"multi-string keeps its NULs", kV5 + kKey + "\"M\"=hex(7):61,00,00,00,62,00,00,00,00,00",
         "M", REG_MULTI_SZ, B("a\0b\0\0"s)},
        {"non-ASCII UTF-16 to narrow", kV5 + kKey + "\"U\"=hex(2):e9,00,00,00", "U", REG_EXPAND_SZ,
         B("\xc3\xa9\0"s)},
        {"continued lines",
         kV5 + kKey + "\"C\"=hex:01,02,\\\r\n  03,\\\r\n  04",
         "C",
         REG_BINARY,
         {1, 2, 3, 4}},
        {"comments and blank lines", kV5 + "; exported\r\n\r\n" + kKey + "\r\n; x\r\n\"S\"=\"v\"",
         "S", REG_SZ, B("v\0"s)},
        {"names ignore case", kV5 + kKey + "\"MixedCase\"=\"v\"", "MIXEDcase", REG_SZ, B("v\0"s)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const Hive hive = ParseRegFile(c.text);
        const RegistryValue* value = hive.find("hkey_local_machine\\software\\test", c.valueName);
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(value->type, c.type);
        EXPECT_EQ(value->data, c.data);
    }
}

TEST(RegFile, MalformedTextNamesItsLine) {
    const struct {
        std::string text;
        std::string line;
    } cases[] = {
        {"Not a registry file\n", "line 1:"},
        {kV5 + "\"A\"=\"no key yet\"", "line 3:"},
        {kV5 + kKey + "\"A\"=dword:123456789", "line 4:"},
        {kV5 + kKey + "\"A\"=\"not closed", "line 4:"},
        {kV5 + kKey + "\"A\" \"x\"", "line 4:"},
        {kV5 + kKey + "\r\n\"A\"=hex:01,\\\r\n  zz", "line 5:"},
        {kV5 + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Test", "line 3:"},
        // Limits: nesting, a line, a value continued over lines, the file.
        {kV5 + "[HKEY_LOCAL_MACHINE" + repeat("\\k", kMaxRegKeyDepth) + "]", "line 3: the key is"},
        {kV5 + kKey + "\"A\"=\"" + std::string(kMaxRegLineLength, 'x') + "\"", "line 4: the line"},
        {kV5 + kKey + "\"A\"=hex:" + repeat("00,\\\r\n", kMaxRegLineLength / 3) + "00",
         "line 4: the value's"},
        {kV5 + kKey + std::string(kMaxRegFileSize, ';'), "line 1: the file has"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            ParseRegFile(c.text);
            ADD_FAILURE() << "no error";
        } catch (const runtime::Error& e) {
            EXPECT_NE(e.description().find(c.line), std::string::npos) << e.description();
        }
    }
}

TEST(RegFile, MissingFileIsAnEmptyHiveAndOneThatIsNoFileIsRefused) {
    EXPECT_FALSE(LoadRegFile("/nonexistent/registry.reg")
                     .findKey("HKEY_LOCAL_MACHINE\\SOFTWARE")
                     .has_value());
    try {
        LoadRegFile("/dev/zero");
        ADD_FAILURE() << "read /dev/zero";
    } catch (const runtime::Error& e) {
        EXPECT_EQ(e.description(),
                  "Cannot read the registry file /dev/zero: it is not a regular file");
    }
}

// The resident memory that `work` adds at its peak, in kilobytes, measured in a child process:
// nothing the test holds counts, and nothing `work` keeps stays.
long peakKilobytesOf(const std::function<void()>& work) {
    const auto status = [](const std::string& field) {
        std::ifstream in("/proc/self/status");
        for (std::string line; std::getline(in, line);) {
            if (line.starts_with(field + ":"))
                return std::stol(line.substr(field.size() + 1));
        }
        return -1L;
    };
    int channel[2];
    if (pipe(channel) != 0)
        return -1;
    const pid_t child = fork();
    if (child == 0) {
        std::ofstream("/proc/self/clear_refs") << "5";  // the peak starts from here
        const long before = status("VmRSS");
        try {
            work();
        } catch (...) {
        }
        const long added = status("VmHWM") - before;
        _exit(write(channel[1], &added, sizeof added) == sizeof added ? 0 : 1);
    }
    close(channel[1]);
    long added = -1;
    if (read(channel[0], &added, sizeof added) != sizeof added)
        added = -1;
    close(channel[0]);
    waitpid(child, nullptr, 0);
    return added;
}

// Keys share their parents: a deep key costs its own names once, not every prefix of its path.
// A 30,000-level file (60 KB) is refused and one at the nesting limit with long names (62 KB,
// 16 MB were every prefix kept) is read, each within 10 MB.
TEST(RegFile, DeepKeysTakeMemoryInProportionToTheFile) {
    const std::string deepest = kV5 + "[HKEY_LOCAL_MACHINE" + repeat("\\k", 30000) + "]\r\n";
    const std::string name(120, 'n');
    const std::string limit =
        kV5 + "[HKEY_LOCAL_MACHINE" + repeat("\\" + name, kMaxRegKeyDepth - 1) + "]\r\n\"V\"=\"v\"";
    const struct {
        const char* what;
        const std::string& text;
        bool read;
    } cases[] = {{"30,000 levels", deepest, false}, {"512 levels of 120 bytes", limit, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        bool read = false;
        try {
            read = ParseRegFile(c.text)
                       .findKey("HKLM" + repeat("\\" + name, kMaxRegKeyDepth - 1))
                       .has_value();
        } catch (const runtime::Error&) {
        }
        EXPECT_EQ(read, c.read);
        const long added = peakKilobytesOf([&] { ParseRegFile(c.text); });
        RecordProperty(c.what, std::to_string(added) + " kB");
        EXPECT_GT(added, 0);
        EXPECT_LT(added, 10 * 1024);
    }
}

// Every failure is reported in one box after the restore step has run, and the caller goes on.
TEST(TrapTest, ReportsAnyFailureAfterTheRestoreStepAndReturns) {
    const struct {
        std::function<void()> fault;
        std::string text;  // of the box; "" for none
    } cases[] = {
        {[] { runtime::Raise(3021, "SQLite", "No current record."); },
         "Source: SQLite - LoadData \r\nDescription: No current record."},
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
