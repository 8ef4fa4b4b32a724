// The session-script parser on arbitrary text. Oracle, its documented contract: it returns the
// steps, each from a line of the text, or raises ScriptError naming a line of the text.

#include <string>

#include "host/session_script.h"
#include "oracle.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace xfer;
    const std::string_view text = fuzz::asText(data, size);
    const auto lines = static_cast<long>(fuzz::lineCount(text));
    try {
        for (const host::ScriptStep& step : host::ParseSessionScript(text))
            XFER_ORACLE(step.line >= 1 && step.line <= lines, "a step comes from a line");
    } catch (const host::ScriptError& e) {
        XFER_ORACLE(e.line() >= 1 && e.line() <= lines, "the error names a line of the text");
    }
    return 0;
}
