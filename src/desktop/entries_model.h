#pragma once
// The entries of a combo or list box, read from the form's model when a view asks for them: a
// generated range of 32767 numbers costs nothing until rows are drawn.

#include <QAbstractListModel>
#include <functional>
#include <string>

namespace xfer::desktop {

class EntriesModel final : public QAbstractListModel {
  public:
    EntriesModel(std::function<long()> count, std::function<std::string(long)> text,
                 QObject* parent);

    int rowCount(const QModelIndex& parent) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // The model's entries changed: count them again.
    void reload();

  private:
    std::function<long()> count_;
    std::function<std::string(long)> text_;
    int rows_ = 0;
};

}  // namespace xfer::desktop
