#include "desktop/text_positions.h"

namespace xfer::desktop {

int CharactersBefore(const QString& text, int units) {
    int characters = 0;
    for (int i = 0; i < text.size() && i < units; ++i) {
        // The low half of a pair belongs to the character its high half began.
        if (!(text[i].isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate()))
            ++characters;
    }
    return characters;
}

int UnitsBefore(const QString& text, int characters) {
    int units = 0;
    for (int seen = 0; units < text.size() && seen < characters; ++seen) {
        const bool pair = text[units].isHighSurrogate() && units + 1 < text.size() &&
                          text[units + 1].isLowSurrogate();
        units += pair ? 2 : 1;
    }
    return units;
}

}  // namespace xfer::desktop
