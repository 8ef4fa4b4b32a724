#pragma once
// Partition documents in files, for export, diff and import: reading one with its problems
// said plainly, and writing one whole or not at all.

#include <optional>
#include <string>

#include "partition/partition_document.h"

namespace xfer::app {

// Exit statuses of export, diff and import.
inline constexpr int kDocumentRefused = 1;  // import: refused, nothing changed
inline constexpr int kDocumentError = 2;    // a file or the database could not be used

// The export document in `path` ("-" is standard input); nothing, with the reason on stderr, when
// it cannot be read or is not a partition document (malformed JSON with its line and column).
std::optional<partition::PartitionDocument> ReadDocumentFile(const std::string& path);

// The whole text into `path`, through a temporary file beside it, so that a failure leaves
// what was there; standard output for "" or "-". False, with the reason on stderr, on failure.
bool WriteTextFile(const std::string& path, const std::string& text);

}  // namespace xfer::app
