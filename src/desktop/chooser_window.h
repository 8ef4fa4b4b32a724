#pragma once
// "Open XFER node": the program's front door for a person. It lists the configurations and
// partitions of the database with their XFER node counts and the chosen partition's XFER
// nodes, searches them by number and label as the user types, and opens the chosen node in
// the editor through the host, as a configuration builder does. When the editor closes, the
// lists are read again and the same node is selected. Without a database it says where it
// looked and creates one only when asked.

#include <QWidget>
#include <memory>
#include <optional>

#include "desktop/chooser_models.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTableView;

namespace xfer::data {
class DataBase;
}
namespace xfer::host {
class EditorHost;
}

namespace xfer::desktop {

class ChooserWindow final : public QWidget {
  public:
    explicit ChooserWindow(host::EditorHost& host, QWidget* parent = nullptr);
    ~ChooserWindow() override;

    // The node the list has selected, if any.
    std::optional<std::int16_t> selectedNode() const;
    // Opens the selected node in the editor and returns when the editor has closed.
    void openSelected();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* makeListPage();
    QWidget* makeMissingPage();
    // Reads the partitions again, keeping the chosen partition and node where they still are.
    void reload(std::optional<std::int16_t> keepNode = std::nullopt);
    void choosePartition(int row, std::optional<std::int16_t> keepNode = std::nullopt);
    void search(const QString& text);
    void selectNodeRow(int row);
    void create(bool withDemoData);
    void showStatus();

    host::EditorHost& host_;
    std::unique_ptr<data::DataBase> db_;
    PartitionModel partitions_;
    XferNodeModel nodes_;
    std::optional<data::PartitionEntry> chosen_;
    bool updating_ = false;  // the code moves the partition selection: nothing to read
    bool opening_ = false;   // the editor is open

    QStackedWidget* pages_ = nullptr;
    QTableView* partitionView_ = nullptr;
    QLineEdit* searchBox_ = nullptr;
    QTableView* nodeView_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* open_ = nullptr;
    QLabel* where_ = nullptr;
    QLabel* problem_ = nullptr;
};

}  // namespace xfer::desktop
