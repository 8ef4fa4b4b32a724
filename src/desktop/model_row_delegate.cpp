#include "desktop/model_row_delegate.h"

#include "desktop/control_binder.h"
#include "editor/controls/list_view.h"

namespace xfer::desktop {

QSize ModelRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(Pixels(editor::ListView::kRowHeight));
    return size;
}

}  // namespace xfer::desktop
