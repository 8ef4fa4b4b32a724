#pragma once
// The exceptions list's rows as high as the form's model says, so that the pickers the model
// lays over a row at its own coordinates land on that row. A cell too narrow for its text
// shows the whole text as its tooltip.

#include <QStyledItemDelegate>

namespace xfer::desktop {

class ModelRowDelegate final : public QStyledItemDelegate {
  public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;
};

}  // namespace xfer::desktop
