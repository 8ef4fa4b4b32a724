// The "Open XFER node" window with real keys and clicks on Qt's offscreen platform: search,
// opening the editor through the host and coming back, the state without a database, the
// names a screen reader reads, and its layout at the scale the run was started with (the
// screenshots chooser.png and chooser@2x.png are taken here).

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QAccessibleTableInterface>
#include <QApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>

#include "desktop/chooser_models.h"
#include "desktop/chooser_window.h"
#include "desktop/qt_platform.h"
#include "editor/gui.h"
#include "host/editor_host.h"
#include "support/partition_builder.h"
#include "support/platform_doubles.h"

namespace xfer::desktop::test {
namespace {

using xfer::test::PartitionBuilder;

template <typename W>
W* Child(QWidget& window, const char* name) {
    auto* widget = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString Name(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face == nullptr ? QString() : face->text(QAccessible::Name);
}

// The node numbers the list shows, in order.
std::vector<int> Listed(QTableView* view) {
    std::vector<int> numbers;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        numbers.push_back(view->model()->index(row, 0).data().toInt());
    return numbers;
}

// A chooser on a host with the desktop's window system and recorded message boxes. The
// database: configuration 1, partition 1 with limits and no XFER node; partition 2 with the
// nodes below (XFER 3's label is Latin-1, not UTF-8); configuration 2, partition 1 with one.
class Chooser : public ::testing::Test {
  protected:
    Chooser() {
        using xfer::test::rule_set::kBusy;
        using xfer::test::rule_set::kHold;
        PartitionBuilder(database, 1, 1)
            .typeNames(xfer::test::kStandardTypeNames)
            .limits({{"XFER", 30}});
        PartitionBuilder part(database, 1, 2);
        part.limits({{"MSG", 99}, {"XFER", 999}, {"STYLE", 8}})
            .xferMayPointAt(kHold, {"MSG", "NOOP"})
            .xferMayPointAt(kBusy, {"MSG", "XFER"})
            .style(1, "Blind transfer")
            .node("MSG", 1, "Welcome");
        for (const auto& [number, label] :
             std::vector<std::pair<int, std::string>>{{1, "Front desk"},
                                                      {2, "Sales"},
                                                      {3, "Cafe"},
                                                      {12, "Reception"},
                                                      {21, "Reception annex"},
                                                      {120, "Night line"}})
            part.xfer({.number = number, .dial = "20" + std::to_string(number), .label = label});
        database.exec(
            "UPDATE Node_XFER SET NodeDescription = CAST(X'436166E9' AS TEXT) "
            "WHERE ConfigID = 1 AND PartID = 2 AND NodeNumber = 3");
        PartitionBuilder(database, 2, 1).limits({{"XFER", 5}}).xfer({.number = 4});
        platform::PlatformParts parts = database.machine();
        parts.messageBoxes = std::make_unique<xfer::test::RecordingMessageBoxes>();
        boxes = static_cast<xfer::test::RecordingMessageBoxes*>(parts.messageBoxes.get());
        parts.windows = std::make_unique<QtWindowSystem>();
        host = std::make_unique<host::EditorHost>(platform::PlatformServices(std::move(parts)));
    }

    // Shows the window and makes it the active one, as a person starting the program sees it.
    void Show(ChooserWindow& window) {
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Runs `whileOpen` on the editor once it is shown (looking for it for 5 s at most), then
    // closes it with Escape.
    void WhenTheEditorShows(std::function<void(editor::GUI&)> whileOpen, int tries = 500) {
        QTimer::singleShot(10, [this, whileOpen, tries] {
            QWidget* editor = QApplication::activeModalWidget();
            if (editor == nullptr || !host->form().isLoaded())
                return tries > 0 ? WhenTheEditorShows(whileOpen, tries - 1) : void();
            whileOpen(host->form());
            QTest::keyClick(editor, Qt::Key_Escape);
        });
    }

    xfer::test::TempDatabase database;
    xfer::test::RecordingMessageBoxes* boxes = nullptr;
    std::unique_ptr<host::EditorHost> host;
};

struct OpenCase {
    const char* how;
    std::function<void(ChooserWindow&)> open;
};

class OpeningANode : public Chooser, public ::testing::WithParamInterface<OpenCase> {};

TEST_P(OpeningANode, OpensItThroughTheHostAndComesBackWithItSelected) {
    ChooserWindow window(*host);
    Show(window);
    std::vector<std::string> opened;
    WhenTheEditorShows([&](editor::GUI& form) {
        opened.push_back(std::to_string(form.ConfigID()) + "/" +
                         std::to_string(form.PartitionID()) + "/" +
                         std::to_string(form.nodeNumber()));
        // What the editor saves is what the chooser shows when it comes back.
        database.exec(
            "UPDATE Node_XFER SET NodeDescription = 'Front office' "
            "WHERE ConfigID = 1 AND PartID = 2 AND NodeNumber = 12");
    });
    GetParam().open(window);
    EXPECT_EQ(opened, std::vector<std::string>{"1/2/12"});
    EXPECT_FALSE(host->form().isLoaded());
    EXPECT_EQ(window.selectedNode(), std::optional<std::int16_t>(12));
    auto* nodes = Child<QTableView>(window, "nodes");
    EXPECT_EQ(nodes->currentIndex().siblingAtColumn(1).data().toString(), "Front office");
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    EXPECT_TRUE(nodes->hasFocus());
    EXPECT_TRUE(boxes->shown().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Chooser, OpeningANode,
    ::testing::Values(OpenCase{"TypingItsNumberAndEnter",
                               [](ChooserWindow& window) {
                                   auto* search = Child<QLineEdit>(window, "search");
                                   QTest::keyClicks(search, "12");
                                   QTest::keyClick(search, Qt::Key_Return);
                               }},
                      OpenCase{"DoubleClickingItsRow",
                               [](ChooserWindow& window) {
                                   auto* nodes = Child<QTableView>(window, "nodes");
                                   const QRect row = nodes->visualRect(nodes->model()->index(3, 1));
                                   // A double-click follows a click, as a person's does.
                                   QTest::mouseClick(nodes->viewport(), Qt::LeftButton, {},
                                                     row.center());
                                   QTest::mouseDClick(nodes->viewport(), Qt::LeftButton, {},
                                                      row.center());
                               }},
                      OpenCase{"ArrowKeysFromTheSearchBoxAndEnterInTheList",
                               [](ChooserWindow& window) {
                                   auto* search = Child<QLineEdit>(window, "search");
                                   QTest::keyClicks(search, "rec");
                                   QTest::keyClick(search, Qt::Key_Down);
                                   QTest::keyClick(search, Qt::Key_Up);
                                   QTest::keyClick(Child<QTableView>(window, "nodes"),
                                                   Qt::Key_Enter);
                               }}),
    [](const auto& info) { return std::string(info.param.how); });

TEST_F(Chooser, ListsThePartitionsWithTheirXferNodesAndChoosesTheFirstThatHasAny) {
    ChooserWindow window(*host);
    auto* partitions = Child<QTableView>(window, "partitions");
    std::vector<std::vector<QString>> rows;
    for (int row = 0; row < partitions->model()->rowCount(); ++row) {
        rows.push_back({});
        for (int column = 0; column < 3; ++column)
            rows.back().push_back(partitions->model()->index(row, column).data().toString());
    }
    EXPECT_EQ(rows, (std::vector<std::vector<QString>>{
                        {"1", "1", "0"}, {"1", "2", "6"}, {"2", "1", "1"}}));
    EXPECT_EQ(partitions->currentIndex().row(), 1);
    // Choosing another partition lists its nodes.
    Show(window);
    QTest::mouseClick(partitions->viewport(), Qt::LeftButton, {},
                      partitions->visualRect(partitions->model()->index(2, 0)).center());
    EXPECT_EQ(Listed(Child<QTableView>(window, "nodes")), std::vector<int>{4});
    EXPECT_EQ(window.selectedNode(), std::optional<std::int16_t>(4));
}

TEST_F(Chooser, SearchesByTheBeginningOfTheNumberAndAnyPartOfTheLabel) {
    struct Case {
        const char* typed;
        std::vector<int> listed;
        std::optional<std::int16_t> selected;
    };
    const std::vector<Case> cases = {
        {"12", {12, 120}, 12}, {"RECEP", {12, 21}, 12},   {"1", {1, 12, 120}, 1},
        {"nnex", {21}, 21},    {"zzz", {}, std::nullopt}, {"", {1, 2, 3, 12, 21, 120}, 1},
    };
    ChooserWindow window(*host);
    Show(window);
    auto* search = Child<QLineEdit>(window, "search");
    auto* nodes = Child<QTableView>(window, "nodes");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        search->clear();
        QTest::keyClicks(search, c.typed);
        EXPECT_EQ(Listed(nodes), c.listed);
        EXPECT_EQ(window.selectedNode(), c.selected);
        EXPECT_EQ(Child<QPushButton>(window, "open")->isEnabled(), c.selected.has_value());
    }
    // Typing in the list searches too.
    nodes->setFocus();
    QTest::keyClicks(nodes, "sal");
    EXPECT_EQ(search->text(), "sal");
    EXPECT_TRUE(search->hasFocus());
    EXPECT_EQ(Listed(nodes), std::vector<int>{2});
    // A label that is not UTF-8 is shown, with a replacement character where it breaks.
    search->clear();
    EXPECT_EQ(nodes->model()->index(2, 1).data().toString(), QString::fromUtf8("Caf\uFFFD"));
}

TEST_F(Chooser, ItsControlsHaveNamesThatSayWhatTheyAreFor) {
    ChooserWindow window(*host);
    Show(window);
    const std::vector<std::pair<const char*, const char*>> names = {
        {"partitions", "Configurations and partitions"},
        {"search", "Search XFER nodes by number or label"},
        {"nodes", "XFER nodes of the chosen partition"},
        {"open", "Open the selected XFER node in the editor"},
        {"close", "Close the window"},
        {"createEmpty", "Create an empty configuration database there"},
        {"createDemo", "Create the demo configuration database there"},
    };
    for (const auto& [object, name] : names)
        EXPECT_EQ(Name(Child<QWidget>(window, object)), QString::fromLatin1(name)) << object;
    EXPECT_EQ(Name(Child<QLabel>(window, "status")),
              "6 XFER nodes in configuration 1, partition 2");
    // The list exposes its rows and cells.
    QAccessibleInterface* list =
        QAccessible::queryAccessibleInterface(Child<QTableView>(window, "nodes"));
    ASSERT_NE(list, nullptr);
    ASSERT_NE(list->tableInterface(), nullptr);
    EXPECT_EQ(list->tableInterface()->rowCount(), 6);
    EXPECT_EQ(list->tableInterface()->columnCount(), 3);
    EXPECT_EQ(list->tableInterface()->cellAt(3, 1)->text(QAccessible::Name), "Reception");
}

// The models alone: a search keeps the rows it matches, a node is found only where it is shown,
// and a cell's tooltip is its whole text (a long label is elided in the view).
TEST(ChooserModels, FindShownRowsAndTellTheWholeTextOfACell) {
    XferNodeModel nodes;
    QAbstractItemModelTester nodesTester(&nodes,
                                         QAbstractItemModelTester::FailureReportingMode::Fatal);
    const std::string longLabel = "Reception desk, ground floor";
    nodes.setNodes({{3, "Sales", "2001"}, {12, longLabel, "AUTO"}, {120, "Line1\nLine2", "9"}});
    EXPECT_EQ(
        nodes.data(nodes.index(1, XferNodeModel::kLabel), Qt::ToolTipRole).toString().toStdString(),
        longLabel);
    EXPECT_EQ(nodes.data(nodes.index(2, XferNodeModel::kLabel), Qt::DisplayRole).toString(),
              QStringLiteral("Line1 Line2"));
    const struct {
        const char* search;
        std::vector<int> shown;  // node numbers
        int rowOf12;
        int best;
    } cases[] = {
        {"", {3, 12, 120}, 1, 0}, {"12", {12, 120}, 0, 0}, {"120", {120}, -1, 0},
        {"DESK", {12}, 0, 0},     {"nothing", {}, -1, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.search);
        nodes.setSearch(QString::fromLatin1(c.search));
        std::vector<int> shown;
        for (int row = 0; row < nodes.rowCount(); ++row)
            shown.push_back(nodes.number(row));
        EXPECT_EQ(shown, c.shown);
        EXPECT_EQ(nodes.rowOf(12), c.rowOf12);
        EXPECT_EQ(nodes.bestRow(), c.best);
        EXPECT_EQ(nodes.total(), 3);
    }

    PartitionModel partitions;
    QAbstractItemModelTester partitionsTester(
        &partitions, QAbstractItemModelTester::FailureReportingMode::Fatal);
    partitions.setPartitions({{1, 1, 0}, {1, 2, 4}, {2, 1, 1}});
    EXPECT_EQ(partitions.rowOf(1, 2), 1);
    EXPECT_EQ(partitions.rowOf(2, 1), 2);
    EXPECT_EQ(partitions.rowOf(2, 2), -1);
    EXPECT_EQ(partitions.data(partitions.index(1, PartitionModel::kXferNodes), Qt::DisplayRole)
                  .toString(),
              QStringLiteral("4"));
}

// Without a database the window says where it looked, and creates one only on a click.
TEST(ChooserWithoutDatabase, SaysWhereItLookedAndCreatesADatabaseOnlyWhenAsked) {
    struct Case {
        const char* button;
        bool partitions;
    };
    for (const Case c : {Case{"createEmpty", false}, Case{"createDemo", true}}) {
        SCOPED_TRACE(c.button);
        xfer::test::TempFolder root;
        host::EditorHost host(
            platform::PlatformServices(xfer::test::MachineParts(root.path().string(), "")));
        const auto file = xfer::test::TempDatabase::DatabasePath(root.path());
        ChooserWindow window(host);
        window.show();
        QApplication::setActiveWindow(&window);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto* where = Child<QLabel>(window, "where");
        EXPECT_TRUE(where->isVisible());
        // No product folder under the shell folder: found by the registry, which names none;
        // a new database goes under the shell folder.
        EXPECT_TRUE(where->text().contains("found by: registry"));
        EXPECT_TRUE(
            where->text().contains("new database: " + QString::fromStdString(file.string())));
        EXPECT_FALSE(Child<QWidget>(window, "open")->isVisible());
        QTest::qWait(20);
        EXPECT_TRUE(std::filesystem::is_empty(root.path())) << "created before the click";

        QTest::mouseClick(Child<QPushButton>(window, c.button), Qt::LeftButton);
        EXPECT_TRUE(std::filesystem::exists(file));
        EXPECT_FALSE(where->isVisible());
        EXPECT_EQ(Child<QTableView>(window, "partitions")->model()->rowCount() > 0, c.partitions);
    }
}

TEST(ChooserWithoutDatabase, SaysWhyADatabaseCouldNotBeCreated) {
    xfer::test::TempFolder root;
    // A file where the product's folder would go.
    std::ofstream(root.path() / "Quorvel") << "not a folder";
    host::EditorHost host(
        platform::PlatformServices(xfer::test::MachineParts(root.path().string(), "")));
    ChooserWindow window(host);
    window.show();
    QTest::mouseClick(Child<QPushButton>(window, "createEmpty"), Qt::LeftButton);
    auto* problem = Child<QLabel>(window, "problem");
    EXPECT_TRUE(problem->isVisible());
    EXPECT_TRUE(problem->text().startsWith("The database could not be created: "))
        << problem->text().toStdString();
    EXPECT_TRUE(Child<QLabel>(window, "where")->isVisible());
}

// The window at the scale of the run: every title, caption and button shown whole, and the
// widest node number fits its column.
TEST_F(Chooser, LayoutShowsEveryTitleAndTheWidestNumberWhole) {
    ChooserWindow window(*host);
    Show(window);
    for (auto* view : window.findChildren<QTableView*>()) {
        QHeaderView* header = view->horizontalHeader();
        const int margin = 2 * view->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int column = 0; column < header->count(); ++column) {
            const QString title = view->model()->headerData(column, Qt::Horizontal).toString();
            EXPECT_GE(header->sectionSize(column),
                      header->fontMetrics().horizontalAdvance(title) + margin)
                << title.toStdString();
        }
        EXPECT_GE(header->sectionSize(0),
                  view->fontMetrics().horizontalAdvance(QStringLiteral("32767")) + 6);
        EXPECT_GE(view->width(), header->length()) << view->objectName().toStdString();
    }
    for (auto* label : window.findChildren<QLabel*>()) {
        if (label->isVisible() && !label->wordWrap()) {
            EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
        }
    }
    for (auto* button : window.findChildren<QPushButton*>()) {
        if (button->isVisible()) {
            EXPECT_GE(button->width(), button->sizeHint().width()) << button->text().toStdString();
        }
    }
    const QPixmap shot = window.grab();
    const qreal ratio = shot.devicePixelRatio();
    const QString name =
        ratio == 1 ? QStringLiteral("chooser.png") : QStringLiteral("chooser@%1x.png").arg(ratio);
    EXPECT_TRUE(shot.save(QStringLiteral(XFER_SCREENSHOT_DIR "/") + name));
}

}  // namespace
}  // namespace xfer::desktop::test
