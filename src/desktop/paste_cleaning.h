#pragma once
// What a paste puts into a one-line box, as a limited text box takes it: each line break
// ("\r\n", "\r" or "\n") and each tab becomes one blank, other control characters are
// dropped, and what does not fit in the room left is cut off. Nothing of this reaches the
// form's model as anything but one edit of the whole text.

#include <QString>
#include <functional>

class QLineEdit;

namespace xfer::desktop {

// `pasted` cleaned and cut to `room` characters (negative: no limit).
QString CleanPaste(const QString& pasted, int room);

// Every paste into `edit` (the paste key, Shift+Insert, the context menu, a middle click where
// the system has a selection) goes through
// CleanPaste, with the room that `maxLength` (0: no limit) leaves beside the text that stays.
void CleanPastes(QLineEdit* edit, std::function<int()> maxLength);

}  // namespace xfer::desktop
