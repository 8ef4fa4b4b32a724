#include "desktop/model_header.h"

#include "desktop/control_binder.h"
#include "editor/controls/list_view.h"

namespace xfer::desktop {

QSize ModelHeader::sizeHint() const {
    QSize size = QHeaderView::sizeHint();
    size.setHeight(Pixels(editor::ListView::kHeaderHeight));
    return size;
}

}  // namespace xfer::desktop
