#pragma once
// Keyboard access the rules leave free: a mnemonic on a caption the rules never compare, shown
// only while the caption is the designed one. "Edit"/"Edit Off" are compared: they get none.

#include <QString>
#include <span>
#include <string>

namespace xfer::desktop {

struct Mnemonic {
    const char* control;
    const char* caption;
    const char* shown;
    const char* buddy;  // for a label: the control its mnemonic focuses
};

std::span<const Mnemonic> Mnemonics();

// `caption` of control `name` as a widget that reads '&' as a mnemonic marker shows it.
QString Caption(const std::string& name, const std::string& caption);

}  // namespace xfer::desktop
