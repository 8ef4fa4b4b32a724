#pragma once
// Counts the paint events the application delivers, so that a frame is known to be painted:
// the benchmarks' "first frame" is the moment the count moves.

#include <QObject>

namespace xfer::desktop {

class PaintCounter final : public QObject {
  public:
    PaintCounter();
    ~PaintCounter() override;
    PaintCounter(const PaintCounter&) = delete;
    PaintCounter& operator=(const PaintCounter&) = delete;

    bool eventFilter(QObject* watched, QEvent* event) override;
    // Runs the event loop until a paint event was delivered (a few rounds at most); false if
    // none was.
    bool paintNow();

  private:
    long paints_ = 0;
};

}  // namespace xfer::desktop
