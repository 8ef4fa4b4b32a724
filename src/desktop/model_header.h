#pragma once
// The exceptions list's header, as high as the form's model says (see model_row_delegate.h).

#include <QHeaderView>

namespace xfer::desktop {

class ModelHeader final : public QHeaderView {
  public:
    explicit ModelHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {}
    QSize sizeHint() const override;
};

}  // namespace xfer::desktop
