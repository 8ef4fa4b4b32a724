#include "desktop/dialog_combo_style.h"

#include <QStyleOptionComplex>
#include <algorithm>

namespace xfer::desktop {

int DialogComboStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                QStyleHintReturn* data) const {
    if (hint == SH_ComboBox_Popup)
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, data);
}

QRect DialogComboStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                       SubControl part, const QWidget* widget) const {
    if (control == CC_ComboBox) {
        const QRect box = option->rect.adjusted(kFrame, kFrame, -kFrame, -kFrame);
        if (part == SC_ComboBoxArrow) {
            return visualRect(option->direction, option->rect,
                              QRect(box.right() - kArrow + 1, box.top(), kArrow, box.height()));
        }
        if (part == SC_ComboBoxEditField) {
            return visualRect(option->direction, option->rect, box.adjusted(0, 0, -kArrow, 0));
        }
    }
    return QProxyStyle::subControlRect(control, option, part, widget);
}

QSize ComboRowDelegate::sizeHint(const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    constexpr int kRowPadding = 4;
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(std::max(size.height(), option.fontMetrics.height() + kRowPadding));
    return size;
}

}  // namespace xfer::desktop
