#include "desktop/chooser_run.h"

#include <QApplication>
#include <QTableView>

#include "desktop/chooser_window.h"
#include "desktop/desktop.h"
#include "host/editor_host.h"

namespace xfer::desktop {

namespace {

// Counts the paint events the application delivers, so that a frame is known to be painted.
class PaintCounter final : public QObject {
  public:
    PaintCounter() { qApp->installEventFilter(this); }
    ~PaintCounter() override { qApp->removeEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints_;
        return false;
    }
    bool paintNow() {
        const long before = paints_;
        for (int round = 0; round < 50 && paints_ == before; ++round)
            QCoreApplication::processEvents();
        return paints_ != before;
    }

  private:
    long paints_ = 0;
};

}  // namespace

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
