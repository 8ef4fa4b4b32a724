#include "desktop/chooser_window.h"

#include <algorithm>

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "data/database.h"
#include "host/database_location.h"
#include "host/editor_host.h"
#include "runtime/error.h"
#include "runtime/shown_text.h"

namespace xfer::desktop {

namespace {

QString Shown(const std::string& text) {
    return QString::fromStdString(runtime::ValidText(text));
}

// What went wrong, for the status line: the engine or component and its description.
QString Problem(const char* what, const std::exception& error) {
    const auto* component = dynamic_cast<const runtime::Error*>(&error);
    const std::string text = component == nullptr
                                 ? error.what()
                                 : (component->source().empty() ? "" : component->source() + ": ") +
                                       component->description();
    return QString::fromLatin1(what) + Shown(text);
}

QTableView* MakeTable(QAbstractItemModel& model, const char* name, const char* accessibleName) {
    auto* view = new QTableView;
    view->setObjectName(QString::fromLatin1(name));
    view->setAccessibleName(QString::fromLatin1(accessibleName));
    view->setModel(&model);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setSelectionMode(QAbstractItemView::SingleSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setTabKeyNavigation(false);
    view->setWordWrap(false);
    view->setAlternatingRowColors(true);
    view->verticalHeader()->hide();
    // Every row one line high, so that a long partition is laid out without measuring rows.
    view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setHighlightSections(false);
    return view;
}

// A column wide enough for its title and for `widest`, from the view's own metrics.
void FitColumn(QTableView* view, int column, const QString& widest) {
    const int margin =
        2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const int cells = view->fontMetrics().horizontalAdvance(widest) + margin + 4;
    view->horizontalHeader()->resizeSection(
        column, std::max(cells, view->horizontalHeader()->sectionSizeHint(column)));
}

QLabel* Caption(const char* text, QWidget* buddy) {
    auto* label = new QLabel(QString::fromLatin1(text));
    label->setBuddy(buddy);
    return label;
}

QPushButton* Button(const char* text, const char* name, const char* accessibleName) {
    auto* button = new QPushButton(QString::fromLatin1(text));
    button->setObjectName(QString::fromLatin1(name));
    button->setAccessibleName(QString::fromLatin1(accessibleName));
    button->setAutoDefault(false);
    return button;
}

bool IsEnter(const QKeyEvent* key) {
    return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

}  // namespace

ChooserWindow::ChooserWindow(host::EditorHost& host, QWidget* parent)
    : QWidget(parent), host_(host) {
    setWindowTitle(QStringLiteral("Open XFER node"));
    pages_ = new QStackedWidget;
    pages_->addWidget(makeListPage());
    pages_->addWidget(makeMissingPage());

    auto* close = Button("&Close", "close", "Close the window");
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(status_, 1);
    buttons->addWidget(open_);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    const QFontMetrics metrics = fontMetrics();
    resize(metrics.averageCharWidth() * 110, metrics.height() * 32);
    reload();
    searchBox_->setFocus();
}

ChooserWindow::~ChooserWindow() = default;

QWidget* ChooserWindow::makeListPage() {
    partitionView_ = MakeTable(partitions_, "partitions", "Configurations and partitions");
    partitionView_->setAccessibleDescription(
        QStringLiteral("Each configuration and partition of the database, with its XFER nodes"));
    for (int column = 0; column < PartitionModel::kColumns; ++column)
        FitColumn(partitionView_, column, QStringLiteral("32767"));
    partitionView_->horizontalHeader()->setStretchLastSection(true);
    int width = partitionView_->frameWidth() * 2 + 4;
    for (int column = 0; column < PartitionModel::kColumns; ++column)
        width += partitionView_->horizontalHeader()->sectionSize(column);
    partitionView_->setMinimumWidth(
        width +
        partitionView_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, partitionView_));
    connect(partitionView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!updating_ && current.isValid())
                    choosePartition(current.row());
            });

    searchBox_ = new QLineEdit;
    searchBox_->setObjectName(QStringLiteral("search"));
    searchBox_->setAccessibleName(QStringLiteral("Search XFER nodes by number or label"));
    searchBox_->setPlaceholderText(QStringLiteral("Number or label"));
    searchBox_->setClearButtonEnabled(true);
    searchBox_->installEventFilter(this);
    connect(searchBox_, &QLineEdit::textChanged, this, &ChooserWindow::search);

