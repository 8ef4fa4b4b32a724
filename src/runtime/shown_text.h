#pragma once
// Text from the database as reports show it. Stored text may come from another tool: it may
// not be UTF-8 at all (a legacy code page), and it may hold control characters. Neither may
// break a report: every output is valid UTF-8, and a line of a text report is one line.

#include <string>
#include <string_view>

namespace xfer::runtime {

// The text with each sequence that is not UTF-8 replaced by U+FFFD; valid text unchanged.
std::string ValidText(std::string_view text);

// ValidText with control characters (C0, DEL and C1) written as escapes: \n, \r, \t, and \xHH
// for the others (\u0085 for a C1 character), so that a stored value cannot start a line of
// its own or move the cursor. A backslash is written \\, so that the escapes read back.
std::string OneLineText(std::string_view text);

}  // namespace xfer::runtime
