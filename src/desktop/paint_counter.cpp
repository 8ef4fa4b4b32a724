#include "desktop/paint_counter.h"

#include <QCoreApplication>
#include <QEvent>

namespace xfer::desktop {

PaintCounter::PaintCounter() {
    QCoreApplication::instance()->installEventFilter(this);
}

PaintCounter::~PaintCounter() {
    QCoreApplication::instance()->removeEventFilter(this);
}

bool PaintCounter::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::Paint)
        ++paints_;
    return false;
}

bool PaintCounter::paintNow() {
    const long before = paints_;
    for (int round = 0; round < 50 && paints_ == before; ++round)
        QCoreApplication::processEvents();
    return paints_ != before;
}

}  // namespace xfer::desktop
