#include "desktop/entries_model.h"

namespace xfer::desktop {

EntriesModel::EntriesModel(std::function<long()> count, std::function<std::string(long)> text,
                           QObject* parent)
    : QAbstractListModel(parent), count_(std::move(count)), text_(std::move(text)) {}

int EntriesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant EntriesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_ ||
        (role != Qt::DisplayRole && role != Qt::EditRole)) {
        return {};
    }
    return QString::fromStdString(text_(index.row()));
}

void EntriesModel::reload() {
    beginResetModel();
    rows_ = static_cast<int>(count_());
    endResetModel();
}

}  // namespace xfer::desktop
