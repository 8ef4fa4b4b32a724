#include "desktop/chooser_models.h"

#include "runtime/shown_text.h"

namespace xfer::desktop {

namespace {
QVariant Header(int section, Qt::Orientation orientation, int role,
                std::initializer_list<const char*> titles) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(titles.size()))
        return {};
    return QString::fromLatin1(titles.begin()[section]);
}

QVariant Aligned(int column, int numberColumns) {
    return column < numberColumns ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
}
}  // namespace

QString ShownCell(const std::string& stored) {
    QString text = QString::fromStdString(runtime::ValidText(stored));
    for (QChar& c : text) {
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QLatin1Char('\t'))
            c = QLatin1Char(' ');
    }
    return text;
}

void PartitionModel::setPartitions(std::vector<data::PartitionEntry> partitions) {
    beginResetModel();
    rows_ = std::move(partitions);
    endResetModel();
}

int PartitionModel::rowOf(std::int16_t config, std::int16_t partition) const {
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].config == config && rows_[row].partition == partition)
            return static_cast<int>(row);
    }
    return -1;
}

int PartitionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int PartitionModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant PartitionModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return Aligned(index.column(), kColumns);
    if (role != Qt::DisplayRole)
        return {};
    const data::PartitionEntry& p = rows_[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case kConfig:
            return QString::number(p.config);
        case kPartition:
            return QString::number(p.partition);
        case kXferNodes:
            return QString::number(p.xferNodes);
        default:
            return {};
    }
}

QVariant PartitionModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return Header(section, orientation, role, {"Configuration", "Partition", "XFER nodes"});
}

void XferNodeModel::setNodes(const std::vector<data::XferNodeEntry>& nodes) {
    beginResetModel();
    nodes_.clear();
    nodes_.reserve(nodes.size());
    for (const data::XferNodeEntry& node : nodes) {
        nodes_.push_back({node.number, QString::number(node.number), ShownCell(node.label),
                          ShownCell(node.dial)});
    }
    filter();
    endResetModel();
}

void XferNodeModel::setSearch(const QString& text) {
    beginResetModel();
    search_ = text.trimmed();
    filter();
    endResetModel();
}

void XferNodeModel::filter() {
    shown_.clear();
    for (std::size_t i = 0; i < nodes_.size(); ++i) {
        const Node& node = nodes_[i];
        if (search_.isEmpty() || node.numberText.startsWith(search_) ||
            node.label.contains(search_, Qt::CaseInsensitive))
            shown_.push_back(static_cast<int>(i));
    }
}

std::int16_t XferNodeModel::number(int row) const {
    return nodes_.at(static_cast<std::size_t>(shown_.at(static_cast<std::size_t>(row)))).number;
}

int XferNodeModel::rowOf(std::int16_t number) const {
    for (std::size_t row = 0; row < shown_.size(); ++row) {
        if (nodes_[static_cast<std::size_t>(shown_[row])].number == number)
            return static_cast<int>(row);
    }
    return -1;
}

int XferNodeModel::bestRow() const {
    for (std::size_t row = 0; row < shown_.size(); ++row) {
        if (nodes_[static_cast<std::size_t>(shown_[row])].numberText == search_)
            return static_cast<int>(row);
    }
    return shown_.empty() ? -1 : 0;
}

int XferNodeModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int XferNodeModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant XferNodeModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    if (role == Qt::TextAlignmentRole)
        return Aligned(index.column(), kLabel);
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    const Node& node =
        nodes_[static_cast<std::size_t>(shown_[static_cast<std::size_t>(index.row())])];
    switch (index.column()) {
        case kNumber:
            return node.numberText;
        case kLabel:
            return node.label;
        case kDial:
            return node.dial;
        default:
            return {};
    }
}

QVariant XferNodeModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return Header(section, orientation, role, {"Number", "Label", "Dial"});
}

}  // namespace xfer::desktop
