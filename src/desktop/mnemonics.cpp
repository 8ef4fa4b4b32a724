#include "desktop/mnemonics.h"

namespace xfer::desktop {

namespace {

constexpr Mnemonic kMnemonics[] = {{"lblLabel", "Label:", "&Label:", "txtDescription"},
                                   {"lblDial", "Dial:", "&Dial:", "txtDial"},
                                   {"lblXStyle", "Style:", "&Style:", "cmbXStyle"},
                                   {"cmdApply", "Apply", "&Apply", nullptr},
                                   {"cmdExceptionsDefault", "Default", "Defa&ult", nullptr}};

const Mnemonic* MnemonicOf(const std::string& name) {
    for (const Mnemonic& m : kMnemonics) {
        if (name == m.control)
            return &m;
    }
    return nullptr;
}

}  // namespace

std::span<const Mnemonic> Mnemonics() {
    return kMnemonics;
}

QString Caption(const std::string& name, const std::string& caption) {
    const Mnemonic* mnemonic = MnemonicOf(name);
    if (mnemonic != nullptr && caption == mnemonic->caption)
        return QString::fromLatin1(mnemonic->shown);
    QString shown = QString::fromStdString(caption);
    if (mnemonic != nullptr)
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return shown;
}

}  // namespace xfer::desktop
