#pragma once
// What a user sees of the form, as plain values that a transcript prints and an expectation
// compares: a control's properties, a list's entries, the exception rows' cells.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace xfer::editor {
class GUI;
}

namespace xfer::host {

struct ObservedEntry {
    std::string text;
    std::optional<long> itemData;  // combo boxes carry one per entry
};

struct ObservedRow {
    std::string key;
    std::vector<std::string> cells;  // "#" (the row's text), then sub-items 1 to 6
    bool selected = false;           // the list's selected row
};

struct Observation {
    std::string subject;  // the control's name, "rows" or "form"
    std::string kind;     // "text box", "combo box (drop-down list)", ...
    // In a fixed order: Text or Caption, Enabled, Visible, Focus, then the kind's own.
    std::vector<std::pair<std::string, std::string>> properties;
    bool hasEntries = false;
    std::vector<ObservedEntry> entries;
    // A number picker's entries "first" .. "last" (item data the number), kept as a range.
    std::optional<std::pair<long, long>> range;
    std::vector<ObservedRow> rows;
};

// What show prints about `subject`: a control by name (letter case ignored), "rows" or
// "form"; nothing when the form has no such control.
std::optional<Observation> Observe(const editor::GUI& form, const std::string& subject);

// A property's value as expect compares it (booleans "true"/"false", numbers in decimal,
// Entries and ItemData joined with ", ", Selected the selected entry's text); nothing when the
// subject has no such property.
std::optional<std::string> PropertyValue(const Observation& observed, const std::string& property);

// A row's cell ("#", "Exception", "Command/Node", ..., "Key", "Selected"), row from 1;
// nothing when there is no such row.
std::optional<std::string> RowCell(const editor::GUI& form, long row, const std::string& cell);

}  // namespace xfer::host
