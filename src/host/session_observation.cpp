#include "host/session_observation.h"

#include <fmt/format.h>

#include "editor/gui.h"
#include "host/session_script.h"
#include "runtime/error.h"
#include "runtime/text.h"

namespace xfer::host {

using namespace editor;

namespace {

std::string Bool(bool value) {
    return value ? "true" : "false";
}

std::string KindOf(const Control& control) {
    if (const auto* combo = dynamic_cast<const ComboBox*>(&control)) {
        return combo->Style() == ComboStyle::DropDownList ? "drop-down list" : "editable combo box";
    }
    switch (control.kind()) {
        case ControlKind::TextBox:
            return "text box";
        case ControlKind::ListBox:
            return "list box";
        case ControlKind::CommandButton:
            return "button";
        case ControlKind::Label:
            return "label";
        case ControlKind::Frame:
            return "frame";
        case ControlKind::StatusBar:
            return "status bar";
        case ControlKind::ImageList:
            return "image list";
        case ControlKind::ListView:
            return "list view";
        default:
            return "control";
    }
}

void ObserveCombo(const ComboBox& combo, Observation& o) {
    const long count = combo.ListCount();
    o.properties.insert(o.properties.end(), {{"ListIndex", std::to_string(combo.ListIndex())},
                                             {"ListCount", std::to_string(count)},
                                             {"Selected", combo.List(combo.ListIndex())},
                                             {"SelStart", std::to_string(combo.SelStart())},
                                             {"SelLength", std::to_string(combo.SelLength())}});
    o.hasEntries = true;
    if (combo.isGeneratedRange() && count > 0) {
        o.range = {{combo.ItemData(0), combo.ItemData(count - 1)}};
        return;
    }
    for (long i = 0; i < count; ++i)
        o.entries.push_back({combo.List(i), combo.ItemData(i)});
}

std::vector<ObservedRow> RowsOf(const ListView& list) {
    std::vector<ObservedRow> rows;
    for (long i = 1; i <= list.ItemCount(); ++i) {
        const ListItem& item = list.Item(i);
        ObservedRow& row = rows.emplace_back();
        row.key = item.Key();
        row.cells.push_back(item.Text());
        for (long c = 1; c <= 6; ++c) {
            // A sub-item beyond the columns the list has is no cell a user could see.
            row.cells.push_back(c < list.ColumnCount() ? item.SubItems(c) : std::string());
        }
        row.selected = list.SelectedItem() == &item;
    }
    return rows;
}

const ListView* TheList(const GUI& form) {
    return &form.LVExceptions;
}

Observation ObserveForm(const GUI& form) {
    Observation o;
    o.subject = std::string(kFormSubject);
    o.kind = "form";
    const Control* focused = form.focusedControl();
    o.properties = {{"Caption", form.Caption()},
                    {"Loaded", Bool(form.isLoaded())},
                    {"Focus", focused != nullptr ? focused->Name() : std::string()},
                    {"Width", std::to_string(form.ClientWidth())},
                    {"Height", std::to_string(form.ClientHeight())}};
    return o;
}

Observation ObserveControl(const Control& control) {
    Observation o;
    o.subject = control.Name();
    o.kind = KindOf(control);
    if (const auto* box = dynamic_cast<const TextBox*>(&control)) {
        o.properties.push_back({"Text", box->Text()});
    } else if (const auto* combo = dynamic_cast<const ComboBox*>(&control)) {
        o.properties.push_back({"Text", combo->Text()});
    } else if (const auto* button = dynamic_cast<const CommandButton*>(&control)) {
        o.properties.push_back({"Caption", button->Caption()});
    } else if (const auto* label = dynamic_cast<const Label*>(&control)) {
        o.properties.push_back({"Caption", label->Caption()});
    } else if (const auto* frame = dynamic_cast<const Frame*>(&control)) {
        o.properties.push_back({"Caption", frame->Caption()});
    } else if (const auto* bar = dynamic_cast<const StatusBar*>(&control)) {
        o.properties.push_back({"Text", bar->PanelCount() > 0 ? bar->Panels(1).Text : ""});
    }
    o.properties.insert(o.properties.end(), {{"Enabled", Bool(control.Enabled())},
                                             {"Visible", Bool(control.Visible())},
                                             {"Focus", Bool(control.hasFocus())}});
    if (const auto* box = dynamic_cast<const TextBox*>(&control)) {
        o.properties.insert(o.properties.end(), {{"SelStart", std::to_string(box->SelStart())},
                                                 {"SelLength", std::to_string(box->SelLength())},
                                                 {"MaxLength", std::to_string(box->MaxLength())},
                                                 {"Locked", Bool(box->Locked())}});
    } else if (const auto* combo = dynamic_cast<const ComboBox*>(&control)) {
        ObserveCombo(*combo, o);
    } else if (const auto* listBox = dynamic_cast<const ListBox*>(&control)) {
        o.properties.push_back({"ListCount", std::to_string(listBox->ListCount())});
        o.hasEntries = true;
        for (long i = 0; i < listBox->ListCount(); ++i)
            o.entries.push_back({listBox->List(i), std::nullopt});
    } else if (const auto* list = dynamic_cast<const ListView*>(&control)) {
        const ListItem* selected = list->SelectedItem();
        o.properties.insert(
            o.properties.end(),
            {{"ListCount", std::to_string(list->ItemCount())},
             {"Selected", selected != nullptr ? std::to_string(selected->Index()) : ""},
             {"TopIndex", std::to_string(list->TopIndex())}});
        o.rows = RowsOf(*list);
    }
    o.properties.insert(o.properties.end(), {{"Left", std::to_string(control.Left())},
                                             {"Top", std::to_string(control.Top())},
                                             {"Width", std::to_string(control.Width())},
                                             {"Height", std::to_string(control.Height())}});
    return o;
}

}  // namespace

std::optional<Observation> Observe(const GUI& form, const std::string& subject) {
    if (runtime::EqualsNoCase(subject, kFormSubject))
        return ObserveForm(form);
    if (runtime::EqualsNoCase(subject, kRowsSubject)) {
        Observation o;
        o.subject = std::string(kRowsSubject);
        o.kind = "exception rows";
        o.rows = RowsOf(*TheList(form));
        const ListItem* selected = form.LVExceptions.SelectedItem();
        o.properties = {{"ListCount", std::to_string(o.rows.size())},
                        {"Selected", selected != nullptr ? std::to_string(selected->Index()) : ""}};
        return o;
    }
    const Control* control = form.findControl(subject);
    if (control == nullptr)
        return std::nullopt;
    return ObserveControl(*control);
}

std::optional<std::string> PropertyValue(const Observation& observed, const std::string& property) {
    for (const auto& [name, value] : observed.properties) {
        if (runtime::EqualsNoCase(name, property))
            return value;
    }
    if (!observed.hasEntries)
        return std::nullopt;
    const bool texts = runtime::EqualsNoCase(property, "Entries");
    if (!texts && !runtime::EqualsNoCase(property, "ItemData"))
        return std::nullopt;
    std::vector<std::string> parts;
    if (observed.range) {
        for (long n = observed.range->first; n <= observed.range->second; ++n)
            parts.push_back(std::to_string(n));
    }
    for (const ObservedEntry& e : observed.entries) {
        if (texts) {
            parts.push_back(e.text);
        } else if (e.itemData) {
            parts.push_back(std::to_string(*e.itemData));
        } else {
            return std::nullopt;  // a list box's entries carry no item data
        }
    }
    return fmt::format("{}", fmt::join(parts, ", "));
}

std::optional<std::string> RowCell(const GUI& form, long row, const std::string& cell) {
    const std::vector<ObservedRow> rows = RowsOf(*TheList(form));
    if (row < 1 || row > static_cast<long>(rows.size()))
        return std::nullopt;
    const ObservedRow& r = rows[static_cast<std::size_t>(row - 1)];
    const auto& names = RowCells();
    for (std::size_t i = 0; i < r.cells.size() && i < names.size(); ++i) {
        if (runtime::EqualsNoCase(names[i], cell))
            return r.cells[i];
    }
    if (runtime::EqualsNoCase(cell, "Key"))
        return r.key;
    if (runtime::EqualsNoCase(cell, "Selected"))
        return Bool(r.selected);
    return std::nullopt;
}

}  // namespace xfer::host