    nodeView_ = MakeTable(nodes_, "nodes", "XFER nodes of the chosen partition");
    nodeView_->setAccessibleDescription(
        QStringLiteral("Number, label and number to dial; Enter opens the node in the editor"));
    FitColumn(nodeView_, XferNodeModel::kNumber, QStringLiteral("32767"));
    FitColumn(nodeView_, XferNodeModel::kDial, QString(16, QLatin1Char('0')));
    nodeView_->horizontalHeader()->setSectionResizeMode(XferNodeModel::kLabel,
                                                        QHeaderView::Stretch);
    nodeView_->installEventFilter(this);
    connect(nodeView_, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.isValid())
            openSelected();
    });
    connect(nodeView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { open_->setEnabled(selectedNode().has_value()); });

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("status"));
    status_->setTextFormat(Qt::PlainText);
    open_ = Button("&Open", "open", "Open the selected XFER node in the editor");
    connect(open_, &QPushButton::clicked, this, &ChooserWindow::openSelected);

    auto* left = new QVBoxLayout;
    left->addWidget(Caption("Configuration and &partition:", partitionView_));
    left->addWidget(partitionView_, 1);
    auto* searchRow = new QHBoxLayout;
    searchRow->addWidget(Caption("&Search:", searchBox_));
    searchRow->addWidget(searchBox_, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(searchRow);
    right->addWidget(Caption("XFER &nodes:", nodeView_));
    right->addWidget(nodeView_, 1);
    auto* page = new QWidget;
    auto* layout = new QHBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(left);
    layout->addLayout(right, 1);
    return page;
}

QWidget* ChooserWindow::makeMissingPage() {
    where_ = new QLabel;
    where_->setObjectName(QStringLiteral("where"));
    where_->setTextFormat(Qt::PlainText);
    where_->setWordWrap(true);
    where_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problem_ = new QLabel;
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setTextFormat(Qt::PlainText);
    problem_->setWordWrap(true);
    auto* empty = Button("Create an &empty database", "createEmpty",
                         "Create an empty configuration database there");
    auto* demo = Button("Create the &demo database", "createDemo",
                        "Create the demo configuration database there");
    connect(empty, &QPushButton::clicked, this, [this] { create(false); });
    connect(demo, &QPushButton::clicked, this, [this] { create(true); });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(empty);
    buttons->addWidget(demo);
    buttons->addStretch(1);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(where_);
    layout->addLayout(buttons);
    layout->addWidget(problem_);
    layout->addStretch(1);
    return page;
}

std::optional<std::int16_t> ChooserWindow::selectedNode() const {
    const QModelIndex current = nodeView_->currentIndex();
    if (!current.isValid() || !nodeView_->selectionModel()->isRowSelected(current.row()))
        return std::nullopt;
    return nodes_.number(current.row());
}

void ChooserWindow::openSelected() {
    const std::optional<std::int16_t> node = selectedNode();
    if (!node || !chosen_ || opening_)
        return;
    opening_ = true;
    try {
        host_.open(chosen_->config, chosen_->partition, *node);
    } catch (const std::exception& error) {
        status_->setText(Problem("The editor could not be opened: ", error));
    }
    opening_ = false;
    // The editor may have changed labels and created nodes: read them again.
    reload(node);
    activateWindow();
    nodeView_->setFocus();
}

void ChooserWindow::reload(std::optional<std::int16_t> keepNode) {
    try {
        const host::DatabaseLocation where = host::LocateDatabase(host_.platform());
        if (!where.exists && !where.server) {
            where_->setText(QStringLiteral("There is no configuration database yet.\n\n"
                                           "database: %1 (not there yet)\nfound by: %2\n\n"
                                           "new database: %3")
                                .arg(Shown(where.path), Shown(where.how),
                                     Shown(host::NewDatabaseFilePath(host_.platform()))));
            pages_->setCurrentIndex(1);
            open_->hide();
            status_->clear();
            return;
        }
        pages_->setCurrentIndex(0);
        open_->show();
        if (!db_)
            db_ = std::make_unique<data::DataBase>(host_.platform(), &host_.sessions());
        const std::optional<data::PartitionEntry> before = chosen_;
        partitions_.setPartitions(data::ReadPartitions(*db_));
        int row = before ? partitions_.rowOf(before->config, before->partition) : -1;
        for (int r = 0; row < 0 && r < partitions_.rowCount(); ++r) {
            if (partitions_.partition(r).xferNodes > 0)
                row = r;
        }
        choosePartition(row < 0 && partitions_.rowCount() > 0 ? 0 : row, keepNode);
    } catch (const std::exception& error) {
        chosen_.reset();
        nodes_.setNodes({});
        status_->setText(Problem("The database could not be read: ", error));
    }
}

