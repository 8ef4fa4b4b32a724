#pragma once
// Caret positions between the form's models, which count characters (code points), and Qt's
// text widgets, which count UTF-16 code units: a character outside the Basic Multilingual
// Plane is one position in the model and two in the widget.

#include <QString>

namespace xfer::desktop {

// The character index of UTF-16 position `units` in `text` (clamped to the text).
int CharactersBefore(const QString& text, int units);
// The UTF-16 position of character index `characters` in `text` (clamped to the text).
int UnitsBefore(const QString& text, int characters);

}  // namespace xfer::desktop
