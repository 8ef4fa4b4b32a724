#pragma once
// The names of a partition document's fields, in the one place that spells them: the export
// writes them, the reader expects them, the schema in docs/ describes them.

#include <array>
#include <string_view>

namespace xfer::partition::field {

// What the export document is and which shape of it; a reader refuses any other version.
inline constexpr std::string_view kFormat = "format";
inline constexpr std::string_view kFormatName = "xfer-partition";
inline constexpr std::string_view kVersion = "version";
inline constexpr int kCurrentVersion = 1;

// Where it was exported from.
inline constexpr std::string_view kConfig = "config";
inline constexpr std::string_view kPartition = "partition";

inline constexpr std::string_view kNodes = "nodes";
inline constexpr std::string_view kNode = "node";
inline constexpr std::string_view kLabel = "label";
inline constexpr std::string_view kDial = "dial";
inline constexpr std::string_view kStyle = "style";
inline constexpr std::string_view kExceptions = "exceptions";

// Each exception's key, Hold to Answer, in the order of the exceptions list.
inline constexpr std::array<std::string_view, 6> kExceptionKeys = {"hold",  "moh",      "busy1",
                                                                   "busy2", "noAnswer", "answer"};

// An exception's target.
inline constexpr std::string_view kType = "type";
inline constexpr std::string_view kNumber = "number";
inline constexpr std::string_view kTypeId = "typeId";

}  // namespace xfer::partition::field
