// The exceptions list: a report list whose rows, cells, selected row and first visible row are
// the form's model's. The view shows the selection and never changes it by itself; a click on
// a row, an arrow key, a press on a header and the scroll bar go to the model as the user's.

#include <QHeaderView>
#include <QKeyEvent>
#include <QScrollBar>
#include <algorithm>

#include "desktop/binders.h"
#include "desktop/model_header.h"
#include "desktop/model_row_delegate.h"
#include "desktop/widgets.h"
#include "editor/controls/list_view.h"
#include "editor/controls/user_actions.h"

namespace xfer::desktop {

namespace {

class ListViewBinder final : public ControlBinder {
  public:
    ListViewBinder(editor::ListView& model, BinderContext& context, QWidget* parent)
        : ControlBinder(model, context, new ReportList(parent)),
          model_(model),
          tree_(static_cast<ReportList*>(widget_)) {
        tree_->setHeader(new ModelHeader(tree_));
        tree_->header()->setSectionsClickable(true);
        tree_->header()->setStretchLastSection(false);
        tree_->setItemDelegate(new ModelRowDelegate(tree_));
        tree_->setUniformRowHeights(true);
        tree_->setRootIsDecorated(false);
        tree_->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        tree_->setSelectionMode(QAbstractItemView::NoSelection);
        tree_->setSelectionBehavior(QAbstractItemView::SelectRows);
        tree_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        tree_->setFrameShape(QFrame::Box);
        tree_->setLineWidth(1);
    }

    void connectInput() override {
        QObject::connect(tree_, &QTreeWidget::itemClicked, tree_, [this](QTreeWidgetItem* item) {
            const long row = tree_->indexOfTopLevelItem(item) + 1;
            context_.act([&] { context_.user().clickRow(model_, row); });
        });
        QObject::connect(tree_->header(), &QHeaderView::sectionPressed, tree_, [this](int column) {
            context_.act([&] { context_.user().pressHeader(model_, column + 1); });
        });
        QObject::connect(
            tree_->verticalScrollBar(), &QScrollBar::valueChanged, tree_, [this](int top) {
                context_.act([&] {
                    context_.user().scroll(model_, top - static_cast<int>(model_.TopIndex()));
                });
            });
    }

    // Arrow keys move the row selection as a click on the neighbouring row does.
    bool keyPressed(const QKeyEvent& event) override {
        const int key = event.key();
        if (key != Qt::Key_Up && key != Qt::Key_Down)
            return false;
        const long current = model_.SelectedItem() ? model_.SelectedItem()->Index() : 0;
        const long row = current + (key == Qt::Key_Up ? -1 : 1);
        if (row >= 1 && row <= model_.ItemCount())
            context_.act([&] { context_.user().clickRow(model_, row); });
        return true;
    }

    void refreshText() override {
        const int columns = std::min(static_cast<int>(model_.ColumnCount()), tree_->columnCount());
        const int rows = std::min(static_cast<int>(model_.ItemCount()), tree_->topLevelItemCount());
        const QSignalBlocker blocker(tree_);
        for (int r = 0; r < rows; ++r) {
            const editor::ListItem& row = model_.Item(r + 1);
            QTreeWidgetItem* item = tree_->topLevelItem(r);
            if (columns > 0 && item->text(0) != QText(row.Text()))
                item->setText(0, QText(row.Text()));
            for (int c = 1; c < columns; ++c) {
                const QString cell = QText(row.SubItems(c));
                if (item->text(c) != cell)
                    item->setText(c, cell);
            }
        }
    }

    void refreshEntries() override {
        const QSignalBlocker blocker(tree_);
        const int columns = static_cast<int>(model_.ColumnCount());
        if (columns > 0) {
            if (tree_->columnCount() != columns)
                tree_->setColumnCount(columns);
            QStringList headers;
            for (int c = 0; c < columns; ++c)
                headers << QText(model_.Column(c + 1).Text);
            tree_->setHeaderLabels(headers);
            for (int c = 0; c < columns; ++c) {
                const int width = Pixels(model_.Column(c + 1).Width);
                tree_->setColumnHidden(c, width == 0);
                if (width > 0)
                    tree_->setColumnWidth(c, width);
            }
        }
        bool sameRows = tree_->topLevelItemCount() == model_.ItemCount();
        for (int r = 0; sameRows && r < tree_->topLevelItemCount(); ++r) {
            sameRows = tree_->topLevelItem(r)->data(0, Qt::UserRole).toString() ==
                       QText(model_.Item(r + 1).Key());
        }
        if (!sameRows) {
            tree_->clear();
            for (long r = 1; r <= model_.ItemCount(); ++r) {
                auto* item = new QTreeWidgetItem(tree_);
                item->setData(0, Qt::UserRole, QText(model_.Item(r).Key()));
            }
        }
        refreshText();
        refreshSelection(editor::Prop::ListIndex);
        refreshSelection(editor::Prop::Scroll);
    }

    void refreshSelection(editor::Prop what) override {
        const bool all = what == editor::Prop::All;
        const QSignalBlocker blocker(tree_);
        if (all || what == editor::Prop::ListIndex) {
            const int rows =
                std::min(static_cast<int>(model_.ItemCount()), tree_->topLevelItemCount());
            for (int r = 0; r < rows; ++r) {
                QTreeWidgetItem* item = tree_->topLevelItem(r);
                const bool selected = model_.Item(r + 1).Selected();
                if (item->isSelected() != selected)
                    item->setSelected(selected);
            }
            const editor::ListItem* current = model_.SelectedItem();
            if (current != nullptr && current->Index() <= rows) {
                tree_->setCurrentItem(tree_->topLevelItem(static_cast<int>(current->Index() - 1)),
                                      0, QItemSelectionModel::NoUpdate);
            }
        }
        if (all || what == editor::Prop::Scroll) {
            QScrollBar* bar = tree_->verticalScrollBar();
            if (bar->value() != model_.TopIndex())
                bar->setValue(static_cast<int>(model_.TopIndex()));
        }
    }

  private:
    editor::ListView& model_;
    ReportList* tree_;
};

}  // namespace

std::unique_ptr<ControlBinder> MakeListViewBinder(editor::Control& control, BinderContext& context,
                                                  QWidget* parent) {
    return std::make_unique<ListViewBinder>(static_cast<editor::ListView&>(control), context,
                                            parent);
}

}  // namespace xfer::desktop
