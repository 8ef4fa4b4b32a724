#include "desktop/model_row_delegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

#include "desktop/control_binder.h"
#include "editor/controls/list_view.h"

namespace xfer::desktop {

QSize ModelRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(Pixels(editor::ListView::kRowHeight));
    return size;
}

bool ModelRowDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                 const QStyleOptionViewItem& option, const QModelIndex& index) {
    if (event == nullptr || event->type() != QEvent::ToolTip || !index.isValid())
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QStyle* style = view->style();
    const QRect text = style->subElementRect(QStyle::SE_ItemViewItemText, &cell, view);
    // The style keeps a margin on each side of the text (QCommonStyle's focus frame margin).
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    if (cell.fontMetrics.horizontalAdvance(cell.text) > text.width() - 2 * margin) {
        QToolTip::showText(event->globalPos(), cell.text, view->viewport());
    } else {
        QToolTip::hideText();
    }
    return true;
}

}  // namespace xfer::desktop
