#pragma once
// The rows the chooser shows, held once in models that the views read on demand: a partition
// of a thousand XFER nodes is a thousand small rows, not a thousand widgets.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

#include "data/xfer_directory.h"

namespace xfer::desktop {

// Text from the database as a cell shows it: what is not UTF-8 becomes U+FFFD, and a line
// break or a tab a blank, so that a row stays one line.
QString ShownCell(const std::string& stored);

class PartitionModel final : public QAbstractTableModel {
  public:
    enum Column { kConfig, kPartition, kXferNodes, kColumns };

    void setPartitions(std::vector<data::PartitionEntry> partitions);
    const data::PartitionEntry& partition(int row) const {
        return rows_.at(static_cast<std::size_t>(row));
    }
    // The row of the partition, or -1.
    int rowOf(std::int16_t config, std::int16_t partition) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    std::vector<data::PartitionEntry> rows_;
};

// A partition's XFER nodes, and those of them a search matches: a node matches when its number
// begins with the search text or its label holds it, in any letter case.
class XferNodeModel final : public QAbstractTableModel {
  public:
    enum Column { kNumber, kLabel, kDial, kColumns };

    void setNodes(const std::vector<data::XferNodeEntry>& nodes);
    void setSearch(const QString& text);
    int total() const { return static_cast<int>(nodes_.size()); }
    std::int16_t number(int row) const;
    // The shown row of the node, or -1 when it is not shown.
    int rowOf(std::int16_t number) const;
    // The row a search should select: the node whose number is the search text, else the
    // first shown; -1 when none is shown.
    int bestRow() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  private:
    struct Node {
        std::int16_t number;
        QString numberText;
        QString label;
        QString dial;
    };
    void filter();

    std::vector<Node> nodes_;
    std::vector<int> shown_;  // indexes into nodes_, in number order
    QString search_;
};

}  // namespace xfer::desktop
