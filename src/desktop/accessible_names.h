#pragma once
// What a screen reader calls each control: what it is for, where its caption alone ("Label:")
// or a frame's title ("Exceptions" for every picker) would not say it.

#include <QString>
#include <string>

namespace xfer::desktop {

// The control's accessible name; empty where its own text says it.
QString AccessibleName(const std::string& control);

// Qt names a combo box by its current value on Linux (a label beside it is meant to say what
// it is for, and the pickers have none): a combo box with an accessible name is named by it,
// its value is its value. Idempotent.
void NameComboBoxesByPurpose();

}  // namespace xfer::desktop
