#include "desktop/chooser_run.h"

#include <QApplication>
#include <QTableView>

#include "desktop/chooser_window.h"
#include "desktop/desktop.h"
#include "desktop/paint_counter.h"
#include "host/editor_host.h"

namespace xfer::desktop {

int RunChooser(platform::PlatformParts machine) {
    host::EditorHost host(DesktopServices(std::move(machine)));
    ChooserWindow window(host);
    window.show();
    return QApplication::exec();
}

ChooserFrame PaintChooser(host::EditorHost& host) {
    PaintCounter counter;
    ChooserFrame frame;
    ChooserWindow window(host);
    window.show();
    frame.painted = counter.paintNow();
    frame.paintedAt = std::chrono::steady_clock::now();
    if (auto* nodes = window.findChild<QTableView*>(QStringLiteral("nodes")))
        frame.listedNodes = nodes->model()->rowCount();
    return frame;
}

}  // namespace xfer::desktop