void ChooserWindow::choosePartition(int row, std::optional<std::int16_t> keepNode) {
    if (row < 0) {
        chosen_.reset();
        nodes_.setNodes({});
        selectNodeRow(-1);
        return;
    }
    updating_ = true;
    partitionView_->selectionModel()->setCurrentIndex(
        partitions_.index(row, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    updating_ = false;
    chosen_ = partitions_.partition(row);
    try {
        nodes_.setNodes(data::ReadXferNodeEntries(*db_, chosen_->config, chosen_->partition));
    } catch (const std::exception& error) {
        nodes_.setNodes({});
        selectNodeRow(-1);
        status_->setText(Problem("The XFER nodes could not be read: ", error));
        return;
    }
    if (keepNode && nodes_.rowOf(*keepNode) < 0 && !searchBox_->text().isEmpty()) {
        // The node no longer matches the search (its label changed): show it all the same.
        const QSignalBlocker quiet(searchBox_);
        searchBox_->clear();
        nodes_.setSearch({});
    }
    selectNodeRow(keepNode && nodes_.rowOf(*keepNode) >= 0 ? nodes_.rowOf(*keepNode)
                                                           : nodes_.bestRow());
}

void ChooserWindow::search(const QString& text) {
    nodes_.setSearch(text);
    selectNodeRow(nodes_.bestRow());
}

void ChooserWindow::selectNodeRow(int row) {
    if (row < 0) {
        nodeView_->selectionModel()->clear();
    } else {
        const QModelIndex index = nodes_.index(row, 0);
        nodeView_->selectionModel()->setCurrentIndex(
            index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        nodeView_->scrollTo(index);
    }
    open_->setEnabled(selectedNode().has_value());
    showStatus();
}

void ChooserWindow::showStatus() {
    if (!chosen_) {
        status_->setText(partitions_.rowCount() == 0
                             ? QStringLiteral("The database has no partitions.")
                             : QString());
        return;
    }
    const QString where = QStringLiteral("configuration %1, partition %2")
                              .arg(chosen_->config)
                              .arg(chosen_->partition);
    const QString search = searchBox_->text().trimmed();
    if (nodes_.total() == 0)
        status_->setText(QStringLiteral("No XFER nodes in %1.").arg(where));
    else if (search.isEmpty())
        status_->setText(QStringLiteral("%1 XFER nodes in %2").arg(nodes_.total()).arg(where));
    else
        status_->setText(QStringLiteral("%1 of %2 XFER nodes in %3 match \u201c%4\u201d")
                             .arg(nodes_.rowCount())
                             .arg(nodes_.total())
                             .arg(where, search));
}

void ChooserWindow::create(bool withDemoData) {
    try {
        host::InitDatabase(host_.platform(), withDemoData);
    } catch (const std::exception& error) {
        problem_->setText(Problem("The database could not be created: ", error));
        return;
    }
    problem_->clear();
    reload();
    searchBox_->setFocus();
}

bool ChooserWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);
    if (IsEnter(key)) {
        openSelected();
        return true;
    }
    if (watched == searchBox_) {
        // The list's keys work from the search box: the user types and picks without a Tab.
        switch (key->key()) {
            case Qt::Key_Up:
            case Qt::Key_Down:
            case Qt::Key_PageUp:
            case Qt::Key_PageDown:
                QCoreApplication::sendEvent(nodeView_, event);
                return true;
            default:
                return false;
        }
    }
    // Typing in the list searches, as it would in the search box.
    const QString text = key->text();
    const bool typed = !text.isEmpty() && text.at(0).isPrint() &&
                       !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typed || key->key() == Qt::Key_Backspace) {
        searchBox_->setFocus();
        QCoreApplication::sendEvent(searchBox_, event);
        return true;
    }
    return false;
}

}  // namespace xfer::desktop
