#pragma once
// The combo boxes of a dialog of this size: a list dropped below the box (a menu-like popup
// would measure every entry to size itself), a slim frame and a slim arrow button, so that
// the box's value gets the room the layout gives the box ("STYLE 999" in 1065 twips).

#include <QProxyStyle>
#include <QStyledItemDelegate>

namespace xfer::desktop {

class DialogComboStyle final : public QProxyStyle {
  public:
    static constexpr int kFrame = 2;
    static constexpr int kArrow = 13;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* data) const override;
    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl part,
                         const QWidget* widget) const override;
};

// A combo's drop-down rows at least a line of its font plus 4 pixels high, at every scale.
class ComboRowDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace xfer::desktop
