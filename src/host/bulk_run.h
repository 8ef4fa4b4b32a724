#pragma once
// One session script run on many XFER nodes in turn, in one process with one host: a section
// of the transcript per node and a summary. The run stops at the first node whose session
// fails unless told to keep going.

#include <cstdint>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "host/session_runner.h"

namespace xfer::host {

// A node list that is not one.
class NodeListError : public std::invalid_argument {
  public:
    using std::invalid_argument::invalid_argument;
};

// "1,5,12-20": node numbers and ranges low-high separated by commas, each number as every
// typed number is written (runtime/decimal.h) and within -32768..32767. In the order given, each
// node once. Raises NodeListError saying what is wrong.
std::vector<std::int16_t> ParseNodeList(std::string_view text);

// Every XFER node of the partition that the record selector lists (all but the template 0).
std::vector<std::int16_t> SelectorNodes(SessionRunner& runner, std::int16_t config,
                                        std::int16_t partition);

BulkSummary RunBulkSession(SessionRunner& runner, Transcript& transcript,
                           const std::vector<ScriptStep>& steps, std::int16_t config,
                           std::int16_t partition, const std::vector<std::int16_t>& nodes,
                           bool keepGoing);

}  // namespace xfer::host
