#include "desktop/form_font.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>

namespace xfer::desktop {

namespace {

const QString kFamily = QStringLiteral("Tahoma");

// Where Debian's fonts-wine (and a wine installation) keep their metric-compatible Tahoma;
// XFER_FONT_DIR names another folder first.
QStringList FontFolders() {
    QStringList folders;
    const QString own = qEnvironmentVariable("XFER_FONT_DIR");
    if (!own.isEmpty())
        folders << own;
    folders << QStringLiteral("/usr/share/wine/fonts") << QStringLiteral("/usr/share/fonts/wine")
            << QStringLiteral("/usr/share/fonts/truetype/wine");
    return folders;
}

bool LoadFreeTahoma() {
    bool loaded = false;
    for (const QString& folder : FontFolders()) {
        for (const char* file : {"tahoma.ttf", "tahomabd.ttf"}) {
            const QString path = QDir(folder).filePath(QString::fromLatin1(file));
            if (QFileInfo::exists(path) && QFontDatabase::addApplicationFont(path) >= 0)
                loaded = true;
        }
        if (loaded)
            break;
    }
    return loaded && QFontDatabase::hasFamily(kFamily);
}

}  // namespace

QString UseFormFont() {
    const bool available = QFontDatabase::hasFamily(kFamily) || LoadFreeTahoma();
    QFont font = QApplication::font();
    if (available)
        font.setFamily(kFamily);
    font.setPointSizeF(8.25);
    QApplication::setFont(font);
    return available ? kFamily : QString();
}

}  // namespace xfer::desktop
